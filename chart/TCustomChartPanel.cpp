#include "chart/TCustomChartPanel.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TView3DOptions.h"
#include "forms/TCanvas.h"
#include "rtl/Format.h"
#include "rtl/NumberText.h"

#include <algorithm>

F2_DEFINE_CLASS(TCustomChartPanel, TCustomPanel, F2_NO_FACTORY)
{
}

TCustomChartPanel::TCustomChartPanel(TComponent* owner)
    : TCustomPanel(owner),
      surface_(std::make_unique<TChartCanvas3D>(Canvas()))
{
    const TNotifyEvent repaint = [this](TObject*) { Invalidate(); };
    view3DOptions_ = std::make_unique<TView3DOptions>(repaint);
    surface_->SetOnRepaint(repaint);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 400, 250);
    repaintOnChange_ = true;
}

TCustomChartPanel::~TCustomChartPanel()
{
    // Nothing may ask for a paint while the chart comes apart.
    repaintOnChange_ = false;
}

void TCustomChartPanel::Invalidate()
{
    if (!repaintOnChange_)
        return;
    surface_->MarkDirty();
    TCustomPanel::Invalidate();
}

void TCustomChartPanel::SetView3D(bool value) { Store(view3D_, value); }

void TCustomChartPanel::SetView3DOptions(TView3DOptions* value)
{
    view3DOptions_->Assign(value);
}

void TCustomChartPanel::SetChart3DPercent(int value)
{
    if (value < 1 || value > 100)
        throw ChartException(rtl::Format("3D effect percent must be between %d and %d", 1, 100));
    Store(chart3DPercent_, value);
}

void TCustomChartPanel::SetMarginLeft(int value) { Store(marginLeft_, value); }
void TCustomChartPanel::SetMarginTop(int value) { Store(marginTop_, value); }
void TCustomChartPanel::SetMarginRight(int value) { Store(marginRight_, value); }
void TCustomChartPanel::SetMarginBottom(int value) { Store(marginBottom_, value); }

// --- Painting -----------------------------------------------------------------------------

void TCustomChartPanel::Paint()
{
    if (printing_)
        return;
    if (surface_->RepaintFromBuffer(Canvas()))
        return;
    RenderTo(Canvas(), ClientRect());
}

void TCustomChartPanel::RenderTo(TCanvas* target, const platform::Rect& rect)
{
    const platform::Rect bounds = surface_->BeginDrawing(target, rect, view3DOptions_.get(), view3D_);
    panelBounds_ = bounds;
    const int w = bounds.Width();
    const int h = bounds.Height();
    const int border = BorderWidth();
    // The bevels are not subtracted: they lie inside the margins.
    plotRect_ = {bounds.left + border + rtl::MulDiv(marginLeft_, w, 100),
                 bounds.top + border + rtl::MulDiv(marginTop_, h, 100),
                 bounds.right - border - rtl::MulDiv(marginRight_, w, 100),
                 bounds.bottom - border - rtl::MulDiv(marginBottom_, h, 100)};
    NormalizePlotRect();
    PaintChart(bounds);
    surface_->EndDrawing(target, Canvas(), rect);
}

void TCustomChartPanel::NormalizePlotRect()
{
    platform::Rect& r = plotRect_;
    r.left = std::max(r.left, panelBounds_.left);
    r.top = std::max(r.top, panelBounds_.top);
    if (r.right < r.left)
        r.right = r.left + 1;
    else if (r.right == r.left)
        r.right = r.left + Width();
    if (r.bottom < r.top)
        r.bottom = r.top + 1;
    else if (r.bottom == r.top)
        r.bottom = r.top + Height();
}

namespace {
// A frame of width pixels: top and left lines in one colour, bottom and right in the other;
// r shrinks by the width for the next frame inside it.
void PaintFrame(TChartCanvas3D& surface, platform::Rect& r, int width, TColor topLeft, TColor bottomRight)
{
    if (width <= 0)
        return;
    surface.DrawBevel(r, topLeft, width, bottomRight);
    r = {r.left + width, r.top + width, r.right - width, r.bottom - width};
}

TColor BevelTopColor(TBevelCut cut)
{
    return cut == bvLowered ? clBtnShadow : clBtnHighlight;
}

TColor BevelBottomColor(TBevelCut cut)
{
    return cut == bvRaised ? clBtnShadow : clBtnHighlight;
}
} // namespace

void TCustomChartPanel::PaintPanelFrame(const platform::Rect& rect)
{
    TChartCanvas3D& surface = *surface_;
    surface.Pen()->SetStyle(psSolid);
    surface.Pen()->SetWidth(1);
    surface.Pen()->SetMode(pmCopy);
    surface.Brush()->SetStyle(bsClear);
    platform::Rect r = rect;
    if (BevelOuter() != bvNone)
        PaintFrame(surface, r, BevelWidth(), BevelTopColor(BevelOuter()), BevelBottomColor(BevelOuter()));
    PaintFrame(surface, r, BorderWidth(), Color(), Color());
    if (BevelInner() != bvNone)
        PaintFrame(surface, r, BevelWidth(), BevelTopColor(BevelInner()), BevelBottomColor(BevelInner()));
}
