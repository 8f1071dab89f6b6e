// layoutc IN OUT [--depfile FILE]: compiles one layout text into its binary layout stream.
// On failure the message goes to stderr, the exit code is 1 and OUT is left untouched, so a
// failed build never leaves a half-written stream behind for the next step to embed.

#include "tools/layoutc/ELayoutError.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Make-style escaping for depfile paths: spaces, '#' and '$' are special there.
std::string DepfilePath(const std::filesystem::path& path)
{
    std::string out;
    for (char c : path.string()) {
        if (c == ' ' || c == '#')
            out += '\\';
        if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

// Writes through a temporary file and a rename so that readers never see a partial file.
void WriteAtomically(const std::filesystem::path& path, const std::string& bytes)
{
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw layoutc::ELayoutError(path.string() + ": cannot write");
        }
    }
    std::filesystem::rename(temporary, path);
}

int Usage()
{
    std::cerr << "usage: layoutc IN.layout OUT.bin [--depfile OUT.d]\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string depfile;
    if (args.size() == 4 && args[2] == "--depfile")
        depfile = args[3];
    else if (args.size() != 2)
        return Usage();
    const std::filesystem::path input = args[0];
    const std::filesystem::path output = args[1];

    try {
        const layoutc::LayoutCompileResult result = layoutc::LayoutCompiler::CompileFile(input);
        WriteAtomically(output, std::string(result.bytes.begin(), result.bytes.end()));
        if (!depfile.empty()) {
            std::string text = DepfilePath(std::filesystem::absolute(output)) + ":";
            text += " " + DepfilePath(std::filesystem::absolute(input).lexically_normal());
            for (const auto& dependency : result.dependencies)
                text += " " + DepfilePath(std::filesystem::absolute(dependency));
            WriteAtomically(depfile, text + "\n");
        }
    } catch (const layoutc::ELayoutError& error) {
        std::cerr << error.Message() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "layoutc: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
