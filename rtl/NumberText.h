#pragma once
// Number <-> text conversions with the comma as decimal separator, and the rounding rules the
// calculator relies on. Independent of the process locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

// Text to number: optional leading spaces, optional sign, digits with at most one ",",
// optional exponent (E/e, optional sign, digits), optional trailing spaces, nothing else.
// Returns false for any other text or a value outside the extended range.
bool TryTextToFloat(std::string_view text, long double& value);

// As TryTextToFloat, but raises EConvertError "'%s' is not a valid floating point value".
long double TextToFloat(std::string_view text);

// Nearest integer, ties to even.
int64_t RoundHalfEven(long double value);

// Plain decimal digits with a leading "-" for negative values.
std::string IntToText(int64_t value);

// General number format: at most 15 significant digits, "," as decimal separator, trailing
// zeros dropped, no thousands separator; scientific notation only where the plain form would
// need more than 15 digits before the separator or more than 4 zeros after it.
std::string FloatToText(long double value);

// k / 10 in general number format ("123" -> "12,3", "120" -> "12", "5" -> "0,5").
std::string OneDecimalText(int64_t k);

// 32-bit multiply-then-divide to the nearest integer, halves away from zero; a zero divisor
// (or a result outside the 32-bit range) gives -1.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

} // namespace rtl
