// The command line in-process: exit codes and the exact one-line complaints, the range limits
// (inclusive, as the window's), the window's units chosen for each value, and the output
// formats.

#include "JsonValue.h"

#include "app/cli/CommandLineProgram.h"
#include "app/design/ResponseSweep.h"
#include "app/design/Section.h"
#include "app/design/StandardPair.h"
#include "app/design/WindowDesign.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

CliRun Cli(std::vector<std::string_view> args)
{
    CliRun r;
    r.code = cli::RunCommandLine(args, r.out, r.err);
    return r;
}

std::vector<std::string_view> Design(std::string_view fc, std::string_view q, std::string_view r, std::string_view c)
{
    return {"design", "--fc", fc, "--q", q, "--r", r, "--c", c, "--format", "json"};
}

} // namespace

TEST(CommandLine, ErrorsAreOneLineWithTheirExitCode)
{
    struct Case {
        std::vector<std::string_view> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {Design("600k", "1", "1k", "1n"), 1, "--fc 600k: out of range, 1 Hz to 500 kHz"},
        {Design("0.99", "1", "1k", "1n"), 1, "--fc 0.99: out of range, 1 Hz to 500 kHz"},
        {Design("1k", "0.29998", "1k", "1n"), 1, "--q 0.29998: out of range, 0.29999 to 2.5"},
        {Design("1k", "2,51", "1k", "1n"), 1, "--q 2,51: out of range, 0.29999 to 2.5"},
        {Design("1k", "1", "99.9", "1n"), 1, "--r 99.9: out of range, 100 ohm to 1 Mohm"},
        {Design("1k", "1", "1.001M", "1n"), 1, "--r 1.001M: out of range, 100 ohm to 1 Mohm"},
        {Design("1k", "1", "1k", "99p"), 1, "--c 99p: out of range, 100 pF to 10 uF"},
        {Design("1k", "1", "1k", "10.01u"), 1, "--c 10.01u: out of range, 100 pF to 10 uF"},
        {Design("-5", "1", "1k", "1n"), 1, "--fc -5: out of range, 1 Hz to 500 kHz"},
        {Design("1e99999", "1", "1k", "1n"), 1, "--fc 1e99999: out of range, 1 Hz to 500 kHz"},
        {Design("1kF", "1", "1k", "1n"), 2, "--fc 1kF: not a frequency"},
        {Design("1k", "sharp", "1k", "1n"), 2, "--q sharp: not a number or a filter family"},
        {Design("1k", "1", "4k7F", "1n"), 2, "--r 4k7F: not a resistance"},
        {Design("1k", "1", "1k", "1nH"), 2, "--c 1nH: not a capacitance"},
        {{"design", "--fc", "1k", "--q", "1", "--r", "1k"}, 2, "design: missing --c"},
        {{"design", "--fc", "1k", "--fc", "2k"}, 2, "--fc 2k: given twice"},
        {{"design", "--fc"}, 2, "--fc: missing value"},
        {{"design", "--points", "5"}, 2, "--points: unknown option for design"},
        {{"design", "--bogus=1"}, 2, "--bogus: unknown option for design"},
        {{"frobnicate"}, 2, "frobnicate: unknown command (design, sweep, netlist)"},
        {{"--fc", "1k"}, 2, "--fc: unknown option; a command comes first (design, sweep, netlist)"},
        {{"netlist", "--fc", "1k", "--q", "1", "--r", "1k"}, 2, "netlist: missing lp or hp"},
        {{"netlist", "bp", "--fc", "1k"}, 2, "bp: not lp or hp"},
        {{"netlist", "lp", "--fc", "1k", "--q", "1"}, 2, "netlist: missing --r"},
        {{"netlist", "hp", "--fc", "1k", "--q", "1", "--r", "1k"}, 2, "netlist: missing --c"},
        {{"sweep", "--fc", "1k", "--q", "1", "--format", "text"}, 2, "--format text: not csv or json"},
        {{"sweep", "--fc", "1k", "--q", "1", "--points", "1.5"}, 2, "--points 1.5: not a whole number"},
        {{"sweep", "--fc", "1k", "--q", "1", "--points", "1"}, 1, "--points 1: out of range, 2 to 100000"},
        {{"sweep", "--fc", "1k", "--q", "1", "--points", "99999999999999"}, 1,
         "--points 99999999999999: out of range, 2 to 100000"},
        {{"sweep", "--fc", "1k", "--q", "1", "--from", "10k", "--to", "1k"}, 1, "--to 1k: out of range, above --from"},
        {{"sweep", "--fc", "1k", "--q", "1", "--values", "standard"}, 2, "sweep: missing --r"},
        {{"sweep", "--fc", "1k", "--q", "1", "--values", "nice"}, 2, "--values nice: not exact or standard"},
        {{"design", "--cap-series", "E7"}, 2, "--cap-series E7: not E6, E12, E24, E48 or E96"},
        {{"design", "--gbw", "10"}, 1, "--gbw 10: out of range, 1 kHz to 100 GHz"},
        {{"--version", "x"}, 2, "x: unexpected argument after --version"},
        {{"design", "extra"}, 2, "extra: unexpected argument"},
        {{"design", "--fc", "1\n2"}, 2, "--fc 1\\x0A2: not a frequency"},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        std::string command;
        for (auto a : c.args)
            command += std::string(a) + " ";
        EXPECT_EQ(r.code, c.code) << command;
        EXPECT_EQ(r.err, std::string(c.message) + "\n") << command;
        EXPECT_TRUE(r.out.empty()) << command;
    }
}

TEST(CommandLine, LimitsAreAcceptedInclusiveAsTheWindowAcceptsThem)
{
    for (const auto& args : {Design("1", "0.29999", "100", "100p"), Design("500k", "2.5", "1M", "10u"),
                             Design("500000Hz", "2,5", "1000k", "10000n"), Design("99999", "0.3", "0.1k", "0.1n"),
                             Design("99999.5", "butterworth", "4k7", "1000n"), Design("0,1kHz", "1", "1k", "1001n")}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 0) << args[2] << " " << r.err;
        EXPECT_NO_THROW(JsonValue::Parse(r.out)) << r.out;
    }
    // The sweep's point count at both ends of its range: a header, then each section's points.
    for (const char* points : {"2", "100000"}) {
        const CliRun r = Cli({"sweep", "--fc", "1k", "--q", "1", "--points", points});
        EXPECT_EQ(r.code, 0) << points << " " << r.err;
        EXPECT_EQ(Lines(r.out).size(), 2 * size_t(std::stoi(points)) + 1) << points;
    }
}

TEST(CommandLine, ValuesAreTypedInTheUnitsTheWindowWouldUse)
{
    struct Case {
        const char *fc, *c;
        const char *fcText, *fcUnit, *cText, *cUnit;
        double fcHz;
    };
    const Case cases[] = {
        {"99999", "1000n", "99999", "Hz", "1000", "nF", 99999},
        {"99999.5", "1001n", "99,9995", "kHz", "1,001", "uF", 99999.5},
        {"100k", "1u", "100", "kHz", "1000", "nF", 100000},
        {"2,5k", "4n7", "2500", "Hz", "4,7", "nF", 2500},
        {"1.5MHz", "1n", "", "", "", "", 0},   // out of range
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(Design(c.fc, "1", "4k7", c.c));
        if (!*c.fcText) {
            EXPECT_EQ(r.code, 1);
            continue;
        }
        ASSERT_EQ(r.code, 0) << r.err;
        const JsonValue json = JsonValue::Parse(r.out);
        const JsonValue& window = json["input"]["window"];
        EXPECT_EQ(window["fc"].String(), c.fcText);
        EXPECT_EQ(window["fc_unit"].String(), c.fcUnit);
        EXPECT_EQ(window["c"].String(), c.cText);
        EXPECT_EQ(window["c_unit"].String(), c.cUnit);
        EXPECT_EQ(window["r"].String(), "4,7");
        EXPECT_EQ(json["input"]["fc_hz"].Number(), c.fcHz);
        EXPECT_EQ(json["input"]["r_ohm"].Number(), 4700);
    }
    // The resistor's unit in every spelling: ohm in any case, the Greek capital omega and the
    // ohm sign.
    for (const char* r4k7 : {"4k7", "4k7Ohm", "4k7ohm", "4.7kOHM", "4k7\u03A9", "4k7\u2126"}) {
        const CliRun r = Cli(Design("1k", "1", r4k7, "10n"));
        ASSERT_EQ(r.code, 0) << r4k7 << " " << r.err;
        EXPECT_EQ(JsonValue::Parse(r.out)["input"]["r_ohm"].Number(), 4700) << r4k7;
    }
    // The families preset the window's Q values.
    const std::pair<const char*, double> families[] = {{"bessel", 0.58}, {"Butterworth", 0.71}, {"chebyshev-0.5", 0.86},
                                                       {"chebyshev-1", 0.96}, {"linkwitz-riley", 0.5}};
    for (const auto& [name, q] : families) {
        const CliRun r = Cli(Design("1k", name, "10k", "10n"));
        ASSERT_EQ(r.code, 0) << name;
        EXPECT_EQ(JsonValue::Parse(r.out)["input"]["q"].Number(), q) << name;
    }
}

TEST(CommandLine, DesignJsonCarriesTheWindowsTextsStandardPairsAndTheOpAmp)
{
    // fc 99999 Hz, Q 0,3, R 1000 kOhm, C 0,1 nF: C1 below the smallest unit, both capacitors
    // marked, C2 3 pF, R1 26,5 and R2 9,5 kOhm.
    CliRun r = Cli(Design("99999", "0.3", "1M", "100p"));
    ASSERT_EQ(r.code, 0) << r.err;
    JsonValue json = JsonValue::Parse(r.out);
    const JsonValue& lp = json["lowpass"];
    EXPECT_TRUE(lp["C1"]["shown"].IsNull());
    EXPECT_TRUE(lp["C1"]["unit"].IsNull());
    EXPECT_TRUE(lp["C1"]["marked"].Bool());
    EXPECT_EQ(lp["C2"]["shown"].String(), "3");
    EXPECT_EQ(lp["C2"]["unit"].String(), "pF");
    EXPECT_TRUE(lp["C2"]["marked"].Bool());
    EXPECT_EQ(json["highpass"]["R1"]["shown"].String(), "26,5");
    EXPECT_EQ(json["highpass"]["R1"]["unit"].String(), "kOhm / кОм");
    EXPECT_FALSE(json["highpass"]["R2"]["marked"].Bool());
    EXPECT_FALSE(lp.Has("opamp"));
    EXPECT_GT(lp["gbw_needed_hz"].Number(), 99999);
    const JsonValue& standard = lp["standard"];
    EXPECT_EQ(standard["series"].String(), "E12");
    EXPECT_EQ(json["highpass"]["standard"]["series"].String(), "E96");
    // The pair's figures are those of the section built from it.
    const design::TSection built =
        design::TSection::LowPass(design::TLowPassParts{1e6, 1e6, standard["C1"].Number(), standard["C2"].Number()});
    EXPECT_NEAR(standard["fc_hz"].Number(), built.NaturalFrequencyHz(), 1e-9 * built.NaturalFrequencyHz());
    EXPECT_NEAR(standard["q_error_pct"].Number(), (built.Q() / 0.3 - 1) * 100, 1e-9);

    r = Cli({"design", "--fc", "500k", "--q", "2.5", "--r", "1k", "--c", "1n", "--gbw", "1M", "--format", "json",
             "--cap-series", "e24", "--res-series", "E48"});
    ASSERT_EQ(r.code, 0) << r.err;
    json = JsonValue::Parse(r.out);
    for (const char* section : {"lowpass", "highpass"}) {
        const JsonValue& opamp = json[section]["opamp"];
        EXPECT_EQ(opamp["gbw_hz"].Number(), 1e6);
        EXPECT_LT(opamp["fc_hz"].Number(), 0.9 * 500e3) << section;   // a different filter altogether
        EXPECT_GT(json[section]["gbw_needed_hz"].Number(), 10e6) << section;
    }
    EXPECT_EQ(json["lowpass"]["standard"]["series"].String(), "E24");
    EXPECT_EQ(json["highpass"]["nearest"]["series"].String(), "E48");
}

TEST(CommandLine, SweepCsvIsTheWindowsCurvesOrADetailedSweep)
{
    CliRun r = Cli({"sweep", "--fc", "100k", "--q", "0,7"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[0], "section,index,frequency_hz,gain_db");
    design::TResponseSweep window;
    design::ComputeResponseSweep(100e3, 0.7, window);
    for (int i = 0; i < 100; ++i) {
        double f = 0, g = 0;
        char section[16] = {};
        int index = 0;
        ASSERT_EQ(std::sscanf(lines[size_t(1 + i)].c_str(), "%15[a-z],%d,%lf,%lf", section, &index, &f, &g), 4);
        EXPECT_STREQ(section, "lowpass");
        EXPECT_EQ(index, i + 1);
        EXPECT_EQ(f, window.lowPassFreq[size_t(i)]);
        EXPECT_EQ(g, window.lowPassGain[size_t(i)]);
        ASSERT_EQ(std::sscanf(lines[size_t(101 + i)].c_str(), "%15[a-z],%d,%lf,%lf", section, &index, &f, &g), 4);
        EXPECT_STREQ(section, "highpass");
        EXPECT_EQ(f, window.highPassFreq[size_t(i)]);
        EXPECT_EQ(g, window.highPassGain[size_t(i)]);
    }

    r = Cli({"sweep", "--fc", "1k", "--q", "2.5", "--points", "50", "--from", "10", "--to", "100kHz", "--gbw", "1M"});
    ASSERT_EQ(r.code, 0) << r.err;
    lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[0], "section,index,frequency_hz,gain_db,phase_deg,group_delay_s");
    const design::TSection low =
        design::TSection::LowPass(design::EqualResistorLowPass(1000, 2.5, 10e3), design::TOpAmp::SinglePole(1e6));
    double first = 0, last = 0;
    for (int i = 0; i < 50; ++i) {
        double f = 0, g = 0, p = 0, d = 0;
        ASSERT_EQ(std::sscanf(lines[size_t(1 + i)].c_str(), "lowpass,%*d,%lf,%lf,%lf,%lf", &f, &g, &p, &d), 4);
        EXPECT_NEAR(g, low.MagnitudeDb(f), 1e-12);
        EXPECT_NEAR(p, low.PhaseDeg(f), 1e-9);
        EXPECT_NEAR(d, low.GroupDelay(f), 1e-18);
        (i == 0 ? first : last) = f;
    }
    EXPECT_EQ(first, 10);
    EXPECT_EQ(last, 100e3);

    r = Cli({"sweep", "--fc", "1k", "--q", "bessel", "--points", "7", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const JsonValue json = JsonValue::Parse(r.out);
    ASSERT_EQ(json["highpass"].Items().size(), 7u);
    EXPECT_EQ(json["highpass"].Items()[0]["frequency_hz"].Number(), 10);
    EXPECT_TRUE(json["highpass"].Items()[3].Has("group_delay_s"));
}

TEST(CommandLine, NetlistFollowsTheConventions)
{
    for (const char* section : {"lp", "hp"})
        for (bool gbw : {false, true}) {
            std::vector<std::string_view> args{"netlist", section, "--fc", "2k", "--q", "0.96", "--r", "22k", "--c", "4n7"};
            if (gbw) {
                args.push_back("--gbw");
                args.push_back("3MHz");
            }
            const CliRun r = Cli(args);
            ASSERT_EQ(r.code, 0) << r.err;
            const auto lines = Lines(r.out);
            ASSERT_GE(lines.size(), 8u);
            EXPECT_EQ(lines.back(), ".end");
            EXPECT_NE(std::find(lines.begin(), lines.end(), "V1 in 0 AC 1"), lines.end());
            std::set<std::string> names, nodes;
            bool inSubcircuit = false;
            for (const auto& line : lines) {
                if (line.rfind(".subckt", 0) == 0)
                    inSubcircuit = true;
                if (line.rfind(".ends", 0) == 0)
                    inSubcircuit = false;
                if (line.empty() || line[0] == '*' || line[0] == '.' || inSubcircuit)
                    continue;
                std::istringstream words(line);
                std::string name, a, b;
                words >> name >> a >> b;
                EXPECT_TRUE(names.insert(name).second) << "two elements named " << name;
                nodes.insert(a);
                nodes.insert(b);
            }
            const std::set<std::string> expectedNames =
                std::string(section) == "lp" ? std::set<std::string>{"V1", "RA", "RB", "C1", "C2", gbw ? "X1" : "E1"}
                                             : std::set<std::string>{"V1", "CA", "CB", "R1", "R2", gbw ? "X1" : "E1"};
            EXPECT_EQ(names, expectedNames);
            EXPECT_TRUE(nodes.count("in") && nodes.count("out") && nodes.count("0"));
            EXPECT_EQ(r.out.find(".subckt OPAMP1P") != std::string::npos, gbw);
            EXPECT_NE(r.out.find(gbw ? "X1 ninp out out OPAMP1P" : "E1 out 0 ninp out 1e6"), std::string::npos);
            EXPECT_NE(r.out.find("\n.ac dec "), std::string::npos);
        }
    // Standard values: the best pair's capacitors are in the netlist.
    const CliRun r = Cli({"netlist", "lp", "--fc", "1k", "--q", "0.71", "--r", "10k", "--values", "standard"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("C1 mid out 2.2e-08\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("C2 ninp 0 1.2e-08\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("RA in mid 10000\n"), std::string::npos) << r.out;
}

TEST(CommandLine, HelpAndVersion)
{
    CliRun r = Cli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Usage: filter2", 0), 0u);
    r = Cli({"design", "--fc", "1k", "-h"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, cli::HelpText());
    r = Cli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(Lines(r.out)[0], "filter2 " FILTER2_TEST_VERSION);
}
