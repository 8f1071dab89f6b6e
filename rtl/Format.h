#pragma once
// printf-style message formatting for the fixed message texts ("List index out of bounds (%d)").

#include <fmt/printf.h>
#include <string>

namespace rtl {

template <typename... Args>
std::string Format(const char* pattern, const Args&... args)
{
    return fmt::sprintf(pattern, args...);
}

} // namespace rtl
