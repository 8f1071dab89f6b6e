#pragma once
// A drawing surface with a current font, pen and brush over a platform device context.
//
// The three objects are owned by the canvas; changing one only marks it, and the next call of
// Handle() selects what changed into the device context:
//   font  -> the platform font, and the text colour = the font colour;
//   pen   -> the platform pen with its raster mode;
//   brush -> the platform brush; a solid brush also sets an opaque background in the brush
//            colour, any other style a transparent background.
// Settings made directly on the device context (alignment, background mode) therefore stay
// until the corresponding object changes. A canvas without a device context asks
// CreateHandle() for one; when none comes, drawing raises EInvalidOperation
// "Canvas does not allow drawing".

#include "forms/TBrush.h"
#include "forms/TColor.h"
#include "forms/TFont.h"
#include "forms/TPen.h"
#include "forms/TPersistent.h"
#include "platform/DeviceContext.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

class TGraphic;

class TCanvas : public TPersistent {
    F2_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont* Font() const { return font_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    // These copy the given object's settings (the canvas keeps its own objects).
    void SetFont(TFont* font) { font_->Assign(font); }
    void SetPen(TPen* pen) { pen_->Assign(pen); }
    void SetBrush(TBrush* brush) { brush_->Assign(brush); }

    // The device context with font, pen and brush selected (see above).
    platform::DeviceContext& Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }
    // Attaches a device context the caller keeps alive (nullptr detaches). Everything is
    // selected afresh on the next Handle().
    void SetHandle(platform::DeviceContext* dc);

    // Lines use the pen; the end point of a line is not drawn.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    platform::Point PenPos() const;
    void SetPenPos(platform::Point pos) { MoveTo(pos.x, pos.y); }
    void Polyline(std::span<const platform::Point> points);
    // Shapes are outlined with the pen and filled with the brush; right/bottom exclusive.
    void Polygon(std::span<const platform::Point> points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const platform::Rect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const platform::Rect& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // Fills with the brush, no outline.
    void FillRect(const platform::Rect& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const platform::Rect& rect);
    void DrawFocusRect(const platform::Rect& rect);

    // Text in the font, at (x, y) by the device context's alignment; UTF-8.
    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y) clipped to rect; the rectangle is filled first when the brush is solid.
    void TextRect(const platform::Rect& rect, int x, int y, std::string_view text);
    platform::Size TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    // Pictures and block copies.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const platform::Rect& rect, TGraphic& graphic);
    // Copies source's rectangle to dest on this canvas (stretching when the sizes differ).
    void CopyRect(const platform::Rect& dest, TCanvas& source, const platform::Rect& sourceRect);
    void BitBlt(int x, int y, int width, int height, const platform::Raster& source, int sx, int sy);

    TColor Pixel(int x, int y);   // the colour at a logical point (clBlack outside)
    void SetPixel(int x, int y, TColor color);
    platform::Rect ClipRect();    // in logical coordinates

    // Kept for callers written against a shared canvas; drawing is single-threaded here.
    void Lock() { ++lockCount_; }
    void Unlock() { if (lockCount_ > 0) --lockCount_; }
    int LockCount() const { return lockCount_; }

protected:
    // Called by Handle() when no device context is attached; an override calls SetHandle().
    virtual void CreateHandle() {}

private:
    enum State : unsigned { FontValid = 1, PenValid = 2, BrushValid = 4 };
    void SelectObjects();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    platform::DeviceContext* dc_ = nullptr;
    unsigned state_ = 0;
    int lockCount_ = 0;
};
