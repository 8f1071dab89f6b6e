// The window and `filter2 design --format json` agree on every shown text, unit and marker:
// the same design typed into the main window (through the real event loop on the headless
// desktop) and given to the real program's command line in engineers' notation.

#include "JsonValue.h"
#include "ProgramHarness.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

// One design as typed into the window, and the same values in the command line's notation.
struct TypedDesign {
    std::string fc, q, r, c;   // field texts
    bool kHz = false, uF = false;
    int family = 0;            // 0: typed Q; else the radio button (5..10 but 9) of the family
    std::vector<std::string> args;
};

std::string Comma(std::string text)
{
    for (char& ch : text)
        if (ch == '.')
            ch = ',';
    return text;
}

double ValueOf(std::string text)
{
    for (char& ch : text)
        if (ch == ',')
            ch = '.';
    return std::stod(text);
}

// A value with a few significant digits, as digits and at most one comma.
std::string Decimal(double value, int digits)
{
    char buffer[64];
    const int decimals = std::max(0, digits - 1 - int(std::floor(std::log10(value))));
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return Comma(buffer);
}

class WindowAndCommandLine : public ::testing::Test {
protected:
    ProgramHarness app;
    int checked = 0;

    void Check(const TypedDesign& d)
    {
        SCOPED_TRACE("fc " + d.fc + (d.kHz ? " kHz" : " Hz") + ", Q " + d.q + ", R " + d.r + " kOhm, C " + d.c +
                     (d.uF ? " uF" : " nF"));
        app.Click(d.kHz ? "RadioButton2" : "RadioButton1");
        app.Click(d.uF ? "RadioButton4" : "RadioButton3");
        app.Enter("Edit1", d.fc);
        if (d.family)
            app.Click("RadioButton" + std::to_string(d.family));
        else
            app.Enter("Edit2", d.q);
        app.Enter("Edit3", d.r);
        app.Enter("Edit4", d.c);
        const char* units[] = {"Label9", "Label10", "Label17", "Label18"};
        std::string unitsBefore[4];
        for (int i = 0; i < 4; ++i)
            unitsBefore[i] = app.Text(units[i]);
        app.Click("Button2");
        ASSERT_FALSE(app.Visible("Label19")) << "the window refused the design";
        ASSERT_FALSE(app.Visible("Label20")) << "the window refused the design";

        std::vector<std::string> argv{F2_FILTER2_PATH, "design", "--format", "json"};
        argv.insert(argv.end(), d.args.begin(), d.args.end());
        const ProgramResult run = RunProgram(argv, EnvironmentWithout({"DISPLAY"}));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const JsonValue json = JsonValue::Parse(run.out);

        struct Part {
            const char *section, *name, *value, *unit, *marker;
            int unitIndex;
        };
        const Part parts[] = {{"lowpass", "C1", "Label7", "Label9", "Label12", 0},
                              {"lowpass", "C2", "Label8", "Label10", "Label22", 1},
                              {"highpass", "R1", "Label15", "Label17", "Label25", 2},
                              {"highpass", "R2", "Label16", "Label18", "Label23", 3}};
        for (const Part& p : parts) {
            const JsonValue& part = json[p.section][p.name];
            if (part["shown"].IsNull()) {
                // The window leaves both labels: the value as the typing reset it, the unit.
                EXPECT_TRUE(part["unit"].IsNull()) << p.name;
                EXPECT_EQ(app.Text(p.value), "0") << p.name;
                EXPECT_EQ(app.Text(p.unit), unitsBefore[p.unitIndex]) << p.name;
            } else {
                EXPECT_EQ(app.Text(p.value), part["shown"].String()) << p.name;
                EXPECT_EQ(app.Text(p.unit), part["unit"].String()) << p.name;
            }
            EXPECT_EQ(app.Visible(p.marker), part["marked"].Bool()) << p.name;
        }
        if (d.family)
            app.Click("RadioButton9");   // back to a typed Q
        ++checked;
    }
};

// The command line's notation for a window text in its unit: one of several spellings.
std::string Spell(const std::string& fieldText, const char* const* suffixes, int choice)
{
    std::string dotted = fieldText;
    for (char& ch : dotted)
        if (ch == ',')
            ch = '.';
    const char* suffix = suffixes[choice % 3];
    return (choice % 2 ? fieldText : dotted) + suffix;
}

} // namespace

TEST_F(WindowAndCommandLine, AgreeOnTheWorkedExamples)
{
    Check({"100", "0,7", "33", "10", false, false, 0, {"--fc", "100", "--q", "0.7", "--r", "33k", "--c", "10n"}});
    Check({"1000", "0,71", "10", "22", false, false, 0, {"--fc", "1k", "--q", "0,71", "--r", "10kOhm", "--c", "22nF"}});
    Check({"99999", "0,3", "1000", "0,1", false, false, 0, {"--fc", "99999Hz", "--q", "0.3", "--r", "1M", "--c", "100p"}});
    Check({"500", "2,5", "0,1", "10", true, true, 0, {"--fc", "500k", "--q", "2.5", "--r", "100", "--c", "10u"}});
    // The families preset the same Q in both.
    const std::pair<int, const char*> families[] = {
        {5, "bessel"}, {6, "butterworth"}, {7, "chebyshev-0.5"}, {10, "chebyshev-1"}, {8, "linkwitz-riley"}};
    for (const auto& [button, name] : families)
        Check({"2,2", "", "4,7", "1,5", true, true, button, {"--fc", "2k2", "--q", name, "--r", "4k7", "--c", "1.5u"}});
    EXPECT_EQ(checked, 9);
}

TEST_F(WindowAndCommandLine, AgreeOn200RandomDesigns)
{
    std::mt19937 rng(2612);
    auto logUniform = [&](double lo, double hi) {
        return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng));
    };
    std::uniform_int_distribution<int> pick(0, 5);
    const char* const none[] = {"", "", ""};
    const char* const hz[] = {"", "Hz", ""};
    const char* const khz[] = {"k", "kHz", "k"};
    const char* const kohm[] = {"k", "kOhm", "k"};
    const char* const nf[] = {"n", "nF", "n"};
    const char* const uf[] = {"u", "uF", "u"};
    for (int i = 0; i < 200; ++i) {
        TypedDesign d;
        // Hz unless the rounded text is above 99999 Hz, nF unless above 1000 nF: the units the
        // command line stands for.
        d.fc = Decimal(logUniform(1, 500e3), 4);
        d.kHz = ValueOf(d.fc) > 99999;
        if (d.kHz)
            d.fc = Decimal(ValueOf(d.fc) / 1000, 4);
        d.q = Decimal(std::uniform_real_distribution<double>(0.3, 2.5)(rng), 3);
        d.r = Decimal(logUniform(0.1, 1000), 3);
        d.c = Decimal(logUniform(0.1, 10000), 3);
        d.uF = ValueOf(d.c) > 1000;
        if (d.uF)
            d.c = Decimal(ValueOf(d.c) / 1000, 3);
        const int choice = pick(rng);
        d.args = {"--fc", Spell(d.fc, d.kHz ? khz : hz, choice), "--q", Spell(d.q, none, choice + 1),
                  "--r", Spell(d.r, kohm, choice + 2), "--c", Spell(d.c, d.uF ? uf : nf, choice)};
        Check(d);
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(checked, 200);
}
