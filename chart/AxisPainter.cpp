#include "chart/AxisPainter.h"

#include "chart/ChartNumberFormat.h"
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
#include "rtl/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

int Nearest(long double value)
{
    return int(rtl::RoundHalfEven(value));
}

// The lines of a text separated by character 13, without copying.
template <class F>
void ForEachLine(std::string_view text, F&& f)
{
    int index = 0;
    for (;;) {
        const size_t end = text.find('\r');
        f(text.substr(0, end), index++);
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

// The highest number of label values a linear loop may produce before it gives up.
constexpr long double LabelLimit = 10000;
// How many values the program's own label values may supply.
constexpr int CustomLabelLimit = 2001;

} // namespace

AxisPainter::AxisPainter(TCustomChartAxis& axis)
    : axis_(axis), chart_(*axis.ParentChart()), surface_(*axis.ParentChart()->Canvas3D())
{
    if (axis.IsZAxis())
        side_ = Side::Depth;
    else if (axis.IsHorizontal())
        side_ = axis.IsFarSide() ? Side::Top : Side::Bottom;
    else
        side_ = axis.IsFarSide() ? Side::Right : Side::Left;
}

// --- Room ---------------------------------------------------------------------------------

int AxisPainter::Shrink(platform::Rect& r, int size) const
{
    switch (side_) {
    case Side::Bottom: return r.bottom -= size;
    case Side::Top: return r.top += size;
    case Side::Left: return r.left += size;
    case Side::Right: return r.right -= size;
    case Side::Depth: break;
    }
    return r.right;
}

int AxisPainter::PositionShift(const platform::Rect& rect) const
{
    if (axis_.PositionPercent() == 0)
        return 0;
    const long double size = axis_.IsHorizontal() ? rect.Height() : rect.Width();
    const int d = Nearest(static_cast<long double>(axis_.PositionPercent()) * 0.01L * size);
    return axis_.IsFarSide() ? -d : d;
}

int AxisPainter::ShiftedPos(int pos, int shift) const
{
    return axis_.IsHorizontal() ? pos - shift : pos + shift;
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
    if (RunsAlongAxis(title->Angle()))
        return surface_.FontPixelHeight();
    return surface_.MeasureTextWidth(title->Caption());
}

int AxisPainter::LabelsSize()
{
    if (axis_.LabelsSize() != 0)
        return axis_.LabelsSize();
    surface_.Font()->Assign(axis_.LabelsFont());
    if (RunsAlongAxis(axis_.LabelsAngle()))
        return surface_.FontPixelHeight();
    int widest = 0;
    const TAxisLabelStyle style = axis_.EffectiveLabelStyle();
    if (style == talMark || style == talText) {
        for (const TChartSeries* s : *chart_.SeriesList()) {
            if (!s->Active() || !s->BelongsToAxis(&axis_))
                continue;
            for (int i = 0; i < s->PointCount(); ++i) {
                const std::string text = style == talText
                                             ? s->PointLabel(i)
                                             : FormatChartNumber(s->ValueFormat(), s->PointY(i));
                widest = std::max(widest, surface_.MeasureTextWidth(text));
            }
        }
        return widest;
    }
    // Value labels: the wider of the two ends' texts, each end first cut to a whole step.
    double low = axis_.CurrentMinimum(), high = axis_.CurrentMaximum();
    if (axis_.RoundFirstLabel()) {
        const double step = axis_.ComputeLabelStep(surface_);
        if (step > 0) {
            low = step * std::trunc(low / step);
            high = step * std::trunc(high / step);
        }
    }
    surface_.Font()->Assign(axis_.LabelsFont());
    widest = std::max(surface_.MeasureTextWidth(axis_.FormatAxisLabel(low, false)),
                      surface_.MeasureTextWidth(axis_.FormatAxisLabel(high, false)));
    return widest + surface_.MeasureTextWidth(" ");
}

int AxisPainter::TickRoom() const
{
    int room = (axis_.Axis()->Visible() ? axis_.Axis()->Width() : 0) +
               (axis_.Ticks()->Visible() ? axis_.TickLength() : 0);
    if (axis_.MinorTicks()->Visible())
        room = std::max(room, axis_.MinorTickLength());
    return room;
}

void AxisPainter::TakeRoom(platform::Rect& r)
{
    axis_.SetShowsDateTime(axis_.UsesDateTimeValues());
    if (side_ == Side::Depth) {
        axis_.SetTitlePos(r.right);
        return;
    }
    // Only the positions set here move with the shift: a kept one must not drift paint by paint.
    const int shift = PositionShift(r);
    if (!axis_.Title()->Caption().empty())
        axis_.SetTitlePos(ShiftedPos(Shrink(r, TitleSize()), shift));
    if (axis_.Labels())
        axis_.SetLabelsPos(ShiftedPos(Shrink(r, LabelsSize()), shift));
    const int ticks = TickRoom() + chart_.AxisWallSize(&axis_);
    if (ticks > 0)
        Shrink(r, ticks);
}

// --- Paint --------------------------------------------------------------------------------

void AxisPainter::Paint()
{
    // The depth axis is drawn only by 3-D views, which this component does not draw.
    if (side_ == Side::Depth)
        return;
    axis_.SetShowsDateTime(axis_.UsesDateTimeValues());
    surface_.Font()->Assign(axis_.LabelsFont());
    const double step = axis_.ComputeLabelStep(surface_);
    const platform::Rect& plot = chart_.PlotRect();
    int linePos = plot.bottom;
    switch (side_) {
    case Side::Bottom: linePos = plot.bottom; break;
    case Side::Top: linePos = plot.top; break;
    case Side::Left: linePos = plot.left; break;
    case Side::Right: linePos = plot.right; break;
    case Side::Depth: break;
    }
    axis_.SetAxisLinePos(ShiftedPos(linePos, PositionShift(plot)));

    TChartAxisTitle* title = axis_.Title();
    if (!title->Caption().empty()) {
        surface_.Brush()->SetColor(chart_.Color());
        surface_.Brush()->SetStyle(bsClear);
        surface_.Font()->Assign(title->Font());
        const bool multiLine = title->Caption().find('\r') != std::string::npos;
        const int lineHeight = multiLine ? surface_.FontPixelHeight() : 0;
        if (axis_.IsHorizontal())
            PlaceText(axis_.PixelCenter(), axis_.TitlePos(), title->Angle(), title->Caption(), lineHeight);
        else
            PlaceText(axis_.TitlePos(), axis_.PixelCenter(), title->Angle(), title->Caption(), lineHeight);
    }

    tickCount_ = 0;
    if (step > 0 && axis_.CurrentMaximum() >= axis_.CurrentMinimum())
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
}

// --- Label loop ---------------------------------------------------------------------------

void AxisPainter::RunLabelLoop(double step)
{
    // With labels hidden and ticks only at labels, the loop would leave no trace.
    wantsLabels_ = axis_.Labels();
    if (!wantsLabels_ && axis_.TickOnLabelsOnly() && !chart_.OnGetNextAxisLabel()) {
        // The logarithmic loop's lift of a minimum of 0 or below still holds for the paint.
        const double minimum = axis_.CurrentMinimum();
        if (axis_.EffectiveLabelStyle() == talValue && axis_.Logarithmic() && axis_.Increment() == 0 &&
            minimum != axis_.CurrentMaximum() && minimum <= 0)
            axis_.SetCurrentMinimum(minimum < 0 ? 1e-10 : 0.1);
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
        const double low = axis_.CurrentMinimum() - 1e-7, high = axis_.CurrentMaximum() + 1e-7;
        int index = 0;
        for (; index < CustomLabelLimit; ++index) {
            double value = 0;
            bool stop = true;
            next(&axis_, index, value, stop);
            if (stop || value < low || value > high)
                break;
            AddCandidate(value);
        }
        if (index > 0)
            return;
    }
    if (!axis_.Logarithmic() || axis_.Increment() != 0)
        LinearValueLabels(step);
    else
        LogarithmicValueLabels();
}

void AxisPainter::LinearValueLabels(double step)
{
    const double minimum = axis_.CurrentMinimum(), maximum = axis_.CurrentMaximum();
    if (!(std::fabs(static_cast<long double>(axis_.CurrentRange()) / step) < LabelLimit))
        return;
    long double value = maximum;
    if (minimum != maximum && axis_.RoundFirstLabel())
        value = step * std::trunc(static_cast<long double>(maximum) / step);
    while (value > maximum)
        value -= step;
    const long double lowest = (static_cast<long double>(minimum) - 1e-12L) / 1.000000000001L;
    // A step below the values' precision would not move them: the count bounds the loop.
    for (int count = 0; value >= lowest && count <= int(LabelLimit); ++count) {
        AddCandidate(double(value));
        value -= step;
    }
}

void AxisPainter::LogarithmicValueLabels()
{
    double minimum = axis_.CurrentMinimum();
    const double maximum = axis_.CurrentMaximum();
    if (minimum == maximum)
        return;
    const long double base = axis_.LogarithmicBase();
    long double value;
    if (minimum > 0) {
        value = std::pow(base, static_cast<long double>(
                                   rtl::RoundHalfEven(std::log(static_cast<long double>(minimum)) / std::log(base))));
    } else {
        minimum = minimum < 0 ? 1e-10 : 0.1;
        axis_.SetCurrentMinimum(minimum);
        value = minimum;
    }
    for (int count = 0; value <= maximum && std::isfinite(value) && count < CustomLabelLimit; ++count) {
        if (value >= minimum)
            AddCandidate(double(value));
        value *= base;
    }
}

void AxisPainter::TextLabels(bool marks)
{
    const double minimum = axis_.CurrentMinimum(), maximum = axis_.CurrentMaximum();
    const bool horizontal = axis_.IsHorizontal();
    haveLastLabel_ = false;
    for (TChartSeries* s : *chart_.SeriesList()) {
        if (!s->Active() || !s->BelongsToAxis(&axis_))
            continue;
        for (int i = 0; i < s->PointCount(); ++i) {
            if (i >= s->PointLabelCount() || !s->PointLabelHasText(i))
                continue;
            const double value = horizontal ? s->PointX(i) : s->PointY(i);
            if (value < minimum || value > maximum)
                continue;
            const int p = axis_.ValueToPixel(value);
            if (!axis_.LabelsOnAxis() && !(axis_.PixelStart() < p && p < axis_.PixelEnd()))
                continue;
            const std::string text = marks ? FormatChartNumber(s->ValueFormat(), s->PointY(i)) : s->PointLabel(i);
            // Labels that would overlap the previous one (with the separation) are left out.
            const int size = RunsAlongAxis(axis_.LabelsAngle()) == horizontal ? surface_.MeasureTextWidth(text)
                                                                              : surface_.FontPixelHeight();
            const int half = size / 2 + Nearest(axis_.LabelsSeparation() * 0.01L * size) / 2;
            if (haveLastLabel_ && p + half > lastLabelLow_ && p - half < lastLabelHigh_)
                continue;
            haveLastLabel_ = true;
            lastLabelLow_ = p - half;
            lastLabelHigh_ = p + half;
            if (!axis_.TickOnLabelsOnly() || wantsLabels_)
                AppendTick(p, value);
            if (wantsLabels_)
                DrawLabel(p, text);
        }
    }
}

void AxisPainter::AddCandidate(double value)
{
    const int p = axis_.ValueToPixel(value);
    if (!axis_.LabelsOnAxis() && !(axis_.PixelStart() < p && p < axis_.PixelEnd()))
        return;
    if (!axis_.TickOnLabelsOnly() || wantsLabels_)
        AppendTick(p, value);
    if (wantsLabels_)
        DrawLabel(p, axis_.FormatAxisLabel(value));
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
    const bool multiLine = text.find('\r') != std::string_view::npos;
    const int lineHeight = multiLine ? surface_.FontPixelHeight() : 0;
    if (axis_.IsHorizontal())
        PlaceText(p, axis_.LabelsPos(), axis_.LabelsAngle(), text, lineHeight);
    else
        PlaceText(axis_.LabelsPos(), p, axis_.LabelsAngle(), text, lineHeight);
}

void AxisPainter::PlaceText(int x, int y, int angle, std::string_view text, int lineHeight)
{
    using namespace platform::textalign;
    // Text standing beside a vertical axis unrotated is centred on the position.
    const bool level = angle == 0 && !axis_.IsHorizontal();
    uint32_t align = Left | Top;
    int dx = 0, dy = 0;   // how each further line moves away from the plot
    switch (side_) {
    case Side::Bottom:
        if (angle == 0) { align = Center | Top; dy = lineHeight; }
        break;
    case Side::Top:
        if (angle == 0) { align = Center | Bottom; dy = -lineHeight; }
        break;
    case Side::Left:
        if (angle == 90) { align = Center | Bottom; dx = -lineHeight; }
        else if (level) { align = Right | Top; dy = lineHeight; }
        break;
    case Side::Right:
        if (angle == 270) { align = Center | Bottom; dx = lineHeight; }
        else if (level) { align = Left | Top; dy = lineHeight; }
        break;
    case Side::Depth:
        break;
    }
    surface_.ApplyTextAlign(align);
    surface_.ApplyBackMode(platform::BackgroundMode::Transparent);
    int lines = 1;
    if (level && lineHeight > 0)
        lines = int(std::count(text.begin(), text.end(), '\r')) + 1;
    if (level)
        y -= (lines * (lineHeight > 0 ? lineHeight : surface_.FontPixelHeight())) / 2;
    ForEachLine(text, [&](std::string_view line, int index) {
        const int lx = x + dx * index, ly = y + dy * index;
        if (angle == 0)
            surface_.PutText(lx, ly, line);
        else
            surface_.PutRotatedText(lx, ly, angle, line);
    });
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
    case Side::Bottom: surface_.HorizontalLine(axis_.PixelStart(), axis_.PixelEnd(), pos); break;
    case Side::Left: surface_.VerticalLine(pos, axis_.PixelStart(), axis_.PixelEnd()); break;
    case Side::Top: surface_.HorizontalLineAtDepth(axis_.PixelStart(), axis_.PixelEnd(), pos, depth); break;
    case Side::Right: surface_.VerticalLineAtDepth(pos, axis_.PixelStart(), axis_.PixelEnd(), depth); break;
    case Side::Depth: break;
    }
}

void AxisPainter::DrawTicks(TChartPen* pen, int from, int length)
{
    if (tickCount_ == 0)
        return;
    surface_.ApplyChartPen(pen);
    // Outward is down for the bottom axis, up for the top, left for the left, right for the right.
    const bool outwardPositive = side_ == Side::Bottom || side_ == Side::Right;
    const int sign = outwardPositive ? 1 : -1;
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
            DrawGridLine(Nearest((ticks_[size_t(i - 1)] + static_cast<long double>(ticks_[size_t(i)])) / 2));
    }
    surface_.ApplyBackMode(platform::BackgroundMode::Opaque);
}

void AxisPainter::DrawMinorMark(int pos, bool grid)
{
    if (!(axis_.PixelStart() < pos && pos < axis_.PixelEnd()))
        return;
    if (grid) {
        DrawGridLine(pos);
        return;
    }
    const bool outwardPositive = side_ == Side::Bottom || side_ == Side::Right;
    const int sign = outwardPositive ? 1 : -1;
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
        if (axis_.Logarithmic()) {
            const long double base = axis_.LogarithmicBase();
            for (int i = 0; i < tickCount_; ++i) {
                long double value = tickValues_[size_t(i)];
                const long double delta = (base * value - value) / (count + 1);
                for (int j = 0; j < count; ++j) {
                    value += delta;
                    if (value > axis_.CurrentMaximum())
                        break;
                    DrawMinorMark(axis_.ValueToPixel(double(value)), grid);
                }
            }
            continue;
        }
        const auto between = [&](int earlier, int later) {
            const long double gap = static_cast<long double>(later) - earlier;
            for (int j = 1; j <= count; ++j)
                DrawMinorMark(later - Nearest(j * gap / (count + 1)), grid);
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
