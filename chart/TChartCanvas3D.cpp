#include "chart/TChartCanvas3D.h"

#include "chart/ChartPixel.h"
#include "chart/TView3DOptions.h"
#include "forms/TBitmap.h"
#include "forms/TCanvas.h"
#include "rtl/Exception.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

using platform::Point;
using platform::Rect;

namespace {

// Points along the ellipse in the box, counter-clockwise from the ray toward (x3, y3) to the
// ray toward (x4, y4), as the classic arc calls take them.
std::vector<Point> ArcPoints(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    const double rx = std::fabs(x2 - x1) / 2.0, ry = std::fabs(y2 - y1) / 2.0;
    double from = std::atan2(cy - y3, x3 - cx);
    double to = std::atan2(cy - y4, x4 - cx);
    if (to <= from)
        to += 2 * std::numbers::pi;
    const int steps = std::max(8, int((rx + ry) * (to - from) / 2));
    std::vector<Point> points;
    points.reserve(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = from + (to - from) * i / steps;
        points.push_back({NearestPixel(cx + rx * std::cos(t)), NearestPixel(cy - ry * std::sin(t))});
    }
    return points;
}

} // namespace

TChartCanvas3D::TChartCanvas3D(TCanvas* windowCanvas)
{
    AttachCanvas(windowCanvas);
}

TChartCanvas3D::~TChartCanvas3D() = default;

platform::DeviceContext& TChartCanvas3D::Dc()
{
    // Asking the canvas for its context also selects its current font, pen and brush.
    // A surface without a canvas has nothing to draw on, as a canvas without a context.
    if (!ReferenceCanvas())
        throw EInvalidOperation("Canvas does not allow drawing");
    return ReferenceCanvas()->Handle();
}

// --- Buffering ----------------------------------------------------------------------------

Rect TChartCanvas3D::BeginDrawing(TCanvas* windowCanvas, const Rect& target, TView3DOptions* options,
                                  bool view3D)
{
    options_ = options;
    is3D_ = view3D;
    orthogonal_ = false;
    zoom_ = 1.0;
    if (is3D_ && options_) {
        orthogonal_ = options_->Orthogonal();
        zoom_ = options_->Zoom() * 0.01;
        zoomText_ = options_->ZoomText();
    }
    if (!buffered_) {
        AttachCanvas(windowCanvas);
        bounds_ = target;
        return bounds_;
    }
    const int width = target.Width();
    const int height = target.Height();
    if (bitmap_ && (bitmap_->Width() != width || bitmap_->Height() != height))
        bitmap_.reset();
    if (!bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->SetSize(width, height);
        bitmap_->SetMonochrome(monochrome_);
    }
    AttachCanvas(bitmap_->Canvas());
    bounds_ = {0, 0, width, height};
    return bounds_;
}

void TChartCanvas3D::EndDrawing(TCanvas* destination, TCanvas* windowCanvas, const Rect& target)
{
    if (buffered_ && bitmap_) {
        if (destination)
            destination->BitBlt(target.left, target.top, bitmap_->Width(), bitmap_->Height(),
                                bitmap_->Image(), 0, 0);
        dirty_ = false;
    }
    AttachCanvas(windowCanvas);
}

bool TChartCanvas3D::RepaintFromBuffer(TCanvas* target)
{
    if (dirty_ || !buffered_ || !bitmap_)
        return false;
    TCanvas* to = target ? target : ReferenceCanvas();
    if (!to)
        return false;
    to->BitBlt(0, 0, bitmap_->Width(), bitmap_->Height(), bitmap_->Image(), 0, 0);
    return true;
}

void TChartCanvas3D::ApplyBuffering(bool value)
{
    if (value == buffered_)
        return;
    buffered_ = value;
    if (!value) {
        bitmap_.reset();
        dirty_ = true;
    }
}

void TChartCanvas3D::ApplyMonochrome(bool value)
{
    if (value == monochrome_)
        return;
    monochrome_ = value;
    bitmap_.reset();
    dirty_ = true;
    if (onRepaint_)
        onRepaint_(nullptr);
}

void TChartCanvas3D::CopySettings(const TCanvas3D& other)
{
    ApplyMonochrome(other.IsMonochrome());
}

// --- Projection ---------------------------------------------------------------------------

void TChartCanvas3D::SetProjection(int depth, const Rect&, const Rect& plot)
{
    centerX_ = (plot.left + plot.right) / 2;
    centerY_ = (plot.top + plot.bottom) / 2;
    centerZ_ = depth / 2;
    xOffset_ = centerX_;
    yOffset_ = centerY_;
    perspective_ = 0;
    if (options_) {
        xOffset_ += options_->HorizOffset();
        yOffset_ += options_->VertOffset();
        if (options_->Perspective() > 0)
            perspective_ = options_->Perspective() / 35000.0;
    }
}

Point TChartCanvas3D::ProjectPoint(int x, int y, int z) const
{
    if (!is3D_)
        return {x, y};
    // The orthogonal view shifts a point right and up by its depth. A fully rotated view is
    // drawn the same way: no chart of this program uses one.
    return {NearestPixel(static_cast<long double>(zoom_) * (x + z - centerX_)) + xOffset_,
            NearestPixel(static_cast<long double>(y - centerY_ - z) * zoom_) + yOffset_};
}

Point TChartCanvas3D::UnprojectPoint(Point screen, int z) const
{
    if (!is3D_ || zoom_ == 0)
        return screen;
    return {NearestPixel((screen.x - xOffset_) / static_cast<long double>(zoom_)) + centerX_ - z,
            z + NearestPixel((screen.y - yOffset_) / static_cast<long double>(zoom_)) + centerY_};
}

void TChartCanvas3D::BeginFlatDrawing()
{
    savedIs3D_ = is3D_;
    is3D_ = false;
}

void TChartCanvas3D::EndFlatDrawing()
{
    is3D_ = savedIs3D_;
}

// --- Device context state -----------------------------------------------------------------

TColor TChartCanvas3D::ReadBackColor()
{
    return PixelToColor(Dc().BackColor());
}

platform::BackgroundMode TChartCanvas3D::ReadBackMode()
{
    return Dc().BackMode();
}

platform::DeviceContext* TChartCanvas3D::DeviceHandle()
{
    return ReferenceCanvas() ? &Dc() : nullptr;
}

uint32_t TChartCanvas3D::ReadTextAlign()
{
    return Dc().TextAlign();
}

void TChartCanvas3D::ApplyBackColor(TColor color)
{
    Dc().SetBackColor(ColorToPixel(color));
}

void TChartCanvas3D::ApplyBackMode(platform::BackgroundMode mode)
{
    Dc().SetBackMode(mode);
}

void TChartCanvas3D::ApplyTextAlign(uint32_t flags)
{
    Dc().SetTextAlign(flags);
}

// --- Shapes and lines ---------------------------------------------------------------------

void TChartCanvas3D::PutPixel(int x, int y, TColor color)
{
    Dc();
    ReferenceCanvas()->SetPixel(x, y, color);
}

void TChartCanvas3D::DrawArc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Dc();
    const std::vector<Point> points = ArcPoints(x1, y1, x2, y2, x3, y3, x4, y4);
    ReferenceCanvas()->Polyline(points);
}

void TChartCanvas3D::DrawPieSlice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Dc();
    std::vector<Point> points = ArcPoints(x1, y1, x2, y2, x3, y3, x4, y4);
    points.push_back({(x1 + x2) / 2, (y1 + y2) / 2});
    ReferenceCanvas()->Polygon(points);
}

void TChartCanvas3D::DrawRoundBox(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    Dc();
    const int cw = std::min(std::abs(cornerWidth), std::abs(x2 - x1));
    const int ch = std::min(std::abs(cornerHeight), std::abs(y2 - y1));
    if (cw < 2 || ch < 2) {
        ReferenceCanvas()->Rectangle(x1, y1, x2, y2);
        return;
    }
    // Four quarter ellipses joined by the straight sides, counter-clockwise from top right.
    std::vector<Point> points;
    auto corner = [&](int bx1, int by1, int startX, int startY, int endX, int endY) {
        const std::vector<Point> arc = ArcPoints(bx1, by1, bx1 + cw, by1 + ch, startX, startY, endX, endY);
        points.insert(points.end(), arc.begin(), arc.end());
    };
    const int r = x2 - 1, b = y2 - 1;
    corner(r - cw, y1, r, y1 + ch / 2, r - cw / 2, y1);        // top right
    corner(x1, y1, x1 + cw / 2, y1, x1, y1 + ch / 2);          // top left
    corner(x1, b - ch, x1, b - ch / 2, x1 + cw / 2, b);        // bottom left
    corner(r - cw, b - ch, r - cw / 2, b, r, b - ch / 2);      // bottom right
    ReferenceCanvas()->Polygon(points);
}

void TChartCanvas3D::DrawGraphic(int x, int y, TGraphic* graphic)
{
    if (graphic)
        ReferenceCanvas()->Draw(x, y, *graphic);
}

void TChartCanvas3D::DrawGraphicStretched(const Rect& rect, TGraphic* graphic)
{
    if (graphic)
        ReferenceCanvas()->StretchDraw(rect, *graphic);
}

void TChartCanvas3D::DrawEllipse(int x1, int y1, int x2, int y2)
{
    Dc();
    ReferenceCanvas()->Ellipse(x1, y1, x2, y2);
}

void TChartCanvas3D::FillArea(const Rect& rect)
{
    Dc();
    ReferenceCanvas()->FillRect(rect);
}

void TChartCanvas3D::EraseArea(const Rect& rect)
{
    FillArea(rect);
}

void TChartCanvas3D::DrawBox(int x0, int y0, int x1, int y1)
{
    Dc();
    ReferenceCanvas()->Rectangle(x0, y0, x1, y1);
}

void TChartCanvas3D::DrawBoxRect(const Rect& rect)
{
    DrawBox(rect.left, rect.top, rect.right, rect.bottom);
}

void TChartCanvas3D::DrawBevel(const Rect& rect, TColor topLeft, int width, TColor bottomRight)
{
    Dc();
    TCanvas& canvas = *ReferenceCanvas();
    canvas.Pen()->SetWidth(1);
    Rect r{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    for (int i = 0; i < width; ++i) {
        canvas.Pen()->SetColor(topLeft);
        const Point upper[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
        canvas.Polyline(upper);
        canvas.Pen()->SetColor(bottomRight);
        const Point lower[] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
        canvas.Polyline(lower);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
}

void TChartCanvas3D::MoveToPoint(int x, int y)
{
    Dc();
    ReferenceCanvas()->MoveTo(x, y);
}

void TChartCanvas3D::LineToPoint(int x, int y)
{
    Dc();
    ReferenceCanvas()->LineTo(x, y);
}

void TChartCanvas3D::HorizontalLine(int x0, int x1, int y)
{
    MoveToPoint(x0, y);
    LineToPoint(x1, y);
}

void TChartCanvas3D::VerticalLine(int x, int y0, int y1)
{
    MoveToPoint(x, y0);
    LineToPoint(x, y1);
}

void TChartCanvas3D::DrawSegment(int x0, int y0, int x1, int y1)
{
    // A segment that starts where the last one ended continues its path, so that a dashed or
    // dotted pen runs its pattern on along a series instead of starting it at every point.
    Dc();
    if (ReferenceCanvas()->PenPos() != platform::Point{x0, y0})
        MoveToPoint(x0, y0);
    LineToPoint(x1, y1);
}

void TChartCanvas3D::DrawPolygon(const Point* points, int lastIndex)
{
    if (!points || lastIndex < 0)
        return;
    Dc();
    ReferenceCanvas()->Polygon(std::span<const Point>(points, size_t(lastIndex) + 1));
}

// --- Clipping -----------------------------------------------------------------------------

void TChartCanvas3D::ClipToRect(const Rect& rect)
{
    // The context keeps the clip in device coordinates; it converts the logical rectangle.
    Dc().IntersectClip(rect);
}

void TChartCanvas3D::ClipToPlotBox(const Rect& rect, int z0, int z1)
{
    if (!is3D_) {
        // The left and top edges belong to the wall outline; series stay inside it.
        ClipToRect({rect.left + 1, rect.top + 1, rect.right, rect.bottom - 1});
        return;
    }
    // The platform clips to rectangles only: take the box around the projected corners.
    const Point corners[] = {ProjectPoint(rect.left, rect.top, z0), ProjectPoint(rect.right, rect.bottom, z0),
                             ProjectPoint(rect.left, rect.top, z1), ProjectPoint(rect.right, rect.bottom, z1)};
    Rect box{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const Point& p : corners) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    ClipToRect(box);
}

void TChartCanvas3D::RemoveClip()
{
    Dc().RemoveClip();
}

// --- Text ---------------------------------------------------------------------------------

void TChartCanvas3D::PutText(int x, int y, std::string_view text)
{
    platform::DeviceContext& dc = Dc();
    dc.SetTextColor(ColorToPixel(Font()->Color()));
    dc.TextOut(x, y, text);
}

void TChartCanvas3D::PutTextWithFont(int x, int y, int angle, std::string_view text)
{
    platform::DeviceContext& dc = Dc();
    const platform::FontSpec saved = dc.Font();
    platform::FontSpec font = saved;
    font.escapement = angle * 10;
    if (ZoomsText()) {
        const long double points = std::max<long double>(1, Font()->Size() * static_cast<long double>(zoom_));
        font.height = -NearestPixel(points * Font()->PixelsPerInch() / 72);
    }
    dc.SetFont(font);
    try {
        PutText(x, y, text);
    } catch (...) {
        dc.SetFont(saved);
        throw;
    }
    dc.SetFont(saved);
}

void TChartCanvas3D::PutRotatedText(int x, int y, int angle, std::string_view text)
{
    if (angle > 360)
        angle -= 360;
    Brush()->SetStyle(bsClear);
    PutTextWithFont(x, y, angle, text);
}

void TChartCanvas3D::PutRotatedTextAtDepth(int x, int y, int z, int angle, std::string_view text)
{
    const Point p = ProjectPoint(x, y, z);
    PutRotatedText(p.x, p.y, angle, text);
}

void TChartCanvas3D::PutTextAtDepth(int x, int y, std::string_view text, int z)
{
    const Point p = ProjectPoint(x, y, z);
    if (ZoomsText())
        PutTextWithFont(p.x, p.y, 0, text);
    else
        PutText(p.x, p.y, text);
}

int TChartCanvas3D::MeasureTextWidth(std::string_view text)
{
    try {
        return Dc().TextExtent(text).cx;
    } catch (const Exception&) {
        return 0;   // nothing to measure with: the text takes no room
    }
}

int TChartCanvas3D::MeasureTextHeight(std::string_view text)
{
    try {
        return Dc().TextExtent(text).cy;
    } catch (const Exception&) {
        return 0;
    }
}

// --- Gradient -----------------------------------------------------------------------------

namespace {

// Fills strips of one colour at a time, making a brush only when the colour changes.
// Neighbouring strips of the same colour are filled as one rectangle: an even gradient
// (both colours equal) is then a single fill.
class StripFiller {
public:
    StripFiller(platform::DeviceContext& dc, TChartCanvas3D::GradientStats& stats)
        : dc_(dc), stats_(stats), saved_(dc.Brush())
    {
        stats_ = {};
    }
    ~StripFiller()
    {
        Flush();
        dc_.SetBrush(saved_);
    }

    void Fill(const Rect& r, TColor color)
    {
        if (pending_ && color == color_ && Joins(r)) {
            area_ = {std::min(area_.left, r.left), std::min(area_.top, r.top), std::max(area_.right, r.right),
                     std::max(area_.bottom, r.bottom)};
            return;
        }
        Flush();
        if (!haveBrush_ || color != color_) {
            color_ = color;
            haveBrush_ = true;
            dc_.SetBrush({ColorToPixel(color), platform::BrushStyle::Solid});
            ++stats_.brushes;
        }
        area_ = r;
        pending_ = true;
    }

private:
    // Whether r continues the pending area along one side, so that both make one rectangle.
    bool Joins(const Rect& r) const
    {
        if (r.left == area_.left && r.right == area_.right)
            return r.bottom == area_.top || r.top == area_.bottom;
        if (r.top == area_.top && r.bottom == area_.bottom)
            return r.right == area_.left || r.left == area_.right;
        return false;
    }
    void Flush()
    {
        if (!pending_)
            return;
        dc_.FillRect(area_);
        ++stats_.fills;
        pending_ = false;
    }

    platform::DeviceContext& dc_;
    TChartCanvas3D::GradientStats& stats_;
    platform::BrushSpec saved_;
    TColor color_ = clBlack;
    bool haveBrush_ = false;
    bool pending_ = false;
    Rect area_;
};

TColor Blend(TColor start, int dr, int dg, int db, int step, int steps)
{
    // With a single step, or two equal colours, there is nothing to blend toward.
    if (steps <= 0 || (dr == 0 && dg == 0 && db == 0))
        return start;
    return MakeColor(uint8_t(ColorRed(start) + rtl::MulDiv(step, dr, steps)),
                     uint8_t(ColorGreen(start) + rtl::MulDiv(step, dg, steps)),
                     uint8_t(ColorBlue(start) + rtl::MulDiv(step, db, steps)));
}

} // namespace

void TChartCanvas3D::FillGradient(const Rect& rect, TColor first, TGradientDirection direction, TColor second)
{
    if (direction != gdTopBottom && direction != gdLeftRight)
        std::swap(first, second);
    const TColor start = ColorToRGB(first);
    const TColor end = ColorToRGB(second);
    const int dr = ColorRed(end) - ColorRed(start);
    const int dg = ColorGreen(end) - ColorGreen(start);
    const int db = ColorBlue(end) - ColorBlue(start);
    const Rect r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                 std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};

    switch (direction) {
    case gdTopBottom:
    case gdBottomTop: {
        // The start colour lies at the bottom edge, the other at the top.
        StripFiller filler(Dc(), lastGradient_);
        const int height = r.Height();
        const int n = std::min(height, 256);
        for (int i = 0; i < n; ++i) {
            const int y0 = r.bottom - rtl::MulDiv(i, height, n);
            const int y1 = r.bottom - rtl::MulDiv(i + 1, height, n);
            filler.Fill({r.left, y1, r.right, y0}, Blend(start, dr, dg, db, i, n - 1));
        }
        break;
    }
    case gdLeftRight:
    case gdRightLeft: {
        StripFiller filler(Dc(), lastGradient_);
        const int width = r.Width();
        const int n = std::min(width, 256);
        for (int i = 0; i < n; ++i) {
            const int x0 = r.right - rtl::MulDiv(i, width, n);
            const int x1 = r.right - rtl::MulDiv(i + 1, width, n);
            filler.Fill({x1, r.top, x0, r.bottom}, Blend(start, dr, dg, db, i, n - 1));
        }
        break;
    }
    case gdFromCenter:
        FillGradientFromCenter(r, start, dr, dg, db);
        break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
        FillGradientDiagonal(r, start, dr, dg, db, direction == gdFromTopLeft);
        break;
    }
}

void TChartCanvas3D::FillGradientFromCenter(const Rect& r, TColor start, int dr, int dg, int db)
{
    StripFiller filler(Dc(), lastGradient_);
    const int w = r.Width(), h = r.Height();
    const int steps = w / 2 + h / 2;
    int a = 0, b = 0;
    for (;;) {
        const TColor color = Blend(start, dr, dg, db, a + b, steps);
        filler.Fill({r.left + b, r.top + a, r.left + b + 1, r.top + a + (h - 2 * a)}, color);
        filler.Fill({r.right - b - 1, r.top + a, r.right - b, r.top + a + (h - 2 * a)}, color);
        filler.Fill({r.left + b, r.top + a, r.left + b + (w - 2 * b), r.top + a + 1}, color);
        filler.Fill({r.left + b, r.bottom - a - 1, r.left + b + (w - 2 * b), r.bottom - a}, color);
        bool grew = false;
        if (a < h / 2) {
            ++a;
            grew = true;
        }
        if (b < w / 2) {
            ++b;
            grew = true;
        }
        if (!grew)
            break;
    }
}

void TChartCanvas3D::FillGradientDiagonal(const Rect& r, TColor start, int dr, int dg, int db, bool fromTop)
{
    // Nested L shapes around the corner the gradient grows from: the corner takes the second
    // colour, the farthest L the start colour. Each L is one row and one column.
    StripFiller filler(Dc(), lastGradient_);
    const int w = r.Width(), h = r.Height();
    const int n = std::max(w, h);
    for (int k = n - 1; k >= 0; --k) {
        const TColor color = Blend(start, dr, dg, db, n - 1 - k, n - 1);
        const int x = r.left + std::min(k, w - 1);
        const int row = fromTop ? r.top + std::min(k, h - 1) : r.bottom - 1 - std::min(k, h - 1);
        // Row from the L's corner to the right edge, column from the corner away from the origin.
        filler.Fill({x, row, r.right, row + 1}, color);
        if (fromTop)
            filler.Fill({x, row, x + 1, r.bottom}, color);
        else
            filler.Fill({x, r.top, x + 1, row + 1}, color);
    }
}

// --- Depth variants -----------------------------------------------------------------------

void TChartCanvas3D::PutPixelAtDepth(int x, int y, int z, TColor color)
{
    const Point p = ProjectPoint(x, y, z);
    PutPixel(p.x, p.y, color);
}

void TChartCanvas3D::HorizontalLineAtDepth(int x0, int x1, int y, int z)
{
    MoveToPointAtDepth(x0, y, z);
    LineToPointAtDepth(x1, y, z);
}

void TChartCanvas3D::VerticalLineAtDepth(int x, int y0, int y1, int z)
{
    MoveToPointAtDepth(x, y0, z);
    LineToPointAtDepth(x, y1, z);
}

void TChartCanvas3D::DepthLine(int x, int y, int z0, int z1)
{
    MoveToPointAtDepth(x, y, z0);
    LineToPointAtDepth(x, y, z1);
}

void TChartCanvas3D::DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int z)
{
    MoveToPointAtDepth(x0, y0, z);
    LineToPointAtDepth(x1, y1, z);
}

void TChartCanvas3D::MoveToPointAtDepth(int x, int y, int z)
{
    const Point p = ProjectPoint(x, y, z);
    MoveToPoint(p.x, p.y);
}

void TChartCanvas3D::LineToPointAtDepth(int x, int y, int z)
{
    const Point p = ProjectPoint(x, y, z);
    LineToPoint(p.x, p.y);
}

void TChartCanvas3D::DrawPolygonAtDepth(const Point* points, int count, int z)
{
    if (!points || count <= 0)
        return;
    std::vector<Point> projected;
    projected.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        projected.push_back(ProjectPoint(points[i].x, points[i].y, z));
    DrawPolygon(projected.data(), count - 1);
}

void TChartCanvas3D::DrawBoxAtDepth(const Rect& rect, int z)
{
    const Point corners[4] = {{rect.left, rect.top}, {rect.right, rect.top},
                              {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    DrawPolygonAtDepth(corners, 4, z);
}
