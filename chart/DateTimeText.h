#pragma once
// Date-time values as text, for axes that show date-times. A date-time is a number of days
// since 30 December 1899, the fraction being the time of day. Patterns know yyyy, yy, m, mm
// (month; minutes when they follow an hour), d, dd, h, hh, n, nn (minutes), s, ss and quoted
// text; any other character is written as it is.

#include <string>
#include <string_view>

inline constexpr std::string_view ShortDateFormat = "dd.mm.yyyy";
inline constexpr std::string_view ShortTimeFormat = "h:nn";

std::string FormatChartDateTime(std::string_view pattern, double dateTime);
