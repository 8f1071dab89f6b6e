#pragma once
// The command line's grammar: a command and its options, read into a request. Every value is
// checked as the window checks it (the same rules on the same numbers, typed in the unit the
// window would use), so the command line accepts exactly the designs the window accepts.
//
// A malformed command or value raises ECommandLineError with exit code 2, a value out of range
// with exit code 1; the message is one line naming the option and the value as typed:
//   --fc 600k: out of range, 1 Hz to 500 kHz

#include "app/design/InputRules.h"
#include "app/design/SectionParts.h"
#include "app/design/StandardSeries.h"
#include "app/design/WindowDesign.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cli {

inline constexpr int ExitUsage = 2;
inline constexpr int ExitOutOfRange = 1;

class ECommandLineError : public std::runtime_error {
public:
    ECommandLineError(int exitCode, const std::string& message) : std::runtime_error(message), exitCode_(exitCode) {}
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_;
};

enum class TCommand { Help, Version, Design, Sweep, Netlist };
enum class TFormat { Text, Json, Csv };
enum class TSectionKind { LowPass, HighPass };
enum class TPartValues { Exact, Standard };

// A value as the window's field would hold it: its text in the field's unit.
struct TFieldEntry {
    std::string text;   // with the window's comma, e.g. "4,7"
    std::string unit;   // "Hz", "kHz", "kOhm", "nF", "uF" or "" for Q
};

struct TRequest {
    TCommand command = TCommand::Help;
    TFormat format = TFormat::Text;
    TSectionKind section = TSectionKind::LowPass;   // netlist
    TPartValues values = TPartValues::Exact;

    // The design as the window holds it after its checks (fc as entered, R in ohms, C in
    // farads); r and c are 0 when not given.
    design::TWindowInputs window;
    double fcHz = 0;
    bool hasR = false, hasC = false;
    std::optional<design::TFamilyPreset> family;
    TFieldEntry fcEntry, qEntry, rEntry, cEntry;

    design::TStandardSeries capSeries = design::TStandardSeries::E12();
    design::TStandardSeries resSeries = design::TStandardSeries::E96();
    design::TOpAmp opAmp;   // ideal unless --gbw

    // A sweep of its own (sweep, netlist): any of --points, --from, --to.
    bool customSweep = false;
    int points = 400;
    double fromHz = 0, toHz = 0;   // 0: fc / 100 and 100 fc
};

// args: the arguments after the program's name. Raises ECommandLineError.
TRequest ParseCommandLine(std::span<const std::string_view> args);

// Accepted ranges of the options that the window does not have.
inline constexpr double MinGbwHz = 1e3, MaxGbwHz = 1e11;
inline constexpr double MinOpenLoopGain = 10, MaxOpenLoopGain = 1e9;
inline constexpr int MinPoints = 2, MaxPoints = 100000;
inline constexpr double MinSweepHz = 1e-3, MaxSweepHz = 1e10;

} // namespace cli
