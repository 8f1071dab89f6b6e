#include "chart/AxisTextBlock.h"

#include "chart/ChartPixel.h"
#include "chart/TChartCanvas.h"
#include "chart/TextLines.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Below this a direction counts as lying exactly along the axis (turned unit vectors carry
// rounding errors of about 1e-16 at angles that are not right angles).
constexpr double Level = 1e-9;

int Sign(double value)
{
    return value > Level ? 1 : value < -Level ? -1 : 0;
}

} // namespace

AxisTextBlock::AxisTextBlock(TChartCanvas& canvas, std::string_view text, int angle, AxisSide side)
    : text_(text), angle_(((angle % 360) + 360) % 360), side_(side)
{
    // Right angles turn whole pixels onto whole pixels; keep them exact.
    switch (angle_) {
    case 0: cos_ = 1; sin_ = 0; break;
    case 90: cos_ = 0; sin_ = 1; break;
    case 180: cos_ = -1; sin_ = 0; break;
    case 270: cos_ = 0; sin_ = -1; break;
    default: {
        const double radians = angle_ * std::numbers::pi / 180;
        cos_ = std::cos(radians);
        sin_ = std::sin(radians);
    }
    }
    // Outward, away from the plot, in device coordinates (y grows downward).
    const int outward = OutwardSign(side_);
    const double ox = RunsAlongX(side_) ? 0 : outward, oy = RunsAlongX(side_) ? outward : 0;
    // The text reads along (cos, -sin); its lines follow one another along (sin, cos).
    const int reading = Sign(cos_ * ox - sin_ * oy);
    const int down = Sign(sin_ * ox + cos_ * oy);
    stack_ = down < 0 ? -1 : 1;
    align_ = reading == 0 ? LineAlign::Centre : reading < 0 ? LineAlign::End : LineAlign::Start;

    lineHeight_ = canvas.FontPixelHeight();
    bool first = true;
    ForEachLine(text_, [&](std::string_view line, int index) {
        const int width = canvas.MeasureTextWidth(line);
        const double p0 = LineStart(width), p1 = p0 + width;
        const double q0 = LineTop(index), q1 = q0 + lineHeight_;
        for (const double p : {p0, p1})
            for (const double q : {q0, q1}) {
                const Offset at = Turn(p, q);
                if (first) {
                    minX_ = maxX_ = at.x;
                    minY_ = maxY_ = at.y;
                    first = false;
                }
                minX_ = std::min(minX_, at.x);
                maxX_ = std::max(maxX_, at.x);
                minY_ = std::min(minY_, at.y);
                maxY_ = std::max(maxY_, at.y);
            }
    });
}

AxisTextBlock::Offset AxisTextBlock::Turn(double p, double q) const
{
    return {p * cos_ + q * sin_, q * cos_ - p * sin_};
}

int AxisTextBlock::LineStart(int width) const
{
    switch (align_) {
    case LineAlign::Centre: return -(width / 2);
    case LineAlign::End: return -width;
    case LineAlign::Start: break;
    }
    return 0;
}

int AxisTextBlock::Across() const
{
    if (RunsAlongX(side_))
        return int(std::ceil(maxY_) - std::floor(minY_));
    return int(std::ceil(maxX_) - std::floor(minX_));
}

int AxisTextBlock::Along() const
{
    if (RunsAlongX(side_))
        return int(std::ceil(maxX_) - std::floor(minX_));
    return int(std::ceil(maxY_) - std::floor(minY_));
}

void AxisTextBlock::Draw(TChartCanvas& canvas, int along, int anchor) const
{
    // The block's origin: centred along the axis (halves toward zero, as the surface centres
    // text), its inner edge on the anchor.
    int x, y;
    if (RunsAlongX(side_)) {
        x = along - int((minX_ + maxX_) / 2);
        y = side_ == AxisSide::Bottom ? anchor - int(std::floor(minY_)) : anchor - int(std::ceil(maxY_));
    } else {
        y = along - int((minY_ + maxY_) / 2);
        x = side_ == AxisSide::Left ? anchor - int(std::ceil(maxX_)) : anchor - int(std::floor(minX_));
    }
    canvas.ApplyTextAlign(platform::textalign::Left | platform::textalign::Top);
    canvas.ApplyBackMode(platform::BackgroundMode::Transparent);
    ForEachLine(text_, [&](std::string_view line, int index) {
        const Offset corner = Turn(LineStart(canvas.MeasureTextWidth(line)), LineTop(index));
        const int lx = x + NearestPixel(corner.x), ly = y + NearestPixel(corner.y);
        if (angle_ == 0)
            canvas.PutText(lx, ly, line);
        else
            canvas.PutRotatedText(lx, ly, angle_, line);
    });
}
