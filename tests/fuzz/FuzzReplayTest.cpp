// Replays every file of every fuzz corpus through its target under the ordinary build, so that
// inputs which once broke something stay fixed even where no fuzzer is built. A target that
// finds a fault aborts with the broken invariant on stderr; the file being replayed is named
// just before.

#include "tests/fuzz/targets/FuzzTargets.h"

#include "tools/layoutc/LayoutCompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::filesystem::path> CorpusFiles(const char* target)
{
    const std::filesystem::path folder = std::filesystem::path(F2_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / target;
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Returns the number of files replayed.
size_t Replay(const char* target, fuzz::Target function)
{
    const std::vector<std::filesystem::path> files = CorpusFiles(target);
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::fprintf(stderr, "replaying %s\n", file.string().c_str());
        EXPECT_EQ(function(bytes.data(), bytes.size()), 0) << file;
    }
    return files.size();
}

} // namespace

// Each corpus holds hand-made seeds besides what the fuzzers found; an empty one would mean
// the folder was renamed and nothing is being replayed.
TEST(FuzzCorpusReplay, TextToFloat) { EXPECT_GE(Replay("text_to_float", &fuzz::TextToFloat), 10u); }
TEST(FuzzCorpusReplay, LayoutCompiler) { EXPECT_GE(Replay("layout_compiler", &fuzz::LayoutCompiler), 10u); }
TEST(FuzzCorpusReplay, BmpDecoder) { EXPECT_GE(Replay("bmp_decoder", &fuzz::BmpDecoder), 5u); }
TEST(FuzzCorpusReplay, IcoDecoder) { EXPECT_GE(Replay("ico_decoder", &fuzz::IcoDecoder), 3u); }
TEST(FuzzCorpusReplay, GraphicStreams) { EXPECT_GE(Replay("graphic_streams", &fuzz::GraphicStreams), 5u); }
TEST(FuzzCorpusReplay, LayoutReader) { EXPECT_GE(Replay("layout_reader", &fuzz::LayoutReader), 20u); }
TEST(FuzzCorpusReplay, CommandLine) { EXPECT_GE(Replay("command_line", &fuzz::CommandLine), 10u); }

// The main window's own stream, compiled from its layout text as it is now, through the reader
// target with and without the hooks that let a foreign stream read all the way through.
TEST(FuzzCorpusReplay, LayoutReaderOnTheMainWindowStream)
{
    const std::filesystem::path layout = std::filesystem::path(F2_SOURCE_DIR) / "app" / "Unit1.layout";
    if (!std::filesystem::exists(layout))
        GTEST_SKIP() << "no main window layout yet";
    const std::vector<uint8_t> stream = layoutc::LayoutCompiler::CompileFile(layout).bytes;
    for (uint8_t options : {0, 1, 9, 13}) {
        std::vector<uint8_t> input{options};
        input.insert(input.end(), stream.begin(), stream.end());
        EXPECT_EQ(fuzz::LayoutReader(input.data(), input.size()), 0);
    }
}
