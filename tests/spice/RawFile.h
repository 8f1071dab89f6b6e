#pragma once
// The ASCII raw file ngspice writes for an AC analysis (environment SPICE_ASCIIRAWFILE=1):
// the frequency and one complex voltage per point.

#include <complex>
#include <string>
#include <vector>

struct AcPoint {
    double hz = 0;
    std::complex<double> value;
};

// The points of the named vector ("v(out)"). Throws std::runtime_error when the file is not
// such a raw file or lacks the vector.
std::vector<AcPoint> ReadAcVector(const std::string& path, const std::string& vector);
