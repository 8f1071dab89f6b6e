#pragma once
// Helpers shared by the layout compiler tests: compiling text held in memory and picking out
// the bytes of one property value.

#include "tools/layoutc/LayoutCompiler.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace layoutc_test {

using Bytes = std::vector<uint8_t>;

inline std::filesystem::path DataDir()
{
    return std::filesystem::path(F2_SOURCE_DIR) / "tests" / "tools" / "data";
}

inline Bytes Compile(const std::string& text, const std::filesystem::path& baseDir = DataDir())
{
    return layoutc::LayoutCompiler::Compile(text, "test.layout", baseDir).bytes;
}

// Compiles "F : T { P = <value> }" and returns the value's tag and payload alone.
inline Bytes ValueBytes(const std::string& value)
{
    const Bytes all = Compile("F : T {\n  P = " + value + "\n}\n");
    // "TPF0", class "T", name "F", property name "P" before the value; two list ends after it.
    const size_t start = 4 + 2 + 2 + 2;
    return Bytes(all.begin() + start, all.end() - 2);
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace layoutc_test
