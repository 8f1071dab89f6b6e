#include "app/details/ColumnWidths.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace details {

namespace {

// Adds amount to the widths in proportion to the weights; the rounding remainder goes to the
// last column with a weight.
void Spread(std::vector<int>& widths, const std::vector<int>& weights, int amount)
{
    const int64_t total = std::accumulate(weights.begin(), weights.end(), int64_t(0));
    if (total <= 0)
        return;
    size_t last = 0;
    int given = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        const int part = int(weights[i] * int64_t(amount) / total);
        widths[i] += part;
        given += part;
        if (weights[i] > 0)
            last = i;
    }
    widths[last] += amount - given;
}

} // namespace

std::vector<int> FitColumnWidths(const std::vector<int>& needs, const std::vector<int>& planned, int total)
{
    std::vector<int> widths(needs);
    std::vector<int> lacking(needs.size());
    for (size_t i = 0; i < needs.size(); ++i)
        lacking[i] = std::max(0, planned[i] - needs[i]);
    const int spare = total - std::accumulate(needs.begin(), needs.end(), 0);
    const int lacked = std::accumulate(lacking.begin(), lacking.end(), 0);
    if (spare <= 0)
        return widths;
    if (lacked >= spare) {
        // Not room for every plan: each column gets the same part of what it lacked.
        Spread(widths, lacking, spare);
        return widths;
    }
    for (size_t i = 0; i < needs.size(); ++i)
        widths[i] += lacking[i];
    // What is left over spreads like the plan.
    Spread(widths, planned, spare - lacked);
    return widths;
}

} // namespace details
