#pragma once
// The chart's drawing surface, base part: it draws on one framework canvas at a time (the
// window's, or an off-screen bitmap's) through that canvas's own pen, font and brush, and
// declares the flat drawing operations every surface offers. TCanvas3D adds operations with
// a depth coordinate; TChartCanvas3D is the concrete surface.

#include "chart/TGradientDirection.h"
#include "forms/TColor.h"
#include "platform/DeviceContext.h"
#include "platform/Raster.h"

#include <string>
#include <string_view>

class TBrush;
class TCanvas;
class TChartPen;
class TFont;
class TGraphic;
class TPen;


class TChartCanvas {
public:
    TChartCanvas() = default;
    virtual ~TChartCanvas() = default;
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;

    // Makes canvas current, together with its pen, font and brush.
    void AttachCanvas(TCanvas* canvas);
    TCanvas* ReferenceCanvas() const { return canvas_; }
    TPen* Pen() const { return pen_; }
    TFont* Font() const { return font_; }
    TBrush* Brush() const { return brush_; }

    // A hidden pen becomes psClear; small dots on a 1-pixel pen become a cosmetic pen of
    // alternating pixels; otherwise the current pen copies colour, mode, style and width.
    void ApplyChartPen(TChartPen* pen);
    // Pen black, width 1, solid; brush white, solid; font black, 10 points; background
    // white and transparent.
    void ResetDrawingState();
    // The height of "W" in the current font.
    int FontPixelHeight() { return MeasureTextHeight("W"); }

    virtual TColor ReadBackColor() = 0;
    virtual platform::BackgroundMode ReadBackMode() = 0;
    virtual platform::DeviceContext* DeviceHandle() = 0;
    virtual bool IsMonochrome() const = 0;
    virtual uint32_t ReadTextAlign() = 0;
    virtual bool IsBuffered() const = 0;
    virtual void ApplyBackColor(TColor color) = 0;
    virtual void ApplyBackMode(platform::BackgroundMode mode) = 0;
    virtual void ApplyMonochrome(bool value) = 0;
    virtual void PutPixel(int x, int y, TColor color) = 0;
    virtual void ApplyTextAlign(uint32_t flags) = 0;
    virtual void ApplyBuffering(bool value) = 0;
    // The arc of the ellipse in the box, counter-clockwise from the ray toward (x3, y3) to
    // the ray toward (x4, y4).
    virtual void DrawArc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void DrawGraphic(int x, int y, TGraphic* graphic) = 0;
    virtual void DrawEllipse(int x1, int y1, int x2, int y2) = 0;
    virtual void FillArea(const platform::Rect& rect) = 0;
    virtual void DrawBevel(const platform::Rect& rect, TColor topLeft, int width, TColor bottomRight) = 0;
    virtual void LineToPoint(int x, int y) = 0;
    virtual void MoveToPoint(int x, int y) = 0;
    virtual void DrawPieSlice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void DrawBox(int x0, int y0, int x1, int y1) = 0;
    virtual void DrawRoundBox(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) = 0;
    virtual void DrawGraphicStretched(const platform::Rect& rect, TGraphic* graphic) = 0;
    virtual void PutText(int x, int y, std::string_view text) = 0;
    virtual int MeasureTextWidth(std::string_view text) = 0;
    virtual int MeasureTextHeight(std::string_view text) = 0;
    virtual void ClipToRect(const platform::Rect& rect) = 0;
    virtual void HorizontalLine(int x0, int x1, int y) = 0;
    virtual void DrawBoxRect(const platform::Rect& rect) = 0;
    virtual void VerticalLine(int x, int y0, int y1) = 0;
    virtual void EraseArea(const platform::Rect& rect) = 0;
    virtual void FillGradient(const platform::Rect& rect, TColor first, TGradientDirection direction,
                              TColor second) = 0;
    virtual void MarkDirty() = 0;
    virtual void DrawSegment(int x0, int y0, int x1, int y1) = 0;
    // lastIndex is the index of the last point: lastIndex + 1 points are drawn.
    virtual void DrawPolygon(const platform::Point* points, int lastIndex) = 0;
    virtual void PutRotatedText(int x, int y, int angle, std::string_view text) = 0;
    virtual void RemoveClip() = 0;

private:
    TCanvas* canvas_ = nullptr;
    TPen* pen_ = nullptr;
    TFont* font_ = nullptr;
    TBrush* brush_ = nullptr;
};
