#include "app/design/ValueText.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace design {

std::string EngineeringText(double value, const char* unit, int significantDigits)
{
    if (!std::isfinite(value))
        return fmt::format("{} {}", value, unit);
    static const char* const prefixes[] = {"f", "p", "n", "u", "m", "", "k", "M", "G", "T"};
    constexpr int unprefixed = 5;
    int group = 0;
    if (value != 0) {
        // Round to the digits first: 999.96 with four digits is 1,000 k, not 1000 of the unit.
        const int exponent = int(std::floor(std::log10(std::abs(value))));
        const double rounded = std::round(value / std::pow(10.0, exponent - significantDigits + 1)) *
                               std::pow(10.0, exponent - significantDigits + 1);
        group = int(std::floor(std::log10(std::abs(rounded)) / 3));
        group = std::clamp(group, -unprefixed, 9 - unprefixed);
    }
    const double scaled = value / std::pow(1000.0, group);
    const int integerDigits = scaled == 0 ? 1 : std::max(1, int(std::floor(std::log10(std::abs(scaled)))) + 1);
    const int decimals = std::max(0, significantDigits - integerDigits);
    std::string number = fmt::format("{:.{}f}", scaled, decimals);
    for (char& ch : number)
        if (ch == '.')
            ch = ',';
    return fmt::format("{} {}{}", number, prefixes[group + unprefixed], unit);
}

} // namespace design
