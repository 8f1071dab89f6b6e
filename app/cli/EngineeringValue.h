#pragma once
// Values as engineers type them: "1000", "1k", "1kHz", "2.5k", "2,5k", "4k7" (the prefix as
// the decimal point), "10n", "4n7", "0.1u", "100p", "10nF", "1e3", "33kOhm". The value is kept
// as its decimal digits and a power of ten, so that it can be rewritten exactly in any unit
// (as the window would have it typed: "4k7" ohm is "4,7" in its kOhm field).

#include <optional>
#include <string>
#include <string_view>

namespace cli {

enum class TQuantity {
    Number,        // no unit; SI prefixes allowed ("100k")
    Frequency,     // optional unit Hz
    Resistance,    // optional unit ohm, Ohm or the ohm sign; "R" as the decimal point (4R7)
    Capacitance,   // optional unit F
};

class TEngineeringValue {
public:
    // Nothing when the text does not follow the notation or names another quantity's unit.
    static std::optional<TEngineeringValue> Parse(std::string_view text, TQuantity quantity);

    // The value, correctly rounded (infinite or 0 when beyond the extended range).
    long double Value() const;
    // The value divided by 10^unitExponent as a decimal text with the window's comma and no
    // exponent ("4,7" for 4700 with unitExponent 3). Meant for values already known to lie in
    // a sane range: the text has as many digits as the value needs.
    std::string DecimalText(int unitExponent) const;

    bool Negative() const { return negative_; }

private:
    bool negative_ = false;
    std::string digits_;   // significant digits, no leading zeros ("" for zero)
    long exponent_ = 0;    // value = digits * 10^exponent
};

} // namespace cli
