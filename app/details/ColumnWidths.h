#pragma once
// Column widths for a table of a given width: every column at least as wide as its widest
// text needs, and as near to its planned share as the room allows.

#include <vector>

namespace details {

// needs: the width each column's texts take; planned: the widths the columns would have on
// their own (summing to about total). Columns get max(need, planned) when that fits in total,
// the rest spread over all columns in proportion to their planned widths; when it does not
// fit, each column gets its need and the room left above the needs is shared in proportion
// to what each column still lacked. When even the needs do not fit, the needs are returned
// (the widest texts are clipped at the right edge).
std::vector<int> FitColumnWidths(const std::vector<int>& needs, const std::vector<int>& planned, int total);

} // namespace details
