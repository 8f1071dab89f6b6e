#include "chart/AxisPainter.h"

#include "chart/AxisTextBlock.h"
#include "chart/ChartPixel.h"
#include "chart/TChartAxisPen.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartHiddenPen.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"
#include "chart/TCustomAxisPanel.h"
#include "chart/TDarkGrayPen.h"
#include "chart/TDottedGrayPen.h"
#include "forms/TBrush.h"
#include "forms/TFont.h"

#include <algorithm>
#include <cmath>

namespace {

// The highest number of label values a linear loop may produce before it gives up.
constexpr long double LabelLimit = 10000;
// How many values the program's own label values may supply.
constexpr int CustomLabelLimit = 2001;

} // namespace

AxisPainter::AxisPainter(const TCustomChartAxis& axis)
    : axis_(axis), chart_(*axis.ParentChart()), surface_(*axis.ParentChart()->Canvas3D()),
      side_(axis.Side()), map_(axis.Mapping())
{
}

// --- Room ---------------------------------------------------------------------------------

int AxisPainter::Shrink(platform::Rect& r, int size) const
{
    switch (side_) {
    case AxisSide::Bottom: return r.bottom -= size;
    case AxisSide::Top: return r.top += size;
    case AxisSide::Left: return r.left += size;
    case AxisSide::Right: return r.right -= size;
    case AxisSide::Depth: break;
    }
    return r.right;
}

int AxisPainter::PositionShift(const TCustomChartAxis& axis, const platform::Rect& plot)
{
    if (axis.PositionPercent() == 0)
        return 0;
    const long double size = axis.IsHorizontal() ? plot.Height() : plot.Width();
    const int d = NearestPixel(static_cast<long double>(axis.PositionPercent()) * 0.01L * size);
    // Into the plot: up for the bottom axis, right for the left one; far-side axes mirrored.
    const int inward = axis.IsHorizontal() ? -d : d;
    return axis.IsFarSide() ? -inward : inward;
}

bool AxisPainter::RunsAlongAxis(int angle) const
{
    if (axis_.IsHorizontal())
        return angle == 0 || angle == 180;
    return angle == 90 || angle == 270;
}

int AxisPainter::TitleSize()
{
    if (axis_.TitleSize() != 0)
        return axis_.TitleSize();
    TChartAxisTitle* title = axis_.Title();
    surface_.Font()->Assign(title->Font());
    return AxisTextBlock(surface_, title->Caption(), title->Angle(), side_).Across();
}

int AxisPainter::LabelsSize(const platform::Rect& r)
{
    if (axis_.LabelsSize() != 0)
        return axis_.LabelsSize();
    surface_.Font()->Assign(axis_.LabelsFont());
    const int angle = axis_.LabelsAngle();
    // Labels that run along the axis need at least one line, whatever their texts.
    const bool along = RunsAlongAxis(angle);
    int widest = along ? surface_.FontPixelHeight() : 0;
    const auto measure = [&](std::string_view text) {
        widest = std::max(widest, AxisTextBlock(surface_, text, angle, side_).Across());
    };
    const TAxisLabelStyle style = axis_.EffectiveLabelStyle();
    if (style == talMark || style == talText) {
        for (TChartSeries* s : *chart_.SeriesList()) {
            if (!s->Active() || !s->BelongsToAxis(&axis_))
                continue;
            for (int i = 0; i < s->PointCount(); ++i)
                measure(axis_.FormatTextLabel(style == talText ? s->PointLabel(i) : s->MarkText(i), s, i, false));
        }
        return widest;
    }
    // Value labels: the wider of the two ends' texts, each end first cut to a whole step, all
    // without the program's label event. The step is the one of the span the axis would have
    // over r (its final span for the side axes, which come after the others): the room does
    // not depend on what an earlier paint left behind.
    double low = map_.Minimum(), high = map_.Maximum();
    if (axis_.RoundFirstLabel()) {
        const double step = axis_.LabelStepForLength(surface_, axis_.PixelLengthOver(r), false);
        if (step > 0) {
            low = step * std::trunc(low / step);
            high = step * std::trunc(high / step);
        }
    }
    surface_.Font()->Assign(axis_.LabelsFont());
    measure(axis_.FormatAxisLabel(low, false));
    measure(axis_.FormatAxisLabel(high, false));
    return along ? widest : widest + surface_.MeasureTextWidth(" ");
}

int AxisPainter::TickRoom() const
{
    int room = (axis_.Axis()->Visible() ? axis_.Axis()->Width() : 0) +
               (axis_.Ticks()->Visible() ? axis_.TickLength() : 0);
    if (axis_.MinorTicks()->Visible())
        room = std::max(room, axis_.MinorTickLength());
    return room;
}

AxisRoom AxisPainter::TakeRoom(platform::Rect& r)
{
    AxisRoom room;
    if (side_ == AxisSide::Depth) {
        room.titlePos = r.right;
        return room;
    }
    if (!axis_.Title()->Caption().empty())
        room.titlePos = Shrink(r, TitleSize());
    if (axis_.Labels())
        room.labelsPos = Shrink(r, LabelsSize(r));
    const int ticks = TickRoom() + chart_.AxisWallSize(&axis_);
    if (ticks > 0)
        Shrink(r, ticks);
    return room;
}

// --- Paint --------------------------------------------------------------------------------

std::optional<double> AxisPainter::Paint()
{
    // The depth axis is drawn only by 3-D views, which this component does not draw.
    if (side_ == AxisSide::Depth)
        return std::nullopt;
    surface_.Font()->Assign(axis_.LabelsFont());
    const double step = axis_.ComputeLabelStep(surface_);

    TChartAxisTitle* title = axis_.Title();
    if (!title->Caption().empty()) {
        surface_.Brush()->SetColor(chart_.Color());
        surface_.Brush()->SetStyle(bsClear);
        surface_.Font()->Assign(title->Font());
        AxisTextBlock(surface_, title->Caption(), title->Angle(), side_)
            .Draw(surface_, map_.Center(), axis_.TitlePos());
    }

    tickCount_ = 0;
    if (step > 0 && map_.Maximum() >= map_.Minimum())
        RunLabelLoop(step);

    DrawAxisLine();
    if (axis_.Ticks()->Visible())
        DrawTicks(axis_.Ticks(), 1, axis_.TickLength());
    if (axis_.Grid()->Visible())
        DrawGrid();
    if (axis_.TicksInner()->Visible() && axis_.TickInnerLength() != 0)
        DrawTicks(axis_.TicksInner(), -1, -axis_.TickInnerLength());
    if (tickCount_ > 0)
        DrawMinorMarks();
    return lifted_;
}

void AxisPainter::LiftMinimum(double minimum)
{
    map_.SetRange(minimum, map_.Maximum());
    lifted_ = minimum;
}

// --- Label loop ---------------------------------------------------------------------------

void AxisPainter::RunLabelLoop(double step)
{
    // With labels hidden and ticks only at labels, the loop would leave no trace.
    wantsLabels_ = axis_.Labels();
    if (!wantsLabels_ && axis_.TickOnLabelsOnly() && !chart_.OnGetNextAxisLabel()) {
        // The logarithmic loop's lift of a minimum of 0 or below still holds for the paint.
        const double minimum = map_.Minimum();
        if (axis_.EffectiveLabelStyle() == talValue && map_.Logarithmic() && axis_.Increment() == 0 &&
            minimum != map_.Maximum() && minimum <= 0)
            LiftMinimum(minimum < 0 ? 1e-10 : 0.1);
        return;
    }
    surface_.Font()->Assign(axis_.LabelsFont());
    switch (axis_.EffectiveLabelStyle()) {
    case talValue: ValueLabels(step); break;
    case talMark: TextLabels(true); break;
    case talText: TextLabels(false); break;
    default: break;
    }
}

void AxisPainter::ValueLabels(double step)
{
    if (const TAxisOnGetNextLabel& next = chart_.OnGetNextAxisLabel()) {
        const double low = map_.Minimum() - 1e-7, high = map_.Maximum() + 1e-7;
        // The event hands the program its own axis, which it may change.
        TCustomChartAxis* sender = const_cast<TCustomChartAxis*>(&axis_);
        int index = 0;
        for (; index < CustomLabelLimit; ++index) {
            double value = 0;
            bool stop = true;
            next(sender, index, value, stop);
            if (stop || value < low || value > high)
                break;
            AddCandidate(value);
        }
        if (index > 0)
            return;
    }
    if (!map_.Logarithmic() || axis_.Increment() != 0)
        LinearValueLabels(step);
    else
        LogarithmicValueLabels();
}

void AxisPainter::LinearValueLabels(double step)
{
    const double minimum = map_.Minimum(), maximum = map_.Maximum();
    if (!(std::fabs(static_cast<long double>(map_.Range()) / step) < LabelLimit))
        return;
    long double value = maximum;
    if (minimum != maximum && axis_.RoundFirstLabel())
        value = step * std::trunc(static_cast<long double>(maximum) / step);
    while (value > maximum)
        value -= step;
    // The last value taken may lie a relative 1e-12 below the minimum (rounding of the steps).
    // Dividing by 1.000000000001 widens that margin only for a minimum of 0 or above; below 0
    // it would narrow it and leave out the label of the minimum itself, so there the margin
    // grows by multiplying.
    const long double below = static_cast<long double>(minimum) - 1e-12L;
    const long double lowest = minimum >= 0 ? below / 1.000000000001L : below * 1.000000000001L;
    // A step below the values' precision would not move them: the count bounds the loop.
    for (int count = 0; value >= lowest && count <= int(LabelLimit); ++count) {
        AddCandidate(double(value));
        value -= step;
    }
}

void AxisPainter::LogarithmicValueLabels()
{
    double minimum = map_.Minimum();
    const double maximum = map_.Maximum();
    if (minimum == maximum)
        return;
    const long double base = axis_.LogarithmicBase();
    long double value;
    if (minimum > 0) {
        value = std::pow(base, static_cast<long double>(
                                   rtl::RoundHalfEven(std::log(static_cast<long double>(minimum)) / std::log(base))));
    } else {
        minimum = minimum < 0 ? 1e-10 : 0.1;
        LiftMinimum(minimum);
        value = minimum;
    }
    // Repeated multiplication from a lifted 0.1 (or 1e-10) drifts: 0.1 times 10^4 comes out a
    // little above 1000. A relative margin of 1e-12 keeps the decade at the maximum.
    const long double highest = static_cast<long double>(maximum) * (1 + 1e-12L);
    for (int count = 0; value <= highest && std::isfinite(value) && count < CustomLabelLimit; ++count) {
        if (value >= minimum)
            AddCandidate(double(value));
        value *= base;
    }
}

void AxisPainter::TextLabels(bool marks)
{
    const double minimum = map_.Minimum(), maximum = map_.Maximum();
    const bool horizontal = axis_.IsHorizontal();
    haveLastLabel_ = false;
    for (TChartSeries* s : *chart_.SeriesList()) {
        if (!s->Active() || !s->BelongsToAxis(&axis_))
            continue;
        for (int i = 0; i < s->PointCount(); ++i) {
            // Every point has a mark; only points with a text have a text label.
            if (!marks && (i >= s->PointLabelCount() || !s->PointLabelHasText(i)))
                continue;
            const double value = horizontal ? s->PointX(i) : s->PointY(i);
            if (value < minimum || value > maximum)
                continue;
            const int p = map_.ValueToPixel(value);
            if (!axis_.LabelsOnAxis() && !(map_.Start() < p && p < map_.End()))
                continue;
            const std::string text = axis_.FormatTextLabel(marks ? s->MarkText(i) : s->PointLabel(i), s, i);
            // A label is left out when its extent along the axis, enlarged on each side by the
            // separation (a percentage of its full size), overlaps the previous label's. The
            // extent is the one the text is drawn in: centred on p, halves toward zero.
            const int size = axis_.LabelSizeAlongAxis(surface_, text);
            const int margin = NearestPixel(axis_.LabelsSeparation() * 0.01L * size);
            const int low = p - size / 2 - margin, high = p - size / 2 + size + margin;
            if (haveLastLabel_ && low < lastLabelHigh_ && high > lastLabelLow_)
                continue;
            haveLastLabel_ = true;
            lastLabelLow_ = low;
            lastLabelHigh_ = high;
            if (!axis_.TickOnLabelsOnly() || wantsLabels_)
                AppendTick(p, value);
            if (wantsLabels_)
                DrawLabel(p, text);
        }
    }
}

void AxisPainter::AddCandidate(double value)
{
    const int p = map_.ValueToPixel(value);
    if (!axis_.LabelsOnAxis() && !(map_.Start() < p && p < map_.End()))
        return;
    if (!axis_.TickOnLabelsOnly() || wantsLabels_)
        AppendTick(p, value);
    if (wantsLabels_)
        DrawLabel(p, axis_.FormatAxisLabel(value, true, map_));
}

void AxisPainter::AppendTick(int pixel, double value)
{
    if (tickCount_ >= MaxTicks)
        return;
    ticks_[size_t(tickCount_)] = pixel;
    tickValues_[size_t(tickCount_)] = value;
    ++tickCount_;
}

void AxisPainter::DrawLabel(int p, std::string_view text)
{
    surface_.Brush()->SetStyle(bsClear);
    AxisTextBlock(surface_, text, axis_.LabelsAngle(), side_).Draw(surface_, p, axis_.LabelsPos());
}

// --- Lines --------------------------------------------------------------------------------

void AxisPainter::DrawAxisLine()
{
    if (!axis_.Axis()->Visible())
        return;
    surface_.ApplyChartPen(axis_.Axis());
    const int pos = axis_.AxisLinePos();
    const int depth = chart_.Depth3D();
    switch (side_) {
    case AxisSide::Bottom: surface_.HorizontalLine(map_.Start(), map_.End(), pos); break;
    case AxisSide::Left: surface_.VerticalLine(pos, map_.Start(), map_.End()); break;
    case AxisSide::Top: surface_.HorizontalLineAtDepth(map_.Start(), map_.End(), pos, depth); break;
    case AxisSide::Right: surface_.VerticalLineAtDepth(pos, map_.Start(), map_.End(), depth); break;
    case AxisSide::Depth: break;
    }
}

void AxisPainter::DrawTicks(TChartPen* pen, int from, int length)
{
    if (tickCount_ == 0)
        return;
    surface_.ApplyChartPen(pen);
    // Outward is down for the bottom axis, up for the top, left for the left, right for the right.
    const int sign = OutwardSign(side_);
    const int start = axis_.AxisLinePos() + sign * from;
    const int end = start + sign * length;
    for (int i = 0; i < tickCount_; ++i) {
        const int p = ticks_[size_t(i)];
        if (axis_.IsHorizontal())
            surface_.VerticalLine(p, start, end);
        else
            surface_.HorizontalLine(start, end, p);
    }
}

void AxisPainter::DrawGridLine(int pos)
{
    const platform::Rect& plot = chart_.PlotRect();
    if (axis_.IsHorizontal())
        surface_.VerticalLine(pos, plot.top, plot.bottom);
    else
        surface_.HorizontalLine(plot.left, plot.right, pos);
}

void AxisPainter::DrawGrid()
{
    if (tickCount_ == 0)
        return;
    surface_.Brush()->SetStyle(bsClear);
    surface_.ApplyBackMode(platform::BackgroundMode::Transparent);
    surface_.ApplyChartPen(axis_.Grid());
    if (axis_.Grid()->Color() == clDefault)
        surface_.Pen()->SetColor(clGray);
    for (int i = 0; i < tickCount_; ++i) {
        if (!axis_.GridCentered())
            DrawGridLine(ticks_[size_t(i)]);
        else if (i > 0)
            DrawGridLine(NearestPixel((ticks_[size_t(i - 1)] + static_cast<long double>(ticks_[size_t(i)])) / 2));
    }
    surface_.ApplyBackMode(platform::BackgroundMode::Opaque);
}

void AxisPainter::DrawMinorMark(int pos, bool grid)
{
    if (!(map_.Start() < pos && pos < map_.End()))
        return;
    if (grid) {
        DrawGridLine(pos);
        return;
    }
    const int sign = OutwardSign(side_);
    const int start = axis_.AxisLinePos() + sign;
    const int end = start + sign * axis_.MinorTickLength();
    if (axis_.IsHorizontal())
        surface_.VerticalLine(pos, start, end);
    else
        surface_.HorizontalLine(start, end, pos);
}

void AxisPainter::DrawMinorMarks()
{
    const int count = axis_.MinorTickCount();
    if (count <= 0)
        return;
    for (const bool grid : {false, true}) {
        TChartPen* pen = grid ? static_cast<TChartPen*>(axis_.MinorGrid()) : axis_.MinorTicks();
        if (!pen->Visible())
            continue;
        surface_.ApplyChartPen(pen);
        if (map_.Logarithmic()) {
            const long double base = axis_.LogarithmicBase();
            for (int i = 0; i < tickCount_; ++i) {
                long double value = tickValues_[size_t(i)];
                const long double delta = (base * value - value) / (count + 1);
                for (int j = 0; j < count; ++j) {
                    value += delta;
                    if (value > map_.Maximum())
                        break;
                    DrawMinorMark(map_.ValueToPixel(double(value)), grid);
                }
            }
            continue;
        }
        const auto between = [&](int earlier, int later) {
            const long double gap = static_cast<long double>(later) - earlier;
            for (int j = 1; j <= count; ++j)
                DrawMinorMark(later - NearestPixel(j * gap / (count + 1)), grid);
        };
        for (int i = 1; i < tickCount_; ++i)
            between(ticks_[size_t(i - 1)], ticks_[size_t(i)]);
        if (tickCount_ >= 2) {
            // The same spacing continues one step beyond the first and the last position.
            const int first = ticks_[0], second = ticks_[1];
            between(first + (first - second), first);
            const int last = ticks_[size_t(tickCount_ - 1)], before = ticks_[size_t(tickCount_ - 2)];
            between(last, last + (last - before));
        }
    }
}
