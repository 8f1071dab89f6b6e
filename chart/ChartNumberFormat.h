#pragma once
// Number formatting by picture patterns such as "#,##0.###", for axis labels and value texts.
//
// A pattern may have up to three sections separated by ";": positive, negative (written
// without a minus sign of its own) and zero. In a section "0" is a required digit, "#" an
// optional digit, "," anywhere before the decimal point turns on thousands grouping, "." marks
// the decimal point, "%" multiplies by 100 and is written, quoted text ('...' or "...") and any
// other character are written as they are. Rounding is to the number of decimal places the
// section allows.
//
// The program writes numbers with "," as the decimal separator everywhere, so the decimal
// point of a pattern comes out as "," and the thousands are grouped with a plain space
// ("1 234,5").

#include <string>
#include <string_view>

constexpr char ChartDecimalSeparator = ',';
constexpr char ChartThousandSeparator = ' ';

std::string FormatChartNumber(std::string_view pattern, double value);
