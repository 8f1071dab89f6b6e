// The real program with arguments: it answers without a display, its exit codes and streams
// are those of the command line, and a failure to write the answer is not reported as success.

#include "RunProgram.h"

#include <gtest/gtest.h>

namespace {

ProgramResult Filter2(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{F2_FILTER2_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    // No display of any kind: the command line must not need one.
    return RunProgram(argv, EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY"}));
}

} // namespace

TEST(CommandLineProcess, AnswersWithoutADisplay)
{
    ProgramResult r = Filter2({"design", "--fc", "1k", "--q", "0.71", "--r", "10k", "--c", "22n"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_NE(r.out.find("C1 = 22,6 nF"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("R2 = 10,3 kOhm / кОм"), std::string::npos) << r.out;

    r = Filter2({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("filter2 ", 0), 0u);

    r = Filter2({"netlist", "hp", "--fc", "1k", "--q", "1", "--c", "10n"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.substr(r.out.size() - 5), ".end\n");
}

TEST(CommandLineProcess, ExitCodesAndOneLineOnStandardError)
{
    ProgramResult r = Filter2({"design", "--fc", "600k", "--q", "1", "--r", "1k", "--c", "1n"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "--fc 600k: out of range, 1 Hz to 500 kHz\n");
    EXPECT_TRUE(r.out.empty());
    r = Filter2({"design", "--fc", "6OOk"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "--fc 6OOk: not a frequency\n");
    r = Filter2({"sweep", "--fc"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "--fc: missing value\n");
}

TEST(CommandLineProcess, AFullDiskIsAFailure)
{
    const ProgramResult r = RunProgram({F2_FILTER2_PATH, "sweep", "--fc", "1k", "--q", "1", "--points", "2000"},
                                       EnvironmentWithout({"DISPLAY"}), std::string(), "/dev/full");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("filter2: cannot write the output: ", 0), 0u) << r.err;
}
