#include "chart/TChartCanvas.h"

#include "chart/TChartPen.h"
#include "forms/TCanvas.h"

void TChartCanvas::AttachCanvas(TCanvas* canvas)
{
    canvas_ = canvas;
    pen_ = canvas ? canvas->Pen() : nullptr;
    font_ = canvas ? canvas->Font() : nullptr;
    brush_ = canvas ? canvas->Brush() : nullptr;
}

void TChartCanvas::ApplyChartPen(TChartPen* pen)
{
    if (!pen_ || !pen)
        return;
    if (!pen->Visible()) {
        pen_->SetStyle(psClear);
        return;
    }
    // Copy the plain pen settings first; small dots then switch the alternate pixel pattern
    // on (only a 1-pixel pen can have it, as on the classic desktop).
    pen_->Assign(pen);
    pen_->SetAlternate(pen->SmallDots() && pen->Width() == 1);
}

void TChartCanvas::ResetDrawingState()
{
    if (!canvas_)
        return;
    pen_->SetColor(clBlack);
    pen_->SetWidth(1);
    pen_->SetStyle(psSolid);
    pen_->SetAlternate(false);
    brush_->SetColor(clWhite);
    brush_->SetStyle(bsSolid);
    font_->SetColor(clBlack);
    font_->SetSize(10);
    ApplyBackColor(clWhite);
    ApplyBackMode(platform::BackgroundMode::Transparent);
}
