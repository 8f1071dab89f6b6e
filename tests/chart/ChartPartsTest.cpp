#include "chart/TChart.h"
#include "chart/TChartArrowPen.h"
#include "chart/TChartAxis.h"
#include "chart/TChartAxisPen.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartHiddenPen.h"
#include "chart/TChartSeries.h"
#include "chart/TChartValueList.h"
#include "chart/TDarkGrayPen.h"
#include "chart/TDottedGrayPen.h"
#include "chart/TView3DOptions.h"
#include "forms/TBitmap.h"
#include "forms/TCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ChartPens, VariantsDifferOnlyInTheirDefaultsAndNotifyOnChange)
{
    EXPECT_FALSE(TChartHiddenPen().Visible());
    EXPECT_EQ(TDottedGrayPen().Color(), clGray);
    EXPECT_EQ(TDottedGrayPen().Style(), psDot);
    EXPECT_EQ(TDarkGrayPen().Color(), clGray);
    EXPECT_EQ(TChartAxisPen().Width(), 2);
    EXPECT_EQ(TChartArrowPen().Color(), clWhite);
    int changes = 0;
    TChartPen pen([&](TObject*) { ++changes; });
    EXPECT_EQ(changes, 0);
    pen.SetVisible(false);
    pen.SetVisible(false);
    pen.SetSmallDots(true);
    EXPECT_EQ(changes, 2);
    TChartAxisPen other;
    pen.Assign(&other);   // visible again, width 2, no dots: one change for the lot
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(pen.Visible());
    EXPECT_EQ(pen.Width(), 2);
}

TEST(View3DOptions, SettersRepaintOnlyOnChangeAndReportScrollAndZoom)
{
    std::vector<std::string> log;
    TView3DOptions options([&](TObject*) { log.push_back("repaint"); });
    options.SetOnScroll([&](bool horizontal) { log.push_back(horizontal ? "scroll h" : "scroll v"); });
    options.SetOnZoom([&](int zoom) { log.push_back("zoom " + std::to_string(zoom)); });
    EXPECT_EQ(options.Elevation(), 345);
    EXPECT_TRUE(options.Orthogonal());
    options.SetElevation(345);
    options.SetHorizOffset(4);
    options.SetVertOffset(-2);
    options.SetZoom(150);
    EXPECT_EQ(log, (std::vector<std::string>{"repaint", "scroll h", "repaint", "scroll v", "zoom 150", "repaint"}));
}

TEST(ChartAxisLabels, LabelStepFollowsTheRoomMeasuredByTheSurface)
{
    TChart chart(nullptr);
    auto* series = new TChartSeries(nullptr);
    series->SetParentChart(&chart);
    series->AddPointXY(0, 0);
    series->AddPointXY(1000, 0);
    chart.SetPlotRect({0, 0, 400, 100});
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.ComputeRange();
    bottom.ComputePixelSpan();
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    TChartCanvas3D surface(bitmap.Canvas());
    const int width = surface.MeasureTextWidth("1 000");
    ASSERT_GT(width, 0);
    const double step = bottom.ComputeLabelStep(surface);
    // The labels of one step must fit side by side with 10 % room between them.
    const int spaced = width + int(width * 0.1 + 0.5);
    const double room = 400.0 / spaced;
    EXPECT_LE(1000 / step, room + 0.5);
    // ... and the next smaller step of the sequence would not.
    EXPECT_GT(1000 / (step / 2), room - 0.5);
}

TEST(ChartValueList, SortByOrderMovesWholePoints)
{
    TChartSeries series(nullptr);
    series.AddPointXY(1, 30, "a", clRed);
    series.AddPointXY(2, 10, "b", clGreen);
    series.AddPointXY(3, 20, "c", clBlue);
    series.YValues()->SetOrder(loAscending);
    series.YValues()->SortByOrder();
    EXPECT_EQ(series.PointY(0), 10);
    EXPECT_EQ(series.PointX(0), 2);
    EXPECT_EQ(series.PointLabel(0), "b");
    EXPECT_EQ(series.PointColor(2), clRed);
    EXPECT_EQ(series.PointX(2), 1);
}
