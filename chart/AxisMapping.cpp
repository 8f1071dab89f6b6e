#include "chart/AxisMapping.h"

#include "rtl/NumberText.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr long double PixelLimit = 2147483647.0L;

// base + offset, or base - offset, kept inside the 32-bit range.
int OffsetPixel(int base, long double offset, bool subtract)
{
    const long long step = rtl::RoundHalfEven(offset);
    const long long pixel = subtract ? (long long)base - step : (long long)base + step;
    return int(std::clamp<long long>(pixel, INT_MIN, INT_MAX));
}

} // namespace

void AxisMapping::SetRange(double minimum, double maximum)
{
    minimum_ = minimum;
    maximum_ = maximum;
    range_ = double(static_cast<long double>(maximum_) - minimum_);
}

void AxisMapping::SetSpan(int start, int end)
{
    start_ = start;
    end_ = end;
}

void AxisMapping::LogBounds(long double& lnMin, long double& lnMax) const
{
    if (logOf_.minimum != minimum_ || logOf_.maximum != maximum_) {
        logOf_.minimum = minimum_;
        logOf_.maximum = maximum_;
        logOf_.lnMin = minimum_ > 0 ? std::log(static_cast<long double>(minimum_)) : 0;
        logOf_.lnMax = maximum_ > 0 ? std::log(static_cast<long double>(maximum_)) : 0;
    }
    lnMin = logOf_.lnMin;
    lnMax = logOf_.lnMax;
}

int AxisMapping::ValueToPixel(double value) const
{
    const int length = Length();
    if (!logarithmic_) {
        if (range_ == 0)
            return Center();
        const long double t = (static_cast<long double>(value) - minimum_) * length / range_;
        // Offsets beyond the 32-bit range (and non-numbers) are not placed at all.
        if (!(std::fabs(t) < PixelLimit))
            return Center();
        return MinimumAtEnd() ? OffsetPixel(end_, t, true) : OffsetPixel(start_, t, false);
    }
    long double lnMin, lnMax;
    LogBounds(lnMin, lnMax);
    if (lnMax - lnMin == 0)
        return Center();
    if (value <= 0)
        return MinimumAtEnd() ? end_ : start_;
    if (std::isnan(value))
        return Center();
    const long double lnValue = std::log(static_cast<long double>(value));
    const long double d = inverted_ ? lnMax - lnValue : lnValue - lnMin;
    // Tiny values far below the range give huge offsets: keep them at the 32-bit limit, on
    // their own side of the axis, so that they stay outside the plot.
    const long double t = std::clamp(d * length / (lnMax - lnMin), -PixelLimit, PixelLimit);
    return horizontal_ ? OffsetPixel(start_, t, false) : OffsetPixel(end_, t, true);
}

double AxisMapping::PixelToValue(int pixel) const
{
    const int length = Length();
    if (!logarithmic_) {
        if (length < 1)
            return 0;
        const long double offset = inverted_ ? end_ - pixel : pixel - start_;
        const long double t = offset * range_ / length;
        return double(horizontal_ ? minimum_ + t : maximum_ - t);
    }
    if (pixel == start_)
        return MinimumAtEnd() ? maximum_ : minimum_;
    if (pixel == end_)
        return MinimumAtEnd() ? minimum_ : maximum_;
    long double lnMin, lnMax;
    LogBounds(lnMin, lnMax);
    // A span without length has no inner pixels to convert.
    if (lnMax - lnMin == 0 || length == 0)
        return minimum_;
    const long double offset = inverted_ ? end_ - pixel : pixel - start_;
    const long double t = offset * (lnMax - lnMin) / length;
    return double(horizontal_ ? std::exp(lnMin + t) : std::exp(lnMax - t));
}

int AxisMapping::ValueToDepth(double value, int depth) const
{
    if (range_ == 0)
        return depth / 2;
    const long double d = inverted_ ? static_cast<long double>(maximum_) - value
                                    : static_cast<long double>(value) - minimum_;
    const long double t = depth * d / range_;
    return OffsetPixel(0, std::fabs(t) < PixelLimit ? t : 0, false);
}
