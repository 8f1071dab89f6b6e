#pragma once
// The concrete drawing surface of a chart. It draws into an off-screen bitmap by default and
// copies the finished picture to the window in one block; the bitmap is kept from paint to
// paint while the size holds, so a window that is merely uncovered costs one copy. A flat
// surface (View3D off) ignores every depth argument; an orthogonal 3-D surface shifts by the
// depth; full rotation is drawn as orthogonal.

#include "chart/TCanvas3D.h"
#include "forms/TNotifyEvent.h"

#include <memory>

class TBitmap;

class TChartCanvas3D : public TCanvas3D {
public:
    explicit TChartCanvas3D(TCanvas* windowCanvas = nullptr);
    ~TChartCanvas3D() override;

    // Called when the picture must be drawn again (the monochrome flag changed).
    void SetOnRepaint(TNotifyEvent handler) { onRepaint_ = std::move(handler); }

    bool IsDirty() const { return dirty_; }
    TBitmap* Bitmap() const { return bitmap_.get(); }
    const platform::Rect& Bounds() const { return bounds_; }
    bool Is3D() const { return is3D_; }
    bool IsOrthogonal() const { return orthogonal_; }
    double ZoomFactor() const { return zoom_; }
    platform::Point ProjectPoint(int x, int y, int z) const;

    // What the last FillGradient did: rectangles filled (neighbouring strips of one colour
    // are filled together) and brushes made.
    struct GradientStats {
        int fills = 0;
        int brushes = 0;
    };
    const GradientStats& LastGradient() const { return lastGradient_; }

    TColor ReadBackColor() override;
    platform::BackgroundMode ReadBackMode() override;
    platform::DeviceContext* DeviceHandle() override;
    bool IsMonochrome() const override { return monochrome_; }
    uint32_t ReadTextAlign() override;
    bool IsBuffered() const override { return buffered_; }
    void ApplyBackColor(TColor color) override;
    void ApplyBackMode(platform::BackgroundMode mode) override;
    void ApplyMonochrome(bool value) override;
    void PutPixel(int x, int y, TColor color) override;
    void ApplyTextAlign(uint32_t flags) override;
    void ApplyBuffering(bool value) override;
    void DrawArc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void DrawGraphic(int x, int y, TGraphic* graphic) override;
    void DrawEllipse(int x1, int y1, int x2, int y2) override;
    void FillArea(const platform::Rect& rect) override;
    void DrawBevel(const platform::Rect& rect, TColor topLeft, int width, TColor bottomRight) override;
    void LineToPoint(int x, int y) override;
    void MoveToPoint(int x, int y) override;
    void DrawPieSlice(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void DrawBox(int x0, int y0, int x1, int y1) override;
    void DrawRoundBox(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
    void DrawGraphicStretched(const platform::Rect& rect, TGraphic* graphic) override;
    void PutText(int x, int y, std::string_view text) override;
    int MeasureTextWidth(std::string_view text) override;
    int MeasureTextHeight(std::string_view text) override;
    void ClipToRect(const platform::Rect& rect) override;
    void HorizontalLine(int x0, int x1, int y) override;
    void DrawBoxRect(const platform::Rect& rect) override;
    void VerticalLine(int x, int y0, int y1) override;
    void EraseArea(const platform::Rect& rect) override;
    void FillGradient(const platform::Rect& rect, TColor first, TGradientDirection direction,
                      TColor second) override;
    void MarkDirty() override { dirty_ = true; }
    void DrawSegment(int x0, int y0, int x1, int y1) override;
    void DrawPolygon(const platform::Point* points, int lastIndex) override;
    void PutRotatedText(int x, int y, int angle, std::string_view text) override;
    void RemoveClip() override;

    void PutPixelAtDepth(int x, int y, int z, TColor color) override;
    bool HandlesFullRotation() const override { return false; }
    bool SupportsSmoothing() const override { return false; }
    platform::Point UnprojectPoint(platform::Point screen, int z) const override;
    platform::Point ProjectToPoint(int x, int y, int z) const override { return ProjectPoint(x, y, z); }
    platform::Rect BeginDrawing(TCanvas* windowCanvas, const platform::Rect& target,
                                TView3DOptions* options, bool view3D) override;
    void CopySettings(const TCanvas3D& other) override;
    void SetProjection(int depth, const platform::Rect& bounds, const platform::Rect& plot) override;
    void EndDrawing(TCanvas* destination, TCanvas* windowCanvas, const platform::Rect& target) override;
    bool RepaintFromBuffer(TCanvas* target) override;
    void ClipToPlotBox(const platform::Rect& rect, int z0, int z1) override;
    void HorizontalLineAtDepth(int x0, int x1, int y, int z) override;
    void VerticalLineAtDepth(int x, int y0, int y1, int z) override;
    void DepthLine(int x, int y, int z0, int z1) override;
    void BeginFlatDrawing() override;
    void EndFlatDrawing() override;
    void DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int z) override;
    void MoveToPointAtDepth(int x, int y, int z) override;
    void LineToPointAtDepth(int x, int y, int z) override;
    void DrawPolygonAtDepth(const platform::Point* points, int count, int z) override;
    void DrawBoxAtDepth(const platform::Rect& rect, int z) override;
    void PutRotatedTextAtDepth(int x, int y, int z, int angle, std::string_view text) override;
    void PutTextAtDepth(int x, int y, std::string_view text, int z) override;

private:
    platform::DeviceContext& Dc();
    // Draws text with the device context's font temporarily replaced by a rotated or zoomed
    // copy (angle in degrees).
    void PutTextWithFont(int x, int y, int angle, std::string_view text);
    bool ZoomsText() const { return zoomText_ && zoom_ != 1.0; }
    void FillGradientFromCenter(const platform::Rect& r, TColor start, int dr, int dg, int db);
    void FillGradientDiagonal(const platform::Rect& r, TColor start, int dr, int dg, int db, bool fromTop);

    platform::Rect bounds_;
    TView3DOptions* options_ = nullptr;
    bool is3D_ = false;
    bool orthogonal_ = false;
    bool savedIs3D_ = false;
    double zoom_ = 1.0;
    bool zoomText_ = true;
    int centerX_ = 0;
    int centerY_ = 0;
    int centerZ_ = 0;
    int xOffset_ = 0;
    int yOffset_ = 0;
    double perspective_ = 0;

    bool buffered_ = true;
    std::unique_ptr<TBitmap> bitmap_;
    bool dirty_ = true;
    bool monochrome_ = false;
    bool metafiling_ = false;
    GradientStats lastGradient_;
    TNotifyEvent onRepaint_;
};
