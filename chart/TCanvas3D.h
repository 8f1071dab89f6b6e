#pragma once
// The drawing surface with depth: every operation here takes a depth coordinate z (or a box
// in depth) and projects (x, y, z) onto the screen before drawing. On a flat surface the
// projection leaves (x, y) where it is. The solid shapes of full 3-D charts (cubes, cones,
// cylinders, spheres, pyramids, pies, arrows, surfaces) are not offered.

#include "chart/TChartCanvas.h"

class TView3DOptions;

class TCanvas3D : public TChartCanvas {
public:
    virtual void PutPixelAtDepth(int x, int y, int z, TColor color) = 0;
    // Whether the surface draws titles and legend in a fully rotated view itself.
    virtual bool HandlesFullRotation() const = 0;
    virtual bool SupportsSmoothing() const = 0;
    virtual platform::Point UnprojectPoint(platform::Point screen, int z) const = 0;
    virtual platform::Point ProjectToPoint(int x, int y, int z) const = 0;
    // Prepares a paint onto windowCanvas over target; gives the bounds to draw in.
    virtual platform::Rect BeginDrawing(TCanvas* windowCanvas, const platform::Rect& target,
                                        TView3DOptions* options, bool view3D) = 0;
    virtual void CopySettings(const TCanvas3D& other) = 0;
    virtual void SetProjection(int depth, const platform::Rect& bounds, const platform::Rect& plot) = 0;
    virtual void EndDrawing(TCanvas* destination, TCanvas* windowCanvas, const platform::Rect& target) = 0;
    // Copies the stored picture to the target when it is still current; false otherwise.
    virtual bool RepaintFromBuffer(TCanvas* target) = 0;
    virtual void ClipToPlotBox(const platform::Rect& rect, int z0, int z1) = 0;
    virtual void HorizontalLineAtDepth(int x0, int x1, int y, int z) = 0;
    virtual void VerticalLineAtDepth(int x, int y0, int y1, int z) = 0;
    virtual void DepthLine(int x, int y, int z0, int z1) = 0;
    virtual void BeginFlatDrawing() = 0;
    virtual void EndFlatDrawing() = 0;
    virtual void DrawSegmentAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
    virtual void MoveToPointAtDepth(int x, int y, int z) = 0;
    virtual void LineToPointAtDepth(int x, int y, int z) = 0;
    virtual void DrawPolygonAtDepth(const platform::Point* points, int count, int z) = 0;
    virtual void DrawBoxAtDepth(const platform::Rect& rect, int z) = 0;
    virtual void PutRotatedTextAtDepth(int x, int y, int z, int angle, std::string_view text) = 0;
    virtual void PutTextAtDepth(int x, int y, std::string_view text, int z) = 0;
};
