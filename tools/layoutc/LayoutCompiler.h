#pragma once
// Layout text in, binary layout stream out. The entry point for the layoutc tool and the tests.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace layoutc {

struct LayoutCompileResult {
    std::vector<uint8_t> bytes;
    // Every file the text pulled in through file(), bitmap() or picture(), in first-use order.
    std::vector<std::filesystem::path> dependencies;
};

class LayoutCompiler {
public:
    // fileName is the name used in error messages; files the text names are looked up
    // relative to baseDir. Raises ELayoutError "fileName:line: message" on malformed text.
    static LayoutCompileResult Compile(std::string_view text, const std::string& fileName,
                                       const std::filesystem::path& baseDir);

    // Reads and compiles a layout file; messages name the file as given.
    static LayoutCompileResult CompileFile(const std::filesystem::path& path);
};

} // namespace layoutc
