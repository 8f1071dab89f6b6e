#pragma once
// Axis label texts with SI prefixes and the window's decimal comma: "10", "100", "1k", "2,5k"
// for frequencies (the unit in the axis title), "20 µs", "1,5 ms" for times.

#include <string>

namespace details {

// At most three significant digits, trailing zeros dropped; unit empty: the prefix follows
// the number directly ("1k"); else a blank, the prefix and the unit ("20 µs", "0 s").
std::string PrefixedLabel(double value, const char* unit = "");

} // namespace details
