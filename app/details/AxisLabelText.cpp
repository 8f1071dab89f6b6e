#include "app/details/AxisLabelText.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace details {

std::string PrefixedLabel(double value, const char* unit)
{
    static const char* const prefixes[] = {"f", "p", "n", "µ", "m", "", "k", "M", "G", "T"};
    constexpr int unprefixed = 5;
    int group = 0;
    double scaled = value == 0 ? 0.0 : value;
    if (value != 0 && std::isfinite(value)) {
        // Rounded to three digits first, so that 999.96 becomes "1k" rather than "1e+03".
        const int exponent = int(std::floor(std::log10(std::abs(value))));
        const double unitStep = std::pow(10.0, exponent - 2);
        const double rounded = std::round(value / unitStep) * unitStep;
        group = std::clamp(int(std::floor(std::log10(std::abs(rounded)) / 3)), -unprefixed, 9 - unprefixed);
        scaled = rounded / std::pow(1000.0, group);
    }
    std::string number = fmt::format("{:.3g}", scaled);
    std::replace(number.begin(), number.end(), '.', ',');
    if (*unit == 0)
        return number + prefixes[group + unprefixed];
    return fmt::format("{} {}{}", number, prefixes[group + unprefixed], unit);
}

} // namespace details
