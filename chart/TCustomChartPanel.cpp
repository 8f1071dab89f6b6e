#include "chart/TCustomChartPanel.h"

#include "chart/ChartExceptions.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TView3DOptions.h"
#include "forms/TCanvas.h"
#include "rtl/Format.h"

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
