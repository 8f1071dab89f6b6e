// The command line on arbitrary arguments: the input is split at NUL bytes into arguments.
// Besides never crashing or throwing, every run must end in one of the three exit codes; a
// failure must say so in exactly one line on standard error and print nothing else; a success
// must print an answer whose form is right for its command (JSON that parses, CSV rows as wide
// as their header, a netlist that ends with ".end") and holds no non-finite number.

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

#include "app/cli/CommandLineProgram.h"
#include "tests/support/JsonValue.h"

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {
namespace {

constexpr const char* kName = "command_line";

bool Contains(const std::vector<std::string_view>& args, std::string_view word)
{
    return std::find(args.begin(), args.end(), word) != args.end();
}

void CheckCsv(const std::string& out)
{
    size_t start = 0;
    long columns = -1;
    while (start < out.size()) {
        const size_t end = out.find('\n', start);
        F2_FUZZ_CHECK(kName, end != std::string::npos, "a CSV line without its newline");
        const std::string_view line(out.data() + start, end - start);
        const long commas = std::count(line.begin(), line.end(), ',');
        if (columns < 0)
            columns = commas;
        F2_FUZZ_CHECK(kName, commas == columns, "a CSV row of another width than its header");
        start = end + 1;
    }
}

} // namespace

int CommandLine(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    size_t start = 0;
    while (start <= input.size() && !input.empty()) {
        const size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.data() + start, end - start);
        start = end + 1;
    }
    std::string out, err;
    int code = -1;
    try {
        code = cli::RunCommandLine(args, out, err);
    } catch (const std::exception& e) {
        Broken(kName, std::string("an exception escaped: ") + e.what());
    }
    F2_FUZZ_CHECK(kName, code == 0 || code == 1 || code == 2, "an exit code other than 0, 1 or 2");
    if (code != 0) {
        F2_FUZZ_CHECK(kName, out.empty(), "a failure printed an answer");
        F2_FUZZ_CHECK(kName, err.size() > 1 && err.back() == '\n' && err.find('\n') == err.size() - 1,
                      "a failure is not exactly one line on standard error");
        return 0;
    }
    F2_FUZZ_CHECK(kName, err.empty(), "a success complained");
    F2_FUZZ_CHECK(kName, !out.empty(), "a success printed nothing");
    for (const char* bad : {"nan", "inf"})
        F2_FUZZ_CHECK(kName, out.find(bad) == std::string::npos, std::string("the answer holds ") + bad);
    const std::string_view command = args.empty() ? std::string_view() : args[0];
    const bool help = Contains(args, "--help") || Contains(args, "-h");
    if (help || command == "--version" || command == "-V")
        return 0;
    const bool json = Contains(args, "json") || std::any_of(args.begin(), args.end(), [](std::string_view a) {
                          return a == "--format=json";
                      });
    if (json) {
        try {
            const JsonValue value = JsonValue::Parse(out);
            const double fc = value["input"]["fc_hz"].Number();
            F2_FUZZ_CHECK(kName, fc >= 1 && fc <= 500e3, "an fc outside the accepted range");
        } catch (const std::exception& e) {
            Broken(kName, std::string("the JSON answer does not parse: ") + e.what());
        }
    } else if (command == "sweep") {
        CheckCsv(out);
    } else if (command == "netlist") {
        F2_FUZZ_CHECK(kName, out.size() >= 5 && out.compare(out.size() - 5, 5, ".end\n") == 0,
                      "a netlist that does not end with .end");
    }
    return 0;
}

} // namespace fuzz
