#include "chart/TCustomChart.h"

#include "chart/TChartBrush.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartLegend.h"
#include "chart/TChartPen.h"
#include "chart/TChartTitle.h"
#include "chart/TChartWall.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TCustomSeries.h"
#include "rtl/NumberText.h"
#include "forms/TBrush.h"

#include <algorithm>

F2_DEFINE_CLASS(TCustomChart, TCustomAxisPanel, F2_NO_FACTORY)
{
}

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner)
{
    SetRepaintOnChange(false);
    const TNotifyEvent repaint = [this](TObject*) { Invalidate(); };
    title_ = std::make_unique<TChartTitle>(repaint);
    foot_ = std::make_unique<TChartTitle>(repaint);
    legend_ = std::make_unique<TChartLegend>(repaint);
    backWall_ = std::make_unique<TChartWall>(repaint);
    leftWall_ = std::make_unique<TChartWall>(repaint);
    bottomWall_ = std::make_unique<TChartWall>(repaint);
    backWall_->Brush()->SetStyle(bsClear);
    leftWall_->SetColor(TColor(0x80FFFF));
    bottomWall_->SetColor(clWhite);
    SetRepaintOnChange(true);
}

TCustomChart::~TCustomChart()
{
    SetRepaintOnChange(false);
}

void TCustomChart::SetTitle(TChartTitle* value) { title_->Assign(value); }
void TCustomChart::SetFoot(TChartTitle* value) { foot_->Assign(value); }
void TCustomChart::SetLegend(TChartLegend* value) { legend_->Assign(value); }
void TCustomChart::SetBackWall(TChartWall* value) { backWall_->Assign(value); }
void TCustomChart::SetLeftWall(TChartWall* value) { leftWall_->Assign(value); }
void TCustomChart::SetBottomWall(TChartWall* value) { bottomWall_->Assign(value); }

TColor TCustomChart::BackColor() const
{
    return backWall_->Color();
}

void TCustomChart::SetBackColor(TColor value)
{
    backWall_->SetColor(value);
    // A colour chosen for a shown chart is meant to be seen.
    if (Parent() && !IsLoading())
        backWall_->Brush()->SetStyle(bsSolid);
}

TChartPen* TCustomChart::Frame() const
{
    return backWall_->Pen();
}

void TCustomChart::SetFrame(TChartPen* value)
{
    backWall_->SetPen(value);
}

bool TCustomChart::IsFreeSeriesColor(TColor color, bool checkBackground) const
{
    return TCustomAxisPanel::IsFreeSeriesColor(color, checkBackground) &&
           (!checkBackground || color != BackColor());
}

void TCustomChart::PaintTitlesAndLegend()
{
    TChartCanvas3D& surface = *Canvas3D();
    platform::Rect plot = PlotRect();
    const bool legendShown = legend_->Visible() && ActiveSeriesCount() > 0;
    surface.BeginFlatDrawing();
    if (legendShown && legend_->AtSide())
        legend_->Draw(surface, plot, *this);
    if (title_->Visible())
        title_->Draw(surface, plot, false);
    if (foot_->Visible())
        foot_->Draw(surface, plot, true);
    if (legendShown && !legend_->AtSide())
        legend_->Draw(surface, plot, *this);
    surface.EndFlatDrawing();
    SetPlotRect(plot);
    NormalizePlotRect();
}

void TCustomChart::PrepareWallBrush()
{
    TChartCanvas3D& surface = *Canvas3D();
    TChartBrush* wallBrush = backWall_->Brush();
    surface.ApplyChartPen(backWall_->Pen());
    if (wallBrush->Bitmap()) {
        surface.Brush()->SetBitmap(wallBrush->Bitmap());
        return;
    }
    const TColor color = backWall_->Color();
    if (color == clDefault && wallBrush->Style() == bsSolid) {
        // No colour of its own: the wall lets the panel show through.
        surface.Brush()->SetStyle(bsClear);
        return;
    }
    surface.Brush()->SetColor(color);
    surface.Brush()->SetStyle(wallBrush->Style());
    if (wallBrush->Style() == bsSolid) {
        surface.ApplyBackMode(platform::BackgroundMode::Transparent);
        return;
    }
    // A hatched wall shows its hatch over the brush colour; a hatch in that same colour would
    // vanish, so it takes black or white instead.
    surface.ApplyBackColor(wallBrush->Color());
    surface.ApplyBackMode(platform::BackgroundMode::Opaque);
    if (color == wallBrush->Color()) {
        surface.Brush()->SetColor(color == clBlack ? clWhite : clBlack);
        surface.Brush()->SetStyle(wallBrush->Style());
    }
}

void TCustomChart::PaintWalls()
{
    TChartCanvas3D& surface = *Canvas3D();
    const platform::Rect& plot = PlotRect();
    PrepareWallBrush();
    if (View3D())
        surface.DrawBoxAtDepth({plot.left, plot.top, plot.right + 1, plot.bottom + 1}, Depth3D());
    else
        surface.DrawBox(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    if (HasBackImage() && backImageInside_) {
        const int inset = backWall_->Pen()->Visible() ? 1 : 0;
        PaintBackImage({plot.left, plot.top + inset, plot.right, plot.bottom - inset});
    }
}

void TCustomChart::ChangeScale(int m, int d)
{
    TCustomAxisPanel::ChangeScale(m, d);
    if (m == d || m <= 0 || d <= 0)
        return;
    const auto scaleFont = [m, d](TFont* font) {
        if (font)
            font->SetHeight(rtl::MulDiv(font->Height(), m, d));
    };
    scaleFont(title_->Font());
    scaleFont(foot_->Font());
    scaleFont(legend_->Font());
    for (TChartAxis* axis : {BottomAxis(), TopAxis(), LeftAxis(), RightAxis()}) {
        if (!axis)
            continue;
        scaleFont(axis->Title()->Font());
        scaleFont(axis->LabelsFont());
    }
    // Lines keep their weight relative to the chart: whole pixels, never thinner than one.
    for (int i = 0; i < SeriesCount(); ++i)
        if (auto* series = dynamic_cast<TCustomSeries*>(SeriesAt(i)))
            series->LinePen()->SetWidth(std::max(1, rtl::MulDiv(series->LinePen()->Width(), m, d)));
}
