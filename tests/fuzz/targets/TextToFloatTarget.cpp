// Text to number on arbitrary bytes. Besides not crashing, the conversion must accept exactly
// the calculator's grammar:
//   spaces, [sign], digits with at most one ",", [E|e [sign] digits], spaces
// (a digit or the "," must be there), and refuse only values beyond the extended range.
// The grammar is checked here by splitting the text into its parts, a different route from
// the converter's single left-to-right scan, so that a slip in either shows up as a mismatch.

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

#include "rtl/Exception.h"
#include "rtl/NumberText.h"

#include <cmath>
#include <string>
#include <string_view>

namespace fuzz {
namespace {

constexpr const char* kName = "text_to_float";

bool AllDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

struct Parts {
    bool valid = false;
    bool negative = false;
    std::string_view integer;    // digits before the ","
    std::string_view fraction;   // digits after it
    bool exponentNegative = false;
    std::string_view exponent;   // digits of the exponent, empty without one
};

Parts Split(std::string_view text)
{
    Parts parts;
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return parts;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.front() == '+' || text.front() == '-') {
        parts.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const size_t e = text.find_first_of("eE");
    std::string_view mantissa = text.substr(0, e);
    if (e != std::string_view::npos) {
        std::string_view exponent = text.substr(e + 1);
        if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
            parts.exponentNegative = exponent.front() == '-';
            exponent.remove_prefix(1);
        }
        if (exponent.empty() || !AllDigits(exponent))
            return parts;
        parts.exponent = exponent;
    }
    const size_t comma = mantissa.find(',');
    parts.integer = mantissa.substr(0, comma);
    parts.fraction = comma == std::string_view::npos ? std::string_view() : mantissa.substr(comma + 1);
    if (mantissa.empty() || !AllDigits(parts.integer) || !AllDigits(parts.fraction))
        return parts;
    parts.valid = true;
    return parts;
}

// The decimal exponent of the leading significant digit (d.ddd x 10^k), saturated far
// beyond the extended range; false when every digit is zero.
bool DecimalMagnitude(const Parts& parts, long long& magnitude)
{
    long long exponent = 0;
    for (char c : parts.exponent)
        exponent = exponent > 100000000 ? exponent : exponent * 10 + (c - '0');
    if (parts.exponentNegative)
        exponent = -exponent;
    const size_t lead = parts.integer.find_first_not_of('0');
    if (lead != std::string_view::npos) {
        magnitude = static_cast<long long>(parts.integer.size() - lead) - 1 + exponent;
        return true;
    }
    const size_t fractionLead = parts.fraction.find_first_not_of('0');
    if (fractionLead == std::string_view::npos)
        return false;
    magnitude = -static_cast<long long>(fractionLead) - 1 + exponent;
    return true;
}

} // namespace

int TextToFloat(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    long double value = 0;
    const bool accepted = rtl::TryTextToFloat(text, value);
    const Parts parts = Split(text);

    if (accepted) {
        F2_FUZZ_CHECK(kName, text.find_first_not_of(" +-0123456789,eE") == std::string_view::npos,
                      "accepted a text with a character outside the grammar");
        F2_FUZZ_CHECK(kName, parts.valid, "accepted a text that breaks the grammar");
        F2_FUZZ_CHECK(kName, std::isfinite(value), "accepted text gave a value that is not finite");
        F2_FUZZ_CHECK(kName, !(value < 0 && !parts.negative) && !(value > 0 && parts.negative),
                      "the sign of the value differs from the text");
    }
    long long magnitude = 0;
    const bool nonZero = parts.valid && DecimalMagnitude(parts, magnitude);
    if (parts.valid && (!nonZero || magnitude <= 4931))
        F2_FUZZ_CHECK(kName, accepted, "refused a text of the grammar within the extended range");
    if (parts.valid && nonZero && magnitude >= 4933)
        F2_FUZZ_CHECK(kName, !accepted, "accepted a value beyond the extended range");
    if (accepted && nonZero && magnitude > -4900 && magnitude < 4900) {
        // Where the value is normal, its size must follow the text's decimal exponent.
        const long double log = std::log10(std::fabs(value));
        F2_FUZZ_CHECK(kName, log > magnitude - 1e-9L && log < magnitude + 1 + 1e-9L,
                      "the value's magnitude does not match the text");
    }
    if (!nonZero && accepted)
        F2_FUZZ_CHECK(kName, value == 0, "an all-zero text gave a non-zero value");

    // The raising form agrees, and its message quotes the whole text.
    try {
        const long double raised = rtl::TextToFloat(text);
        F2_FUZZ_CHECK(kName, accepted && raised == value, "TextToFloat accepted what TryTextToFloat refused");
    } catch (const EConvertError& error) {
        F2_FUZZ_CHECK(kName, !accepted, "TextToFloat refused what TryTextToFloat accepted");
        F2_FUZZ_CHECK(kName, error.Message() == "'" + std::string(text) + "' is not a valid floating point value",
                      "the conversion error does not quote the whole text");
    }
    return 0;
}

} // namespace fuzz
