// The layoutc executable as the build runs it: exit codes, messages, output and depfile.

#include "LayoutTestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace layoutc_test;

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class LayoutcTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() / ("layoutc-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(DataDir() / "tiny.ico", dir_ / "tiny.ico");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    std::filesystem::path dir_;
};

} // namespace

TEST_F(LayoutcTool, CompilesAndWritesTheDepfile)
{
    const std::string text = "Form1 : TForm1 {\n  Icon.Data = file(\"tiny.ico\")\n}\n";
    WriteText(Path("unit1.layout"), text);
    const ToolRun run =
        RunTool("tools/layoutc/layoutc", Path("unit1.layout") + " " + Path("out.bin") + " --depfile " + Path("out.d"));
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "");

    const Bytes expected = Compile(text, dir_);
    EXPECT_EQ(Text(ReadText(Path("out.bin"))), expected);
    EXPECT_EQ(ReadText(Path("out.d")),
              Path("out.bin") + ": " + Path("unit1.layout") + " " + Path("tiny.ico") + "\n");
}

TEST_F(LayoutcTool, FailureExitsWithOneAndKeepsTheOldOutput)
{
    WriteText(Path("unit1.layout"), "Form1 : TForm1 {\n  Caption = \"open\n}\n");
    WriteText(Path("out.bin"), "previous");
    const ToolRun run = RunTool("tools/layoutc/layoutc", Path("unit1.layout") + " " + Path("out.bin"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, Path("unit1.layout") + ":2: unterminated string\n");
    EXPECT_EQ(ReadText(Path("out.bin")), "previous");
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin.tmp")));

    const ToolRun missing = RunTool("tools/layoutc/layoutc", Path("absent.layout") + " " + Path("out.bin"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.output, Path("absent.layout") + ": cannot read: No such file or directory\n");

    const ToolRun usage = RunTool("tools/layoutc/layoutc", "only-one-argument");
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_NE(usage.output.find("usage: layoutc"), std::string::npos);
}

TEST_F(LayoutcTool, DeepNestingIsRefusedWithItsLineInsteadOfCrashing)
{
    // 100,000 nested lists once exhausted the compiler's stack (exit 139).
    WriteText(Path("deep.layout"),
              "Form1 : TForm1 {\n  Value = " + std::string(100000, '(') + std::string(100000, ')') + "\n}\n");
    const ToolRun run = RunTool("tools/layoutc/layoutc", Path("deep.layout") + " " + Path("out.bin"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, Path("deep.layout") + ":2: nesting is deeper than 100 levels\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out.bin")));
}
