#include "chart/ChartExceptions.h"
#include "chart/TChart.h"
#include "chart/TChartAxis.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"
#include "chart/TChartValueList.h"
#include "forms/TCanvas.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Values(const TChartValueList& list)
{
    std::vector<double> out;
    for (int i = 0; i < list.ValueCount(); ++i)
        out.push_back(list.ValueAt(i));
    return out;
}

// A chart that counts how often it is painted.
class TCountingChart : public TChart {
public:
    using TChart::TChart;
    void PaintChart(const platform::Rect&) override { ++paints; }
    int paints = 0;
};

// Clears the surface's stale mark the way a finished paint does.
void FinishPaint(TChart& chart)
{
    TChartCanvas3D* surface = chart.Canvas3D();
    surface->BeginDrawing(chart.Canvas(), {0, 0, 20, 10}, nullptr, false);
    surface->EndDrawing(nullptr, chart.Canvas(), {0, 0, 20, 10});
}

} // namespace

TEST(ChartValueList, OrderedInsertionPutsEqualValuesAfterTheStoredOnes)
{
    TChartValueList up(nullptr, "X");
    up.SetOrder(loAscending);
    for (double v : {1.0, 3.0, 3.0, 5.0})
        up.AddOrdered(v);
    EXPECT_EQ(up.AddOrdered(3), 3);   // after both 3s
    EXPECT_EQ(up.AddOrdered(0), 0);
    EXPECT_EQ(up.AddOrdered(9), 6);
    EXPECT_EQ(Values(up), (std::vector<double>{0, 1, 3, 3, 3, 5, 9}));

    TChartValueList down(nullptr, "Y");
    down.SetOrder(loDescending);
    for (double v : {9.0, 5.0, 1.0})
        down.AddOrdered(v);
    EXPECT_EQ(down.AddOrdered(5), 2);
    EXPECT_EQ(Values(down), (std::vector<double>{9, 5, 5, 1}));

    TChartValueList none(nullptr, "Z");
    none.AddOrdered(5);
    EXPECT_EQ(none.AddOrdered(1), 1);   // loNone appends
}

TEST(ChartValueList, MultiplierScalesReadsAndStatisticsButNotStorageOrOrder)
{
    TChartValueList list(nullptr, "X");
    list.SetOrder(loAscending);
    list.AddOrdered(-2);
    list.AddOrdered(4);
    list.SetMultiplier(2);
    EXPECT_TRUE(list.StatsDirty());
    EXPECT_EQ(list.ValueAt(0), -4);
    EXPECT_EQ(list.RawValueAt(0), -2);
    EXPECT_EQ(list.LowestValue(), -4);
    EXPECT_EQ(list.HighestValue(), 8);
    EXPECT_EQ(list.ValueSum(), 4);
    EXPECT_EQ(list.AbsValueSum(), 12);
    EXPECT_FALSE(list.StatsDirty());
    // The raw 3 goes between -2 and 4 although the read values are -4 and 8.
    EXPECT_EQ(list.AddOrdered(3), 1);
    EXPECT_EQ(list.HighestValue(), 8);
    EXPECT_EQ(list.ValueAt(1), 6);
}

TEST(ChartValueList, EmptyListStatisticsAreZeroAndClearingReleasesStorage)
{
    TChartValueList list(nullptr, "Y");
    EXPECT_EQ(list.LowestValue(), 0);
    EXPECT_EQ(list.HighestValue(), 0);
    EXPECT_EQ(list.ValueSum(), 0);
    EXPECT_EQ(list.AbsValueSum(), 0);
    for (int i = 0; i < 50; ++i)
        list.AddOrdered(i + 7);
    EXPECT_EQ(list.LowestValue(), 7);
    list.RemoveAll();
    EXPECT_EQ(list.ValueCount(), 0);
    EXPECT_EQ(list.Capacity(), 0u);
    EXPECT_EQ(list.LowestValue(), 0);
}

TEST(ChartValueList, BadIndicesRaiseAndChangeNothing)
{
    TChartValueList list(nullptr, "Y");
    list.AddOrdered(1);
    list.AddOrdered(2);
    const auto expectListError = [](auto action, const char* message) {
        try {
            action();
            FAIL() << "no error for " << message;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    };
    expectListError([&] { list.ValueAt(2); }, "List index out of bounds (2)");
    expectListError([&] { list.SetValueAt(-1, 5); }, "List index out of bounds (-1)");
    expectListError([&] { list.RemoveAt(7); }, "List index out of bounds (7)");
    expectListError([&] { list.InsertAt(3, 5); }, "List index out of bounds (3)");
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2}));
    list.InsertAt(2, 9);   // the end is a valid place to insert
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 9}));
}

TEST(ChartSeries, PointsStayInXOrderWithTheirYColourAndLabel)
{
    TChartSeries series(nullptr);
    EXPECT_EQ(series.XValues()->Name(), "X");
    EXPECT_EQ(series.YValues()->Name(), "Y");
    EXPECT_EQ(series.XValues()->Order(), loAscending);
    EXPECT_EQ(series.YValues()->Order(), loNone);
    EXPECT_EQ(series.AddPointXY(1, 10, "one", clRed), 0);
    EXPECT_EQ(series.AddPointXY(3, 30, "", clGreen), 1);
    EXPECT_EQ(series.AddPointXY(2, 20, "two", clBlue), 1);
    EXPECT_EQ(Values(*series.XValues()), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(*series.YValues()), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(series.PointColor(1), clBlue);
    EXPECT_EQ(series.PointLabel(1), "two");
    EXPECT_EQ(series.PointLabel(2), "");
    EXPECT_FALSE(series.PointLabelHasText(2));   // an empty label keeps no text
    EXPECT_EQ(series.PointLabel(99), "");

    series.DeletePoint(0);
    EXPECT_EQ(series.PointCount(), 2);
    EXPECT_EQ(series.PointLabel(0), "two");
    EXPECT_THROW(series.DeletePoint(2), EListError);
    EXPECT_EQ(series.PointCount(), 2);
    EXPECT_EQ(series.PointColorCount(), 2);
    EXPECT_EQ(series.PointLabelCount(), 2);
}

TEST(ChartSeries, PointColourFallsBackToSeriesColourOrPalette)
{
    TChartSeries series(nullptr);
    series.SetSeriesColor(clRed);
    for (int i = 0; i < 18; ++i)
        series.AddPointXY(i, i, "", clDefault);
    series.SetPointColor(3, clNavy);
    EXPECT_EQ(series.PointColor(0), clRed);
    EXPECT_EQ(series.PointColor(3), clNavy);
    EXPECT_EQ(series.PointColor(40), clRed);   // beyond the colour list
    series.SetColorEachPoint(true);
    EXPECT_EQ(series.PointColor(1), clGreen);
    EXPECT_EQ(series.PointColor(15), clBlack);
    EXPECT_EQ(series.PointColor(17), clGreen);   // 17 mod 16
    EXPECT_EQ(series.PointColor(3), clNavy);
    // Switching off forgets stored colours: every point follows the series again.
    series.SetColorEachPoint(false);
    EXPECT_EQ(series.PointColor(3), clRed);
}

TEST(ChartSeries, BeforeAddSeesAndMayChangeOrRefuseThePendingPoint)
{
    TChartSeries series(nullptr);
    std::vector<std::string> events;
    series.SetOnBeforeAdd([&](TChartSeries* s) {
        events.push_back("before");
        if (s->XValues()->PendingValue() < 0)
            return false;
        s->YValues()->SetPendingValue(s->YValues()->PendingValue() * 10);
        return true;
    });
    series.SetOnAfterAdd([&](TChartSeries* s, int index) {
        events.push_back("after " + std::to_string(index) + " of " + std::to_string(s->PointCount()));
    });
    EXPECT_EQ(series.AddPointXY(-1, 5), -1);
    EXPECT_EQ(series.PointCount(), 0);
    EXPECT_EQ(series.PointColorCount(), 0);
    EXPECT_EQ(series.AddPointXY(2, 5), 0);
    EXPECT_EQ(series.PointY(0), 50);
    EXPECT_EQ(events, (std::vector<std::string>{"before", "before", "after 0 of 1"}));
}

TEST(ChartSeries, DependentsFollowInsertionsDeletionsAndClearsAndCyclesAreRefused)
{
    TChartSeries source(nullptr), copy(nullptr), third(nullptr);
    source.AddPointXY(1, 1, "a");
    copy.AddDataSource(&source);
    EXPECT_EQ(copy.PointCount(), 1);
    source.AddPointXY(0, 5, "b", clRed);
    ASSERT_EQ(copy.PointCount(), 2);
    EXPECT_EQ(copy.PointY(0), 5);
    EXPECT_EQ(copy.PointLabel(0), "b");
    source.DeletePoint(1);
    EXPECT_EQ(copy.PointCount(), 1);
    third.AddDataSource(&copy);
    try {
        source.AddDataSource(&third);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Circular Series dependences are not allowed");
    }
    EXPECT_THROW(source.AddDataSource(&source), ChartException);
    source.ClearPoints();
    EXPECT_EQ(copy.PointCount(), 0);
    EXPECT_EQ(third.PointCount(), 0);
}

TEST(ChartSeriesInChart, JoiningTakesTheFirstFreePaletteColourAndKeepsAChosenOne)
{
    TChart chart(nullptr);
    auto* red = new TChartSeries(nullptr);
    red->SetSeriesColor(clRed);
    red->SetParentChart(&chart);
    EXPECT_EQ(red->SeriesColor(), clRed);
    auto* plain = new TChartSeries(nullptr);
    plain->SetParentChart(&chart);
    EXPECT_EQ(plain->SeriesColor(), clGreen);   // red is taken
    chart.SetBackColor(clYellow);
    auto* third = new TChartSeries(nullptr);
    third->SetParentComponent(&chart);           // how a layout attaches it
    EXPECT_EQ(third->SeriesColor(), clBlue);     // yellow is the back colour
    EXPECT_EQ(chart.SeriesCount(), 3);
    EXPECT_EQ(chart.SeriesAt(2), third);
    EXPECT_EQ(third->GetHorizAxis(), chart.BottomAxis());
    EXPECT_EQ(third->GetVertAxis(), chart.LeftAxis());
    third->SetVertAxis(aRightAxis);
    EXPECT_EQ(third->GetVertAxis(), chart.RightAxis());
    plain->SetActive(false);
    EXPECT_EQ(chart.ActiveSeriesCount(), 2);

    // Leaving resolves the axes to none; the chart frees the series still in it.
    third->SetParentChart(nullptr);
    EXPECT_EQ(third->GetHorizAxis(), nullptr);
    EXPECT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(chart.SeriesAt(1), plain);
    delete third;
}

TEST(ChartSeriesInChart, SeriesAtOutOfRangeNamesTheIndex)
{
    TChart chart(nullptr);
    (new TChartSeries(nullptr))->SetParentChart(&chart);
    try {
        chart.SeriesAt(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
}

TEST(ChartSeriesInChart, DataChangesMarkThePictureStaleButPaintNothing)
{
    TCountingChart chart(nullptr);
    auto* series = new TChartSeries(nullptr);
    series->SetParentChart(&chart);
    FinishPaint(chart);
    ASSERT_FALSE(chart.Canvas3D()->IsDirty());
    for (int i = 0; i < 100; ++i)
        series->AddPointXY(i, i * i);
    EXPECT_TRUE(chart.Canvas3D()->IsDirty());
    EXPECT_EQ(chart.paints, 0);

    // An empty series still tells its handler and asks for a repaint when cleared.
    series->ClearPoints();
    FinishPaint(chart);
    int clears = 0;
    series->SetOnClearValues([&](TChartSeries*) { ++clears; });
    series->ClearPoints();
    EXPECT_EQ(clears, 1);
    EXPECT_TRUE(chart.Canvas3D()->IsDirty());

    // Without RepaintOnChange the chart ignores every request.
    FinishPaint(chart);
    chart.SetRepaintOnChange(false);
    series->AddPointXY(1, 1);
    EXPECT_FALSE(chart.Canvas3D()->IsDirty());
    chart.SetRepaintOnChange(true);
    series->SetActive(false);
    EXPECT_TRUE(chart.Canvas3D()->IsDirty());
    // An inactive series does not ask for a repaint on data changes.
    FinishPaint(chart);
    series->AddPointXY(2, 2);
    EXPECT_FALSE(chart.Canvas3D()->IsDirty());
    EXPECT_EQ(chart.paints, 0);
}

TEST(ChartSeriesInChart, PublishedPropertiesReachNestedValueListSettings)
{
    TChartSeries series(nullptr);
    const TClassInfo& cls = series.ClassType();
    const TPropInfo* xValues = cls.FindProperty("XValues");
    ASSERT_NE(xValues, nullptr);
    TObject* list = xValues->getObject(&series);
    const TPropInfo* order = list->ClassType().FindProperty("Order");
    ASSERT_NE(order, nullptr);
    order->setOrd(list, order->type->OrdinalOf("loDescending"));
    EXPECT_EQ(series.XValues()->Order(), loDescending);
    cls.FindProperty("SeriesColor")->setOrd(&series, clBlue);
    EXPECT_EQ(series.SeriesColor(), clBlue);
    EXPECT_EQ(cls.FindProperty("HorizAxis")->type->OrdinalOf("aBothHorizAxis"), 2);
    EXPECT_TRUE(series.HasParent());
}
