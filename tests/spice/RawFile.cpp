#include "RawFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// strtod rather than stod: ngspice leaves the frequency's imaginary part unset, and now and
// then that garbage is a subnormal number, which stod refuses as out of range.
double Number(const std::string& text, const std::string& token)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0')
        throw std::runtime_error("raw file: no number in " + token);
    return value;
}

std::complex<double> ComplexPair(const std::string& token)
{
    const size_t comma = token.find(',');
    if (comma == std::string::npos)
        throw std::runtime_error("raw file: no complex pair in " + token);
    return {Number(token.substr(0, comma), token), Number(token.substr(comma + 1), token)};
}

} // namespace

std::vector<AcPoint> ReadAcVector(const std::string& path, const std::string& vector)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::string line;
    int variables = -1, points = -1, wanted = -1;
    while (std::getline(in, line)) {
        if (line.rfind("No. Variables:", 0) == 0)
            variables = std::stoi(line.substr(14));
        else if (line.rfind("No. Points:", 0) == 0)
            points = std::stoi(line.substr(11));
        else if (line.rfind("Variables:", 0) == 0) {
            for (int i = 0; i < variables && std::getline(in, line); ++i) {
                std::istringstream fields(line);
                int index = -1;
                std::string name;
                fields >> index >> name;
                if (name == vector)
                    wanted = index;
            }
        } else if (line.rfind("Values:", 0) == 0) {
            break;
        }
    }
    if (variables < 2 || points < 1 || wanted < 0)
        throw std::runtime_error(path + ": no AC vector " + vector);
    std::vector<AcPoint> result;
    std::string token;
    for (int p = 0; p < points; ++p) {
        AcPoint point;
        int index = -1;
        if (!(in >> index >> token) || index != p)
            throw std::runtime_error(path + ": point " + std::to_string(p) + " missing");
        point.hz = ComplexPair(token).real();
        for (int v = 1; v < variables; ++v) {
            if (!(in >> token))
                throw std::runtime_error(path + ": point " + std::to_string(p) + " cut short");
            if (v == wanted)
                point.value = ComplexPair(token);
        }
        result.push_back(point);
    }
    return result;
}
