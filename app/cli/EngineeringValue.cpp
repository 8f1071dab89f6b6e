#include "app/cli/EngineeringValue.h"

#include "rtl/NumberText.h"

#include <cmath>
#include <strings.h>

namespace cli {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// SI prefixes by their power of ten; "u" and the micro signs (U+00B5, U+03BC) for micro, "K"
// as well as "k" for kilo. Consumes the prefix from the front of text.
std::optional<int> TakePrefix(std::string_view& text)
{
    struct Prefix {
        std::string_view symbol;
        int exponent;
    };
    static constexpr Prefix prefixes[] = {
        {"p", -12}, {"n", -9}, {"u", -6}, {"\xC2\xB5", -6}, {"\xCE\xBC", -6}, {"m", -3},
        {"k", 3},   {"K", 3},  {"M", 6},  {"G", 9},         {"T", 12},
    };
    for (const auto& p : prefixes)
        if (text.substr(0, p.symbol.size()) == p.symbol) {
            text.remove_prefix(p.symbol.size());
            return p.exponent;
        }
    return std::nullopt;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool IsUnit(std::string_view text, TQuantity quantity)
{
    switch (quantity) {
    case TQuantity::Number:
        return false;
    case TQuantity::Frequency:
        return SameText(text, "Hz");
    case TQuantity::Capacitance:
        return SameText(text, "F");
    case TQuantity::Resistance:
        return SameText(text, "ohm") || text == "\xCE\xA9" || text == "\xE2\x84\xA6";
    }
    return false;
}

} // namespace

std::optional<TEngineeringValue> TEngineeringValue::Parse(std::string_view text, TQuantity quantity)
{
    TEngineeringValue v;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        v.negative_ = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string integer, fraction;
    while (!text.empty() && IsDigit(text.front())) {
        integer += text.front();
        text.remove_prefix(1);
    }
    bool point = false;
    if (!text.empty() && (text.front() == '.' || text.front() == ',')) {
        point = true;
        text.remove_prefix(1);
        while (!text.empty() && IsDigit(text.front())) {
            fraction += text.front();
            text.remove_prefix(1);
        }
    }
    if (integer.empty() && fraction.empty())
        return std::nullopt;

    long exponent = 0;
    // An exponent: "e" or "E", an optional sign, digits.
    if (text.size() >= 2 && (text.front() == 'e' || text.front() == 'E') &&
        (IsDigit(text[1]) || ((text[1] == '+' || text[1] == '-') && text.size() >= 3 && IsDigit(text[2])))) {
        text.remove_prefix(1);
        bool negative = false;
        if (text.front() == '+' || text.front() == '-') {
            negative = text.front() == '-';
            text.remove_prefix(1);
        }
        while (!text.empty() && IsDigit(text.front())) {
            // Saturate far beyond any range the program accepts.
            if (exponent < 100000000)
                exponent = exponent * 10 + (text.front() - '0');
            text.remove_prefix(1);
        }
        if (negative)
            exponent = -exponent;
    }

    // A prefix, or the resistor code "R" (a decimal point of weight one), may stand for the
    // decimal point when the number has none: 4k7, 4n7, 4R7.
    std::optional<int> prefix = TakePrefix(text);
    if (!prefix && quantity == TQuantity::Resistance && !text.empty() && (text.front() == 'R' || text.front() == 'r') &&
        !IsUnit(text, quantity)) {
        text.remove_prefix(1);
        prefix = 0;
    }
    if (prefix && !point && exponent == 0 && !text.empty() && IsDigit(text.front())) {
        while (!text.empty() && IsDigit(text.front())) {
            fraction += text.front();
            text.remove_prefix(1);
        }
    }
    if (!text.empty() && !IsUnit(text, quantity))
        return std::nullopt;
    exponent += prefix.value_or(0);

    std::string digits = integer + fraction;
    exponent -= static_cast<long>(fraction.size());
    const size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    v.digits_ = digits;
    v.exponent_ = digits.empty() ? 0 : exponent;
    return v;
}

long double TEngineeringValue::Value() const
{
    if (digits_.empty())
        return 0;
    // Beyond these the value is infinite or zero in the extended format anyway.
    const long e = exponent_ > 100000 ? 100000 : exponent_ < -100000 ? -100000 : exponent_;
    const std::string text = (negative_ ? "-" : "") + digits_ + "e" + std::to_string(e);
    long double value = 0;
    // The grammar always holds here: a refusal means beyond the extended range.
    if (!rtl::TryTextToFloat(text, value))
        return negative_ ? -HUGE_VALL : HUGE_VALL;
    return value;
}

std::string TEngineeringValue::DecimalText(int unitExponent) const
{
    if (digits_.empty())
        return "0";
    const long e = exponent_ - unitExponent;
    std::string text;
    if (e >= 0) {
        text = digits_ + std::string(static_cast<size_t>(e), '0');
    } else {
        const long point = static_cast<long>(digits_.size()) + e;   // digits before the comma
        if (point > 0)
            text = digits_.substr(0, static_cast<size_t>(point)) + "," + digits_.substr(static_cast<size_t>(point));
        else
            text = "0," + std::string(static_cast<size_t>(-point), '0') + digits_;
    }
    return (negative_ ? "-" : "") + text;
}

} // namespace cli
