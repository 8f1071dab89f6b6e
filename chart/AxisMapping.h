#pragma once
// The mapping of an axis between values and pixels: a range of values, a span of pixels and
// the rule between them (linear or logarithmic). Horizontal axes grow to the right, vertical
// ones upward; an inverted axis the other way. Everything that places a pixel by value, or
// reads a value at a pixel, goes through one of these.
//
// The formulas are the chart's own, exactly: offsets are computed in extended precision and
// rounded to the nearest pixel, halves to even; linear offsets beyond the 32-bit range map to
// the span's centre, logarithmic ones are clamped to it so that such points stay on their side.

#include <limits>

class AxisMapping {
public:
    // The axis's direction and scale.
    void SetDirection(bool horizontal) { horizontal_ = horizontal; }
    void SetInverted(bool value) { inverted_ = value; }
    void SetLogarithmic(bool value) { logarithmic_ = value; }
    bool IsHorizontal() const { return horizontal_; }
    bool Inverted() const { return inverted_; }
    bool Logarithmic() const { return logarithmic_; }

    // The range of values; the range (maximum - minimum) is stored as a double.
    void SetRange(double minimum, double maximum);
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Range() const { return range_; }

    // The span of pixels along the axis (x for horizontal axes, y for vertical ones).
    void SetSpan(int start, int end);
    int Start() const { return start_; }
    int End() const { return end_; }
    int Length() const { return end_ - start_; }
    int Center() const { return (start_ + end_) / 2; }

    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
    // A position in depth (0 to depth) for the depth axis, which maps onto the chart's 3-D depth
    // instead of a span: depth / 2 for an empty range.
    int ValueToDepth(double value, int depth) const;

    // Whether the minimum lies at the span's end (a vertical axis, or an inverted horizontal
    // one): the pixel at which values start is then the end.
    bool MinimumAtEnd() const { return horizontal_ ? inverted_ : !inverted_; }
    // Of the two edges of an interval along the axis (first: left or top), the one where the
    // lower values lie, and the other one.
    int LowEdge(int first, int last) const { return MinimumAtEnd() ? last : first; }
    int HighEdge(int first, int last) const { return MinimumAtEnd() ? first : last; }

private:
    // The natural logarithms of the range's ends (0 for ends that are not positive), taken
    // once per range: every point of a paint maps through the same one.
    void LogBounds(long double& lnMin, long double& lnMax) const;

    bool horizontal_ = true, inverted_ = false, logarithmic_ = false;
    double minimum_ = 0, maximum_ = 0, range_ = 0;
    int start_ = 0, end_ = 0;
    struct LogCache {
        double minimum = std::numeric_limits<double>::quiet_NaN();
        double maximum = std::numeric_limits<double>::quiet_NaN();
        long double lnMin = 0;
        long double lnMax = 0;
    };
    mutable LogCache logOf_;
};
