#include "chart/TCustomChartPanelExtended.h"

#include "chart/TChartCanvas3D.h"
#include "chart/TChartGradient.h"
#include "forms/TBrush.h"
#include "forms/TGraphic.h"
#include "forms/TPicture.h"

F2_DEFINE_CLASS(TCustomChartPanelExtended, TCustomChartPanel, F2_NO_FACTORY)
{
}

TCustomChartPanelExtended::TCustomChartPanelExtended(TComponent* owner) : TCustomChartPanel(owner)
{
    const TNotifyEvent repaint = [this](TObject*) { Invalidate(); };
    gradient_ = std::make_unique<TChartGradient>(repaint);
    backImage_ = std::make_unique<TPicture>();
    backImage_->SetOnChange(repaint);
}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::SetGradient(TChartGradient* value) { gradient_->Assign(value); }
void TCustomChartPanelExtended::SetBackImage(TPicture* value) { backImage_->Assign(value); }

bool TCustomChartPanelExtended::HasBackImage() const
{
    return backImage_->Graphic() && !backImage_->Graphic()->Empty();
}

void TCustomChartPanelExtended::PaintBackground(const platform::Rect& rect)
{
    TChartCanvas3D& surface = *Canvas3D();
    if (gradient_->Visible()) {
        // The surface exchanges the colours for every direction but top-bottom and left-right;
        // handing them over in the opposite order there keeps StartColor first for all.
        const TGradientDirection direction = gradient_->Direction();
        if (direction == gdTopBottom || direction == gdLeftRight)
            surface.FillGradient(rect, gradient_->StartColor(), direction, gradient_->EndColor());
        else
            surface.FillGradient(rect, gradient_->EndColor(), direction, gradient_->StartColor());
        return;
    }
    if (Printing())
        return;
    surface.Brush()->SetColor(Color());
    surface.Brush()->SetStyle(bsSolid);
    surface.EraseArea(rect);
}

void TCustomChartPanelExtended::PaintPanel(const platform::Rect& rect)
{
    PaintBackground(rect);
    if (HasBackImage() && !BackImageInsideWalls())
        PaintBackImage(rect);
    if (!Canvas3D()->HandlesFullRotation())
        PaintPanelFrame(rect);
}

void TCustomChartPanelExtended::PaintBackImage(const platform::Rect& rect)
{
    TGraphic* graphic = backImage_->Graphic();
    if (!graphic || graphic->Empty())
        return;
    TChartCanvas3D& surface = *Canvas3D();
    const int w = graphic->Width(), h = graphic->Height();
    switch (backImageMode_) {
    case pbmStretch:
        surface.DrawGraphicStretched(rect, graphic);
        break;
    case pbmCenter:
        surface.DrawGraphic(rect.left + (rect.Width() - w) / 2, rect.top + (rect.Height() - h) / 2, graphic);
        break;
    case pbmTile:
        if (w <= 0 || h <= 0)
            break;
        surface.ClipToRect(rect);
        for (int y = rect.top; y < rect.bottom; y += h)
            for (int x = rect.left; x < rect.right; x += w)
                surface.DrawGraphic(x, y, graphic);
        surface.RemoveClip();
        break;
    }
}
