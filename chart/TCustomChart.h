#pragma once
// The chart with title, foot, legend and walls. It draws the title and foot (taking their
// room from the plot rectangle) and, in 2-D, the back wall as the outline of the plot. The
// back colour is the back wall's colour, which a series joining the chart must not take.

#include "chart/TCustomAxisPanel.h"

#include <memory>

class TChartLegend;
class TChartPen;
class TChartTitle;
class TChartWall;

class TCustomChart : public TCustomAxisPanel {
    F2_CLASS(TCustomChart, TCustomAxisPanel)
public:
    explicit TCustomChart(TComponent* owner);
    ~TCustomChart() override;

    TChartTitle* Title() const { return title_.get(); }
    void SetTitle(TChartTitle* value);
    TChartTitle* Foot() const { return foot_.get(); }
    void SetFoot(TChartTitle* value);
    TChartLegend* Legend() const { return legend_.get(); }
    void SetLegend(TChartLegend* value);
    TChartWall* BackWall() const { return backWall_.get(); }
    void SetBackWall(TChartWall* value);
    TChartWall* LeftWall() const { return leftWall_.get(); }
    void SetLeftWall(TChartWall* value);
    TChartWall* BottomWall() const { return bottomWall_.get(); }
    void SetBottomWall(TChartWall* value);

    // The back wall's colour; setting it on a shown chart also makes the wall's brush solid.
    TColor BackColor() const;
    void SetBackColor(TColor value);
    // The back wall's pen.
    TChartPen* Frame() const;
    void SetFrame(TChartPen* value);
    bool BackImageInside() const { return backImageInside_; }
    void SetBackImageInside(bool value) { Store(backImageInside_, value); }
    bool BackImageInsideWalls() const override { return backImageInside_; }

    bool IsFreeSeriesColor(TColor color, bool checkBackground) const override;
    void PaintTitlesAndLegend() override;
    // Scaling the window for a screen of another density scales the chart's own fonts (titles,
    // legend, axis titles and labels) and its series' lines with it.
    void ChangeScale(int m, int d) override;
    void PaintWalls() override;

private:
    // Pen and brush of the surface for the back wall.
    void PrepareWallBrush();

    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartLegend> legend_;
    std::unique_ptr<TChartWall> backWall_;
    std::unique_ptr<TChartWall> leftWall_;
    std::unique_ptr<TChartWall> bottomWall_;
    bool backImageInside_ = false;
};
