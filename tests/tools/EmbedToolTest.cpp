// f2embed refusals: bad input leaves no generated files behind for the build to compile.
// (The generated code itself is compiled and checked by ResourceTableTest.)

#include "LayoutTestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace layoutc_test;

TEST(EmbedTool, RefusesBadArgumentsAndMissingFilesWithoutWriting)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("f2embed-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string outputs = (dir / "Out.cpp").string() + " " + (dir / "Out.h").string();
    const std::string icon = (DataDir() / "tiny.ico").string();

    const struct {
        std::string arguments;
        std::string message;
    } refusals[] = {
        {"Test " + outputs + " ICON MAINICON " + (dir / "missing.ico").string(),
         "f2embed: " + (dir / "missing.ico").string() + ": cannot read: No such file or directory\n"},
        {"Test " + outputs + " ICON MAINICON " + icon + " icon mainIcon " + icon,
         "f2embed: resource icon mainIcon given twice\n"},
        {"Test " + outputs + " ICON 'MAIN ICON' " + icon,
         "f2embed: resource type and name must be printable ASCII without quotes: 'ICON' 'MAIN ICON'\n"},
        {"9Lives " + outputs, "f2embed: prefix '9Lives' is not a C++ identifier\n"},
    };
    for (const auto& refusal : refusals) {
        const ToolRun run = RunTool("tools/embed/f2embed", refusal.arguments);
        EXPECT_EQ(run.exitCode, 1) << refusal.arguments;
        EXPECT_EQ(run.output, refusal.message);
        EXPECT_FALSE(std::filesystem::exists(dir / "Out.cpp"));
        EXPECT_FALSE(std::filesystem::exists(dir / "Out.h"));
    }
    const ToolRun usage = RunTool("tools/embed/f2embed", "Test " + outputs + " ICON MAINICON");
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_EQ(usage.output.rfind("usage: f2embed", 0), 0u);
    std::filesystem::remove_all(dir);
}
