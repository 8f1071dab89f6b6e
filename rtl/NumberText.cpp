#include "rtl/NumberText.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace rtl {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The "C" locale, created once, so that conversion never depends on the process locale.
locale_t CLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Checks the grammar and produces the same number in the C library's notation
// (decimal point instead of comma, no surrounding spaces).
bool Normalise(std::string_view text, std::string& out)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    bool mantissaDigits = false;
    bool separator = false;
    while (i < n) {
        if (IsDigit(text[i])) {
            mantissaDigits = true;
            out += text[i];
        } else if (text[i] == ',' && !separator) {
            separator = true;
            out += '.';
        } else {
            break;
        }
        ++i;
    }
    if (!mantissaDigits && !separator)
        return false;
    if (!mantissaDigits)
        out += '0'; // "," alone or "-," reads as zero
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        bool exponentDigits = false;
        while (i < n && IsDigit(text[i])) {
            exponentDigits = true;
            out += text[i++];
        }
        if (!exponentDigits)
            return false;
    }
    while (i < n && text[i] == ' ')
        ++i;
    return i == n;
}

} // namespace

bool TryTextToFloat(std::string_view text, long double& value)
{
    std::string normalised;
    normalised.reserve(text.size() + 2);
    if (!Normalise(text, normalised))
        return false;
    // The C library parses the mantissa "0." correctly; make "5." and ".5" explicit anyway.
    errno = 0;
    char* end = nullptr;
    const long double result = strtold_l(normalised.c_str(), &end, CLocale());
    if (end != normalised.c_str() + normalised.size())
        return false;
    if (std::isinf(result))
        return false; // beyond the extended range
    value = result;
    return true;
}

long double TextToFloat(std::string_view text)
{
    long double value = 0;
    if (!TryTextToFloat(text, value))
        throw EConvertError(Format("'%s' is not a valid floating point value", std::string(text)));
    return value;
}

int64_t RoundHalfEven(long double value)
{
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const long long result = std::llrint(value);
    if (previous != FE_TONEAREST)
        std::fesetround(previous);
    return result;
}

std::string IntToText(int64_t value)
{
    return fmt::format("{}", value);
}

std::string FloatToText(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    // 15 significant digits, then decide between fixed and scientific notation.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14Le", value);
    std::string text(buffer);
    const size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits;
    const bool negative = text[0] == '-';
    for (size_t i = negative ? 1 : 0; i < ePos; ++i)
        if (IsDigit(text[i]))
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string result = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        result += digits[0];
        if (digits.size() > 1)
            result += "," + digits.substr(1);
        result += "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
        return result;
    }
    if (exponent < 0) {
        result += "0," + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        return result;
    }
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        result += digits + std::string(integerDigits - digits.size(), '0');
    } else {
        result += digits.substr(0, integerDigits) + "," + digits.substr(integerDigits);
    }
    return result;
}

std::string OneDecimalText(int64_t k)
{
    return FloatToText(static_cast<long double>(k) / 10.0L);
}

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t quotient = product / denominator;
    const int64_t remainder = product % denominator;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (remainder != 0 && 2 * (remainder < 0 ? -remainder : remainder) >=
                              (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int32_t>::max() || quotient < std::numeric_limits<int32_t>::min())
        return -1;
    return static_cast<int32_t>(quotient);
}

} // namespace rtl
