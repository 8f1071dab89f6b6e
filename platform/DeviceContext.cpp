#include "platform/DeviceContext.h"

#include "platform/FontEngine.h"
#include "platform/LinePainter.h"
#include "platform/PaintTarget.h"
#include "platform/ShapePainter.h"
#include "platform/TextRenderer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

struct DeviceContext::Impl {
    SavedState state;
    Point position;          // logical
    int64_t penPhase = 0;    // pattern position of styled pens along the current path
    platform::Font* font = nullptr;    // resolved lazily from state.font
    bool fontResolved = false;

    PaintTarget Target(Raster& raster) const { return {&raster, state.clip}; }
    Point ToDevice(int x, int y) const { return {x + state.origin.x, y + state.origin.y}; }
    platform::Font* CurrentFont()
    {
        if (!fontResolved) {
            font = FontEngine::Instance().Get(state.font);
            fontResolved = true;
        }
        return font;
    }
};

DeviceContext::DeviceContext(Raster& target) : target_(&target), impl_(std::make_unique<Impl>())
{
    impl_->state.clip = target.Bounds();
}

DeviceContext::~DeviceContext() = default;

void DeviceContext::Retarget(Raster& target)
{
    target_ = &target;
    impl_->state.origin = {};
    impl_->state.clip = target.Bounds();
}

void DeviceContext::SetPen(const PenSpec& pen) { impl_->state.pen = pen; }
const PenSpec& DeviceContext::Pen() const { return impl_->state.pen; }
void DeviceContext::SetBrush(const BrushSpec& brush) { impl_->state.brush = brush; }
const BrushSpec& DeviceContext::Brush() const { return impl_->state.brush; }

void DeviceContext::SetFont(const FontSpec& font)
{
    if (font == impl_->state.font)
        return;
    // Decorations and rotation do not change the face: keep the resolved font for them.
    const FontSpec& old = impl_->state.font;
    if (font.family != old.family || font.height != old.height || font.bold != old.bold || font.italic != old.italic)
        impl_->fontResolved = false;
    impl_->state.font = font;
}

const FontSpec& DeviceContext::Font() const { return impl_->state.font; }
void DeviceContext::SetTextColor(Pixel color) { impl_->state.textColor = color; }
Pixel DeviceContext::TextColor() const { return impl_->state.textColor; }
void DeviceContext::SetBackColor(Pixel color) { impl_->state.backColor = color; }
Pixel DeviceContext::BackColor() const { return impl_->state.backColor; }
void DeviceContext::SetBackMode(BackgroundMode mode) { impl_->state.backMode = mode; }
BackgroundMode DeviceContext::BackMode() const { return impl_->state.backMode; }
void DeviceContext::SetTextAlign(uint32_t flags) { impl_->state.align = flags; }
uint32_t DeviceContext::TextAlign() const { return impl_->state.align; }

void DeviceContext::SetOrigin(Point origin) { impl_->state.origin = origin; }
Point DeviceContext::Origin() const { return impl_->state.origin; }

void DeviceContext::IntersectClip(const Rect& logical)
{
    const Point o = impl_->state.origin;
    Rect r = logical;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    impl_->state.clip = impl_->state.clip.Intersect(r.Offset(o.x, o.y));
}

void DeviceContext::RemoveClip() { impl_->state.clip = target_->Bounds(); }

Rect DeviceContext::ClipBox() const
{
    const Point o = impl_->state.origin;
    return impl_->state.clip.IsEmpty() ? Rect{} : impl_->state.clip.Offset(-o.x, -o.y);
}

std::unique_ptr<DeviceContext::SavedState> DeviceContext::Save() const
{
    return std::make_unique<SavedState>(impl_->state);
}

void DeviceContext::Restore(const SavedState& state)
{
    SetFont(state.font);
    impl_->state = state;
    // A state saved on another raster must not clip beyond this one.
    impl_->state.clip = impl_->state.clip.Intersect(target_->Bounds());
}

void DeviceContext::MoveTo(int x, int y)
{
    impl_->position = {x, y};
    impl_->penPhase = 0;
}

void DeviceContext::LineTo(int x, int y)
{
    const auto& s = impl_->state;
    const PaintTarget target = impl_->Target(*target_);
    const LinePainter painter(target, s.pen, s.backColor, s.backMode);
    painter.Draw(impl_->ToDevice(impl_->position.x, impl_->position.y), impl_->ToDevice(x, y), impl_->penPhase);
    impl_->position = {x, y};
}

Point DeviceContext::CurrentPosition() const { return impl_->position; }

void DeviceContext::Polyline(const Point* points, int count)
{
    // A polyline neither uses nor moves the current position.
    if (points == nullptr || count < 2)
        return;
    const Point saved = impl_->position;
    const int64_t savedPhase = impl_->penPhase;
    MoveTo(points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
        LineTo(points[i].x, points[i].y);
    impl_->position = saved;
    impl_->penPhase = savedPhase;
}

namespace {

Rect Normalised(int left, int top, int right, int bottom)
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

} // namespace

void DeviceContext::Rectangle(int left, int top, int right, int bottom)
{
    const auto& s = impl_->state;
    const PaintTarget target = impl_->Target(*target_);
    const Rect box = Normalised(left, top, right, bottom).Offset(s.origin.x, s.origin.y);
    ShapePainter(target, s.pen, s.brush, s.backColor, s.backMode).Rectangle(box);
}

void DeviceContext::Ellipse(int left, int top, int right, int bottom)
{
    const auto& s = impl_->state;
    const PaintTarget target = impl_->Target(*target_);
    const Rect box = Normalised(left, top, right, bottom).Offset(s.origin.x, s.origin.y);
    ShapePainter(target, s.pen, s.brush, s.backColor, s.backMode).Ellipse(box);
}

void DeviceContext::Polygon(const Point* points, int count)
{
    if (points == nullptr || count < 2)
        return;
    const auto& s = impl_->state;
    thread_local std::vector<Point> device;
    device.assign(points, points + count);
    for (Point& p : device)
        p = impl_->ToDevice(p.x, p.y);
    const PaintTarget target = impl_->Target(*target_);
    ShapePainter(target, s.pen, s.brush, s.backColor, s.backMode).Polygon(device.data(), count);
}

void DeviceContext::FillRect(const Rect& rect, const BrushSpec& brush)
{
    // Unlike Rectangle, FillRect does not normalise: an inverted rectangle is empty.
    const auto& s = impl_->state;
    if (rect.IsEmpty())
        return;
    const PaintTarget target = impl_->Target(*target_);
    ShapePainter(target, s.pen, brush, s.backColor, s.backMode).FillRect(rect.Offset(s.origin.x, s.origin.y), PenMode::Copy);
}

void DeviceContext::FillRect(const Rect& rect) { FillRect(rect, impl_->state.brush); }

void DeviceContext::SetPixel(int x, int y, Pixel color)
{
    const Point d = impl_->ToDevice(x, y);
    impl_->Target(*target_).Plot(d.x, d.y, color, PenMode::Copy);
}

Pixel DeviceContext::GetPixel(int x, int y) const
{
    const Point d = impl_->ToDevice(x, y);
    return target_->Bounds().Contains(d) ? target_->At(d.x, d.y) : 0;
}

void DeviceContext::DrawFocusRect(const Rect& rect)
{
    // Every other pixel of the frame (by device parity, so that adjacent frames line up) is
    // inverted; inverting twice restores the picture.
    if (rect.IsEmpty())
        return;
    const Rect r = rect.Offset(impl_->state.origin.x, impl_->state.origin.y);
    const Rect& clip = impl_->state.clip;
    const auto invert = [&](int x, int y) {
        if (clip.Contains({x, y}) && ((x + y) & 1) == 0) {
            Pixel& p = target_->Row(y)[x];
            p = (~p & 0x00FFFFFFu) | 0xFF000000u;
        }
    };
    for (int x = std::max(r.left, clip.left); x < std::min(r.right, clip.right); ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = std::max(r.top + 1, clip.top); y < std::min(r.bottom - 1, clip.bottom); ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left)
            invert(r.right - 1, y);
    }
}

void DeviceContext::TextOut(int x, int y, std::string_view utf8)
{
    platform::Font* font = impl_->CurrentFont();
    if (font == nullptr || utf8.empty())
        return;
    const auto& s = impl_->state;
    TextStyle style;
    style.color = s.textColor;
    style.back = s.backColor;
    style.opaque = s.backMode == BackgroundMode::Opaque;
    style.align = s.align;
    style.escapement = s.font.escapement;
    style.underline = s.font.underline;
    style.strikeOut = s.font.strikeOut;
    const Point d = impl_->ToDevice(x, y);
    // One renderer per thread: its scratch buffers outlive the (short-lived) contexts.
    thread_local TextRenderer renderer;
    renderer.Draw(impl_->Target(*target_), *font, d.x, d.y, utf8, style);
}

Size DeviceContext::TextExtent(std::string_view utf8)
{
    platform::Font* font = impl_->CurrentFont();
    if (font == nullptr)
        return {};
    return {font->TextWidth(utf8), font->Metrics().height};
}

TextMetrics DeviceContext::Metrics()
{
    platform::Font* font = impl_->CurrentFont();
    return font != nullptr ? font->Metrics() : TextMetrics{};
}

void DeviceContext::BitBlt(int x, int y, int width, int height, const Raster& source, int sx, int sy)
{
    if (width <= 0 || height <= 0)
        return;
    const Point d = impl_->ToDevice(x, y);
    // Clip the destination, then the source, moving the other rectangle along.
    Rect dst = Rect{d.x, d.y, d.x + width, d.y + height}.Intersect(impl_->state.clip);
    if (dst.IsEmpty())
        return;
    const int shiftX = sx - d.x, shiftY = sy - d.y;
    dst = dst.Intersect(source.Bounds().Offset(-shiftX, -shiftY));
    if (dst.IsEmpty())
        return;
    const size_t bytes = size_t(dst.Width()) * sizeof(Pixel);
    // Copying a raster onto itself: walk the rows against the direction of the move.
    const bool upward = &source == target_ && shiftY < 0;
    for (int k = 0; k < dst.Height(); ++k) {
        const int row = upward ? dst.bottom - 1 - k : dst.top + k;
        std::memmove(target_->Row(row) + dst.left, source.Row(row + shiftY) + dst.left + shiftX, bytes);
    }
}

void DeviceContext::DrawTransparent(int x, int y, const Raster& source)
{
    const Point d = impl_->ToDevice(x, y);
    const Rect dst = source.Bounds().Offset(d.x, d.y).Intersect(impl_->state.clip);
    for (int row = dst.top; row < dst.bottom; ++row) {
        const Pixel* src = source.Row(row - d.y) - d.x;
        Pixel* out = target_->Row(row);
        for (int col = dst.left; col < dst.right; ++col) {
            // Alpha 0 is skipped and 255 copied; partial alpha (soft icon edges) is blended.
            const unsigned alpha = PixelAlpha(src[col]);
            if (alpha != 0)
                out[col] = BlendPixel(out[col], src[col] & 0x00FFFFFFu, alpha);
        }
    }
}

void DeviceContext::StretchBlt(const Rect& dest, const Raster& source)
{
    if (dest.IsEmpty() || source.IsEmpty())
        return;
    const Rect d = dest.Offset(impl_->state.origin.x, impl_->state.origin.y);
    const Rect r = d.Intersect(impl_->state.clip);
    const int64_t dw = d.Width(), dh = d.Height(), sw = source.Width(), sh = source.Height();
    for (int y = r.top; y < r.bottom; ++y) {
        // Nearest neighbour: the source pixel under the destination pixel's centre.
        const int64_t syRow = ((2 * int64_t(y - d.top) + 1) * sh) / (2 * dh);
        const Pixel* src = source.Row(int(syRow));
        Pixel* out = target_->Row(y);
        for (int x = r.left; x < r.right; ++x)
            out[x] = src[((2 * int64_t(x - d.left) + 1) * sw) / (2 * dw)] | 0xFF000000u;
    }
}

} // namespace platform
