#include "app/cli/CommandLine.h"

#include "app/cli/EngineeringValue.h"
#include "rtl/NumberText.h"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <set>

namespace cli {

namespace {

using L = long double;

[[noreturn]] void Usage(const std::string& message)
{
    throw ECommandLineError(ExitUsage, message);
}

[[noreturn]] void OutOfRange(std::string_view option, std::string_view value, std::string_view range)
{
    throw ECommandLineError(ExitOutOfRange, fmt::format("{} {}: out of range, {}", option, value, range));
}

// Which commands take an option (the rest are refused as unknown for that command).
struct TOptionInfo {
    std::string_view name;
    bool design, sweep, netlist;
};
constexpr std::array<TOptionInfo, 13> kOptions{{
    {"--fc", true, true, true},
    {"--q", true, true, true},
    {"--r", true, true, true},
    {"--c", true, true, true},
    {"--cap-series", true, true, true},
    {"--res-series", true, true, true},
    {"--format", true, true, false},
    {"--gbw", true, true, true},
    {"--a0", true, true, true},
    {"--values", false, true, true},
    {"--points", false, true, true},
    {"--from", false, true, true},
    {"--to", false, true, true},
}};

const char* CommandName(TCommand command)
{
    switch (command) {
    case TCommand::Design:
        return "design";
    case TCommand::Sweep:
        return "sweep";
    case TCommand::Netlist:
        return "netlist";
    default:
        return "filter2";
    }
}

bool Takes(const TOptionInfo& info, TCommand command)
{
    return command == TCommand::Design ? info.design : command == TCommand::Sweep ? info.sweep : info.netlist;
}

// The value of an engineering option, or a usage error naming what was expected.
TEngineeringValue ParseValue(std::string_view option, std::string_view text, TQuantity quantity, const char* what)
{
    const auto value = TEngineeringValue::Parse(text, quantity);
    if (!value)
        Usage(fmt::format("{} {}: not {}", option, text, what));
    return *value;
}

// A first check on the value itself, generous around the limits, so that the window's exact
// check below works on texts of sane length.
void RoughRange(const TEngineeringValue& v, L low, L high, std::string_view option, std::string_view text,
                std::string_view range)
{
    const L value = v.Value();
    if (!(value >= low && value <= high))
        OutOfRange(option, text, range);
}

double FieldValue(const std::string& fieldText)
{
    return double(rtl::TextToFloat(fieldText));
}

class TParser {
public:
    explicit TParser(TRequest& request) : r_(request) {}

    void Option(std::string_view option, std::string_view text)
    {
        if (option == "--fc")
            Frequency(text);
        else if (option == "--q")
            Quality(text);
        else if (option == "--r")
            Resistor(text);
        else if (option == "--c")
            Capacitor(text);
        else if (option == "--cap-series" || option == "--res-series")
            Series(option, text);
        else if (option == "--format")
            Format(text);
        else if (option == "--gbw")
            Gbw(text);
        else if (option == "--a0")
            OpenLoopGain(text);
        else if (option == "--values")
            Values(text);
        else if (option == "--points")
            Points(text);
        else if (option == "--from" || option == "--to")
            SweepEnd(option, text);
    }

private:
    // fc in Hz, or in kHz above 99999 Hz, as the window would have it typed.
    void Frequency(std::string_view text)
    {
        const auto v = ParseValue("--fc", text, TQuantity::Frequency, "a frequency");
        RoughRange(v, 0.5L, 600000.0L, "--fc", text, design::FrequencyRangeText);
        TFieldEntry entry{v.DecimalText(0), "Hz"};
        double multiplier = 1;
        if (FieldValue(entry.text) > design::LargestHzEntry) {
            entry = TFieldEntry{v.DecimalText(3), "kHz"};
            multiplier = 1000;
        }
        const double fc = FieldValue(entry.text);
        if (design::FrequencyRuleBroken(fc, multiplier))
            OutOfRange("--fc", text, design::FrequencyRangeText);
        r_.window.fc = fc;
        r_.window.freqMultiplier = multiplier;
        r_.fcHz = double(L(fc) * L(multiplier));
        r_.fcEntry = entry;
    }

    void Quality(std::string_view text)
    {
        TFieldEntry entry;
        if (const auto preset = design::PresetNamed(text)) {
            r_.family = preset;
            entry.text = preset->qText;
        } else {
            const auto v = ParseValue("--q", text, TQuantity::Number, "a number or a filter family");
            RoughRange(v, 0.2L, 3.0L, "--q", text, design::QRangeText);
            entry.text = v.DecimalText(0);
        }
        const double q = FieldValue(entry.text);
        if (design::QRuleBroken(q))
            OutOfRange("--q", text, design::QRangeText);
        r_.window.q = q;
        r_.qEntry = entry;
    }

    // R in the window's kOhm field.
    void Resistor(std::string_view text)
    {
        const auto v = ParseValue("--r", text, TQuantity::Resistance, "a resistance");
        RoughRange(v, 50.0L, 2e6L, "--r", text, design::ResistorRangeText);
        const TFieldEntry entry{v.DecimalText(3), "kOhm"};
        if (design::ResistorRuleBroken(FieldValue(entry.text)))
            OutOfRange("--r", text, design::ResistorRangeText);
        r_.window.r = double(rtl::TextToFloat(entry.text) * 1000.0L);
        r_.hasR = true;
        r_.rEntry = entry;
    }

    // C in nF, or in uF above 1000 nF.
    void Capacitor(std::string_view text)
    {
        const auto v = ParseValue("--c", text, TQuantity::Capacitance, "a capacitance");
        RoughRange(v, 5e-11L, 2e-5L, "--c", text, design::CapacitorRangeText);
        TFieldEntry entry{v.DecimalText(-9), "nF"};
        double multiplier = 1e-9;
        if (FieldValue(entry.text) > design::LargestNanofaradEntry) {
            entry = TFieldEntry{v.DecimalText(-6), "uF"};
            multiplier = 1e-6;
        }
        if (design::CapacitorRuleBroken(FieldValue(entry.text), multiplier))
            OutOfRange("--c", text, design::CapacitorRangeText);
        r_.window.c = double(rtl::TextToFloat(entry.text) * static_cast<L>(multiplier));
        r_.hasC = true;
        r_.cEntry = entry;
    }

    void Series(std::string_view option, std::string_view text)
    {
        const auto series = design::TStandardSeries::ByName(text);
        if (!series)
            Usage(fmt::format("{} {}: not E6, E12, E24, E48 or E96", option, text));
        (option == "--cap-series" ? r_.capSeries : r_.resSeries) = *series;
    }

    void Format(std::string_view text)
    {
        if (r_.command == TCommand::Design && (text == "text" || text == "json"))
            r_.format = text == "json" ? TFormat::Json : TFormat::Text;
        else if (r_.command == TCommand::Sweep && (text == "csv" || text == "json"))
            r_.format = text == "json" ? TFormat::Json : TFormat::Csv;
        else
            Usage(fmt::format("--format {}: not {}", text, r_.command == TCommand::Design ? "text or json" : "csv or json"));
    }

    void Gbw(std::string_view text)
    {
        const auto v = ParseValue("--gbw", text, TQuantity::Frequency, "a frequency");
        RoughRange(v, MinGbwHz, MaxGbwHz, "--gbw", text, "1 kHz to 100 GHz");
        r_.opAmp.gbwHz = double(v.Value());
    }

    void OpenLoopGain(std::string_view text)
    {
        const auto v = ParseValue("--a0", text, TQuantity::Number, "a number");
        RoughRange(v, MinOpenLoopGain, MaxOpenLoopGain, "--a0", text, "10 to 1e9");
        r_.opAmp.a0 = double(v.Value());
    }

    void Values(std::string_view text)
    {
        if (text != "exact" && text != "standard")
            Usage(fmt::format("--values {}: not exact or standard", text));
        r_.values = text == "standard" ? TPartValues::Standard : TPartValues::Exact;
    }

    void Points(std::string_view text)
    {
        if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
            Usage(fmt::format("--points {}: not a whole number", text));
        const size_t first = text.find_first_not_of('0');
        const std::string_view significant = first == std::string_view::npos ? "0" : text.substr(first);
        const long n = significant.size() > 7 ? MaxPoints + 1L : std::stol(std::string(significant));
        if (n < MinPoints || n > MaxPoints)
            OutOfRange("--points", text, fmt::format("{} to {}", MinPoints, MaxPoints));
        r_.points = int(n);
        r_.customSweep = true;
    }

    void SweepEnd(std::string_view option, std::string_view text)
    {
        const auto v = ParseValue(option, text, TQuantity::Frequency, "a frequency");
        RoughRange(v, MinSweepHz, MaxSweepHz, option, text, "1 mHz to 10 GHz");
        (option == "--from" ? r_.fromHz : r_.toHz) = double(v.Value());
        (option == "--from" ? fromText_ : toText_) = std::string(text);
        r_.customSweep = true;
    }

public:
    // The sweep's ends as typed, for the complaint when they are the wrong way round.
    const std::string& FromText() const { return fromText_; }
    const std::string& ToText() const { return toText_; }

private:
    TRequest& r_;
    std::string fromText_, toText_;
};

// "--name value" or "--name=value".
void SplitOption(std::span<const std::string_view> args, size_t& i, std::string_view& name, std::string_view& value,
                 bool& hasValue)
{
    const std::string_view arg = args[i];
    const size_t equals = arg.find('=');
    if (equals != std::string_view::npos) {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
        hasValue = true;
        return;
    }
    name = arg;
    hasValue = i + 1 < args.size();
    if (hasValue)
        value = args[++i];
}

} // namespace

TRequest ParseCommandLine(std::span<const std::string_view> args)
{
    TRequest request;
    if (args.empty())
        Usage("no command: try filter2 --help");
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            request.command = TCommand::Help;
            return request;
        }
    }
    const std::string_view first = args[0];
    if (first == "--version" || first == "-V") {
        if (args.size() > 1)
            Usage(fmt::format("{}: unexpected argument after --version", args[1]));
        request.command = TCommand::Version;
        return request;
    }
    if (first == "design") {
        request.command = TCommand::Design;
        request.format = TFormat::Text;
    } else if (first == "sweep") {
        request.command = TCommand::Sweep;
        request.format = TFormat::Csv;
    } else if (first == "netlist") {
        request.command = TCommand::Netlist;
    } else if (first.substr(0, 1) == "-") {
        Usage(fmt::format("{}: unknown option; a command comes first (design, sweep, netlist)", first));
    } else {
        Usage(fmt::format("{}: unknown command (design, sweep, netlist)", first));
    }

    TParser parser(request);
    std::set<std::string_view> seen;
    bool sectionGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.substr(0, 2) != "--") {
            if (request.command == TCommand::Netlist && !sectionGiven) {
                if (arg == "lp" || arg == "lowpass")
                    request.section = TSectionKind::LowPass;
                else if (arg == "hp" || arg == "highpass")
                    request.section = TSectionKind::HighPass;
                else
                    Usage(fmt::format("{}: not lp or hp", arg));
                sectionGiven = true;
                continue;
            }
            Usage(fmt::format("{}: unexpected argument", arg));
        }
        std::string_view name, value;
        bool hasValue = false;
        SplitOption(args, i, name, value, hasValue);
        const TOptionInfo* info = nullptr;
        for (const auto& option : kOptions)
            if (option.name == name)
                info = &option;
        if (!info || !Takes(*info, request.command))
            Usage(fmt::format("{}: unknown option for {}", name, CommandName(request.command)));
        if (!hasValue)
            Usage(fmt::format("{}: missing value", name));
        if (!seen.insert(info->name).second)
            Usage(fmt::format("{} {}: given twice", name, value));
        parser.Option(info->name, value);
    }

    const auto require = [&](std::string_view option) {
        if (!seen.count(option))
            Usage(fmt::format("{}: missing {}", CommandName(request.command), option));
    };
    if (request.command == TCommand::Netlist && !sectionGiven)
        Usage("netlist: missing lp or hp");
    require("--fc");
    require("--q");
    if (request.command == TCommand::Design) {
        require("--r");
        require("--c");
    }
    if (request.command == TCommand::Netlist)
        require(request.section == TSectionKind::LowPass ? "--r" : "--c");
    if (request.command == TCommand::Sweep && request.values == TPartValues::Standard) {
        require("--r");
        require("--c");
    }

    if (request.customSweep) {
        if (request.fromHz == 0)
            request.fromHz = request.fcHz / 100;
        if (request.toHz == 0)
            request.toHz = request.fcHz * 100;
        if (!(request.fromHz < request.toHz)) {
            if (!parser.ToText().empty())
                OutOfRange("--to", parser.ToText(), "above --from");
            OutOfRange("--from", parser.FromText(), "below --to");
        }
    }
    return request;
}

} // namespace cli
