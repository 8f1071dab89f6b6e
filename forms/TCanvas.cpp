#include "forms/TCanvas.h"

#include "forms/TGraphic.h"
#include "rtl/Exception.h"

#include <algorithm>

F2_DEFINE_CLASS(TCanvas, TPersistent, F2_NO_FACTORY) {}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>())
{
    // The canvas owns these handlers: a change only marks the object for selection.
    font_->SetOnChange([this](TObject*) { state_ &= ~unsigned(FontValid); });
    pen_->SetOnChange([this](TObject*) { state_ &= ~unsigned(PenValid); });
    brush_->SetOnChange([this](TObject*) { state_ &= ~unsigned(BrushValid); });
}

TCanvas::~TCanvas() = default;

platform::DeviceContext& TCanvas::Handle()
{
    if (!dc_) {
        CreateHandle();
        if (!dc_)
            throw EInvalidOperation("Canvas does not allow drawing");
    }
    SelectObjects();
    return *dc_;
}

void TCanvas::SetHandle(platform::DeviceContext* dc)
{
    if (dc == dc_)
        return;
    dc_ = dc;
    state_ = 0;
}

void TCanvas::SelectObjects()
{
    if (!(state_ & FontValid)) {
        dc_->SetFont(font_->PlatformSpec());
        dc_->SetTextColor(ColorToPixel(font_->Color()));
    }
    if (!(state_ & PenValid))
        dc_->SetPen(pen_->PlatformSpec());
    if (!(state_ & BrushValid)) {
        dc_->SetBrush(brush_->PlatformSpec());
        dc_->SetBackColor(ColorToPixel(brush_->Color()));
        dc_->SetBackMode(brush_->Style() == bsSolid ? platform::BackgroundMode::Opaque
                                                    : platform::BackgroundMode::Transparent);
    }
    state_ = FontValid | PenValid | BrushValid;
}

void TCanvas::MoveTo(int x, int y) { Handle().MoveTo(x, y); }
void TCanvas::LineTo(int x, int y) { Handle().LineTo(x, y); }

platform::Point TCanvas::PenPos() const
{
    // Reading the position needs a context like any other drawing call.
    return const_cast<TCanvas*>(this)->Handle().CurrentPosition();
}

void TCanvas::Polyline(std::span<const platform::Point> points)
{
    if (!points.empty())
        Handle().Polyline(points.data(), int(points.size()));
}

void TCanvas::Polygon(std::span<const platform::Point> points)
{
    if (!points.empty())
        Handle().Polygon(points.data(), int(points.size()));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) { Handle().Rectangle(left, top, right, bottom); }
void TCanvas::Ellipse(int left, int top, int right, int bottom) { Handle().Ellipse(left, top, right, bottom); }
void TCanvas::FillRect(const platform::Rect& rect) { Handle().FillRect(rect); }
void TCanvas::DrawFocusRect(const platform::Rect& rect) { Handle().DrawFocusRect(rect); }

void TCanvas::FrameRect(const platform::Rect& rect)
{
    platform::DeviceContext& dc = Handle();
    if (rect.IsEmpty())
        return;
    const platform::BrushSpec brush{ColorToPixel(brush_->Color()), platform::BrushStyle::Solid};
    dc.FillRect({rect.left, rect.top, rect.right, rect.top + 1}, brush);
    dc.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
    dc.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, brush);
    dc.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, brush);
}

void TCanvas::TextOut(int x, int y, std::string_view text) { Handle().TextOut(x, y, text); }

void TCanvas::TextRect(const platform::Rect& rect, int x, int y, std::string_view text)
{
    platform::DeviceContext& dc = Handle();
    const auto saved = dc.Save();
    dc.IntersectClip(rect);
    if (brush_->Style() != bsClear)
        dc.FillRect(rect);
    dc.TextOut(x, y, text);
    dc.Restore(*saved);
}

platform::Size TCanvas::TextExtent(std::string_view text) { return Handle().TextExtent(text); }

void TCanvas::Draw(int x, int y, TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, {x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const platform::Rect& rect, TGraphic& graphic)
{
    if (!graphic.Empty())
        graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const platform::Rect& dest, TCanvas& source, const platform::Rect& sourceRect)
{
    // Take the source pixels out first: source and destination may be the same raster.
    platform::DeviceContext& from = source.Handle();
    const platform::Point origin = from.Origin();
    const platform::Raster& raster = from.Target();
    const int width = std::abs(sourceRect.Width());
    const int height = std::abs(sourceRect.Height());
    const int left = std::min(sourceRect.left, sourceRect.right) + origin.x;
    const int top = std::min(sourceRect.top, sourceRect.bottom) + origin.y;
    platform::Raster block(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (raster.Bounds().Contains({left + x, top + y}))
                block.Set(x, y, raster.At(left + x, top + y));
    platform::DeviceContext& to = Handle();
    if (dest.Width() == width && dest.Height() == height)
        to.BitBlt(dest.left, dest.top, width, height, block, 0, 0);
    else
        to.StretchBlt(dest, block);
}

void TCanvas::BitBlt(int x, int y, int width, int height, const platform::Raster& source, int sx, int sy)
{
    Handle().BitBlt(x, y, width, height, source, sx, sy);
}

TColor TCanvas::Pixel(int x, int y) { return PixelToColor(Handle().GetPixel(x, y)); }
void TCanvas::SetPixel(int x, int y, TColor color) { Handle().SetPixel(x, y, ColorToPixel(color)); }
platform::Rect TCanvas::ClipRect() { return Handle().ClipBox(); }
