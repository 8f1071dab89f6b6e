#include "tools/layoutc/LayoutCompiler.h"

#include "tools/layoutc/ELayoutError.h"
#include "tools/layoutc/LayoutLexer.h"
#include "tools/layoutc/LayoutParser.h"
#include "tools/layoutc/LayoutStreamWriter.h"
#include "rtl/Format.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace layoutc {

LayoutCompileResult LayoutCompiler::Compile(std::string_view text, const std::string& fileName,
                                            const std::filesystem::path& baseDir)
{
    LayoutParser parser(LayoutLexer(text, fileName).Tokenize(), fileName, baseDir);
    LayoutStreamWriter writer;
    parser.Parse(writer);
    return {writer.Bytes(), parser.Dependencies()};
}

LayoutCompileResult LayoutCompiler::CompileFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ELayoutError(rtl::Format("%s: cannot read: %s", path.string(), std::strerror(errno)));
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw ELayoutError(rtl::Format("%s: read error", path.string()));
    return Compile(text, path.string(), path.parent_path());
}

} // namespace layoutc
