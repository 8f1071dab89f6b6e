// The layout compiler on arbitrary text. Every input ends in one of two ways: a well-formed
// binary layout stream, or an ELayoutError whose message names the file and an existing line
// ("fuzz.layout:12: ..."). Any other exception, a crash or a hang is a fault.
//
// The text may name files (file(), bitmap(), picture()); they are looked up in a sandbox
// folder holding a small bitmap, an icon and a few other files. Texts that name a path with
// a "/" in it are skipped: they could reach devices such as /dev/zero or /proc/kcore, which
// say nothing about the compiler and would only exhaust memory or time.

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/StreamWalker.h"

#include "tools/layoutc/ELayoutError.h"
#include "tools/layoutc/LayoutCompiler.h"
#include "tools/layoutc/LayoutLexer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {
namespace {

constexpr const char* kName = "layout_compiler";
constexpr const char* kFileName = "fuzz.layout";

void WriteFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// The folder the fuzzed texts may read files from; made once per process.
const std::filesystem::path& Sandbox()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path path = std::filesystem::path(F2_BINARY_DIR) / "fuzz-sandbox" / "layout";
        std::filesystem::create_directories(path / "folder");
        const std::filesystem::path data = std::filesystem::path(F2_SOURCE_DIR) / "tests" / "tools" / "data";
        for (const char* name : {"tiny.bmp", "tiny.ico"})
            std::filesystem::copy_file(data / name, path / name, std::filesystem::copy_options::overwrite_existing);
        WriteFile(path / "empty", "");
        WriteFile(path / "BM", "BM");
        WriteFile(path / "ico", std::string("\0\0\1\0", 4));
        WriteFile(path / "text.txt", "Form1 : TForm1 {\n}\n");
        return path;
    }();
    return folder;
}

// True when a string in the text could name a file outside the sandbox. Texts the lexer
// refuses name no file at all.
bool NamesOutsidePath(std::string_view text)
{
    try {
        for (const layoutc::LayoutToken& token : layoutc::LayoutLexer(text, kFileName).Tokenize())
            if (token.kind == layoutc::LayoutToken::Kind::String && token.text.find('/') != std::string::npos)
                return true;
    } catch (const layoutc::ELayoutError&) {
    }
    return false;
}

void CheckErrorMessage(std::string_view text, const std::string& message)
{
    const std::string prefix = std::string(kFileName) + ":";
    F2_FUZZ_CHECK(kName, message.compare(0, prefix.size(), prefix) == 0, "error without the file name: " + message);
    size_t pos = prefix.size();
    long long line = 0;
    while (pos < message.size() && message[pos] >= '0' && message[pos] <= '9' && line < 100000000)
        line = line * 10 + (message[pos++] - '0');
    F2_FUZZ_CHECK(kName, pos > prefix.size() && message.compare(pos, 2, ": ") == 0 && message.size() > pos + 2,
                  "error without 'file:line: text': " + message);
    const long long lines = std::count(text.begin(), text.end(), '\n') + 1;
    F2_FUZZ_CHECK(kName, line >= 1 && line <= lines,
                  "error names line " + std::to_string(line) + " of a " + std::to_string(lines) + "-line text");
}

} // namespace

int LayoutCompiler(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (NamesOutsidePath(text))
        return 0;
    try {
        const layoutc::LayoutCompileResult result = layoutc::LayoutCompiler::Compile(text, kFileName, Sandbox());
        StreamWalker walker(result.bytes);
        F2_FUZZ_CHECK(kName, walker.Walk(), "compiled stream is malformed: " + walker.Error());
        for (const std::filesystem::path& dependency : result.dependencies)
            F2_FUZZ_CHECK(kName, dependency.parent_path() == Sandbox().lexically_normal(),
                          "dependency outside the sandbox: " + dependency.string());
    } catch (const layoutc::ELayoutError& error) {
        CheckErrorMessage(text, error.Message());
    } catch (const std::exception& error) {
        Broken(kName, std::string("unexpected exception: ") + error.what());
    }
    return 0;
}

} // namespace fuzz
