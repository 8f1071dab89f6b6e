#pragma once
// Small text helpers: ASCII case-insensitive comparison (names in layouts and resources
// compare this way) and identifier validation.

#include <string>
#include <string_view>

namespace rtl {

bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);   // ASCII letters only
std::string LowerCase(std::string_view text);   // ASCII letters only
// A letter or "_" followed by letters, digits or "_" (ASCII).
bool IsValidIdent(std::string_view text);

} // namespace rtl
