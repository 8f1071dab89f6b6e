// The calculator's chart blocks, compiled from layout text and read into a small window
// class: every chart and series property path they name must exist with the right type, and
// the charts read that way paint like the calculator's.

#include "ChartPaintSupport.h"

#include "chart/TChartValueList.h"
#include "chart/TSeriesMarks.h"
#include "chart/TView3DOptions.h"
#include "forms/ClassInfo.h"
#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <gtest/gtest.h>

using namespace chartpaint;

namespace {

// A window stand-in that publishes the two charts and their series.
class TChartLayoutForm : public TComponent {
    F2_CLASS(TChartLayoutForm, TComponent)
public:
    explicit TChartLayoutForm(TComponent* owner = nullptr) : TComponent(owner) {}
    TChart* Chart3 = nullptr;
    TLineSeries* LineSeries1 = nullptr;
    TChart* Chart2 = nullptr;
    TLineSeries* Series2 = nullptr;
};

// An axis of the calculator's charts: no labels, a bold black Arial title; `extra` follows its
// Labels line.
std::string AxisLines(const std::string& axis, const std::string& caption, const std::string& extra = {})
{
    std::string lines = "    " + axis + ".ExactDateTime = false\n    " + axis + ".Labels = false\n" + extra;
    lines += "    " + axis + ".Title.Caption = \"" + caption + "\"\n";
    for (const char* font : {"Charset = DEFAULT_CHARSET", "Color = clBlack", "Height = -11", "Name = \"Arial\"",
                             "Style = [fsBold]"})
        lines += "    " + axis + ".Title.Font." + font + "\n";
    return lines;
}

// What both chart blocks of the main window's layout set alike: the axes, and the pointer and
// value lists of their series.
const std::string kAxes = AxisLines("BottomAxis", "f", "    BottomAxis.Logarithmic = true\n") +
                          AxisLines("LeftAxis", "dB") + "    Legend.Visible = false\n    View3D = false\n";
const char* const kSeriesPoints = R"(
      Pointer.InflateMargins = true
      Pointer.Style = psRectangle
      Pointer.Visible = false
      XValues.DateTime = false
      XValues.Name = "X"
      XValues.Multiplier = 1.0
      XValues.Order = loAscending
      YValues.DateTime = false
      YValues.Name = "Y"
      YValues.Multiplier = 1.0
      YValues.Order = loNone
)";

// The two chart blocks of the main window's layout, as the layout gives them.
const std::string kCharts = R"(
Form1 : TChartLayoutForm {
  Chart3 : TChart {
    Left = 8
    Top = 256
    Width = 257
    Height = 169
    AllowPanning = pmNone
    AllowZoom = false
    BackWall.Brush.Color = clWhite
    Gradient.Direction = gdBottomTop
    Gradient.EndColor = clWhite
    Gradient.Visible = true
    Title.Text.Strings = ( "TChart" )
    Title.Visible = false
)" + kAxes + R"(    View3DOptions.Elevation = 315
    View3DOptions.Orthogonal = false
    View3DOptions.Perspective = 0
    View3DOptions.Rotation = 360
    BevelInner = bvLowered
    BevelOuter = bvLowered
    TabOrder = 3

    LineSeries1 : TLineSeries {
      Marks.ArrowLength = 8
      Marks.Visible = false
      SeriesColor = clBlue
      Dark3D = false
      LinePen.Width = 2
)" + std::string(kSeriesPoints) + R"(    }
  }
  Chart2 : TChart {
    Left = 0
    Top = 256
    Width = 265
    Height = 169
    AllowPanning = pmNone
    AllowZoom = false
    BackWall.Brush.Color = clWhite
    BackWall.Brush.Style = bsClear
    Gradient.EndColor = clWhite
    Gradient.Visible = true
    Title.Text.Strings = ( "TChart" )
    Title.Visible = false
)" + kAxes + R"(    BevelInner = bvLowered
    BevelOuter = bvLowered
    TabOrder = 1

    Series2 : TLineSeries {
      Marks.ArrowLength = 8
      Marks.Visible = false
      SeriesColor = clRed
      LinePen.Width = 2
)" + std::string(kSeriesPoints) + R"(    }
  }
}
)";

struct ReadCharts {
    ReadCharts()
    {
        const std::vector<uint8_t> bytes = layoutc::LayoutCompiler::Compile(kCharts, "charts.layout", ".").bytes;
        TMemoryStream stream = TMemoryStream::View(bytes);
        TReader reader(stream);
        reader.ReadRootComponent(&form);
    }
    TChartLayoutForm form;
};

} // namespace

F2_DEFINE_CLASS(TChartLayoutForm, TComponent, F2_FACTORY(TChartLayoutForm))
{
    c.Field("Chart3", &TChartLayoutForm::Chart3);
    c.Field("LineSeries1", &TChartLayoutForm::LineSeries1);
    c.Field("Chart2", &TChartLayoutForm::Chart2);
    c.Field("Series2", &TChartLayoutForm::Series2);
}

TEST(ChartLayout, TheCalculatorsChartBlocksReadWithEveryProperty)
{
    ReadCharts r;
    TChartLayoutForm& f = r.form;
    ASSERT_NE(f.Chart2, nullptr);
    ASSERT_NE(f.Chart3, nullptr);
    ASSERT_NE(f.Series2, nullptr);
    ASSERT_NE(f.LineSeries1, nullptr);
    EXPECT_EQ(f.Series2->ParentChart(), f.Chart2);
    EXPECT_EQ(f.LineSeries1->ParentChart(), f.Chart3);

    for (TChart* chart : {f.Chart2, f.Chart3}) {
        EXPECT_EQ(chart->AllowPanning(), pmNone);
        EXPECT_FALSE(chart->AllowZoom());
        EXPECT_EQ(chart->BackWall()->Brush()->Color(), clWhite);
        EXPECT_TRUE(chart->Gradient()->Visible());
        EXPECT_EQ(chart->Gradient()->EndColor(), clWhite);
        EXPECT_EQ(chart->Title()->Text()->Text(), "TChart\r\n");
        EXPECT_FALSE(chart->Title()->Visible());
        EXPECT_TRUE(chart->BottomAxis()->Logarithmic());
        EXPECT_FALSE(chart->BottomAxis()->Labels());
        EXPECT_FALSE(chart->LeftAxis()->Labels());
        EXPECT_FALSE(chart->LeftAxis()->ExactDateTime());
        EXPECT_EQ(chart->BottomAxis()->Title()->Caption(), "f");
        EXPECT_EQ(chart->LeftAxis()->Title()->Caption(), "dB");
        EXPECT_EQ(chart->LeftAxis()->Title()->Font()->Name(), "Arial");
        EXPECT_EQ(chart->LeftAxis()->Title()->Font()->Height(), -11);
        EXPECT_TRUE(chart->BottomAxis()->Title()->Font()->Style().Contains(fsBold));
        EXPECT_FALSE(chart->Legend()->Visible());
        EXPECT_FALSE(chart->View3D());
        EXPECT_EQ(chart->BevelInner(), bvLowered);
        EXPECT_EQ(chart->BevelOuter(), bvLowered);
    }
    EXPECT_EQ(f.Chart2->Width(), 265);
    EXPECT_EQ(f.Chart3->Width(), 257);
    EXPECT_EQ(f.Chart2->Gradient()->Direction(), gdTopBottom);
    EXPECT_EQ(f.Chart3->Gradient()->Direction(), gdBottomTop);
    EXPECT_EQ(f.Chart2->BackWall()->Brush()->Style(), bsClear);
    EXPECT_EQ(f.Chart3->View3DOptions()->Elevation(), 315);
    EXPECT_FALSE(f.Chart3->View3DOptions()->Orthogonal());
    EXPECT_EQ(f.Chart3->View3DOptions()->Perspective(), 0);
    EXPECT_EQ(f.Chart3->View3DOptions()->Rotation(), 360);

    for (TLineSeries* s : {f.Series2, f.LineSeries1}) {
        EXPECT_EQ(s->Marks()->ArrowLength(), 8);
        EXPECT_FALSE(s->Marks()->Visible());
        EXPECT_EQ(s->LinePen()->Width(), 2);
        EXPECT_TRUE(s->Pointer()->InflateMargins());
        EXPECT_EQ(s->Pointer()->Style(), psRectangle);
        EXPECT_FALSE(s->Pointer()->Visible());
        EXPECT_EQ(s->XValues()->Order(), loAscending);
        EXPECT_EQ(s->YValues()->Order(), loNone);
        EXPECT_EQ(s->YValues()->Name(), "Y");
        EXPECT_EQ(s->XValues()->Multiplier(), 1.0);
    }
    EXPECT_EQ(f.Series2->SeriesColor(), clRed);
    EXPECT_EQ(f.LineSeries1->SeriesColor(), clBlue);
    EXPECT_TRUE(f.Series2->Dark3D());
    EXPECT_FALSE(f.LineSeries1->Dark3D());
}

TEST(ChartLayout, ChartsReadFromTheLayoutPaintTheirResponses)
{
    ReadCharts r;
    TChartLayoutForm& f = r.form;
    ASSERT_NE(f.Chart2, nullptr);
    AddLowPassResponse(*f.Series2);
    AddLowPassResponse(*f.LineSeries1, 2000);
    Picture low(*f.Chart2), high(*f.Chart3);
    EXPECT_EQ(low.At(f.Chart2->Width() / 2, 0), Px(clBtnShadow));
    EXPECT_EQ(high.At(3, 3), Px(clWhite));
    EXPECT_GT(low.Count(Px(clRed)), 150);
    EXPECT_EQ(low.Count(Px(clBlue)), 0);
    EXPECT_GT(high.Count(Px(clBlue)), 150);
    EXPECT_EQ(high.Count(Px(clRed)), 0);
    const platform::Rect plot = f.Chart3->PlotRect();
    EXPECT_EQ(high.At(plot.left + 10, plot.top), Px(clBlack));
    EXPECT_EQ(high.At(plot.left + 10, plot.top + 1), Px(clWhite));
}

TEST(ChartLayout, ASeriesLeavingItsChartPutsBackTheCursorTheChartWasLoadedWith)
{
    const char* const text = R"(
Form1 : TChartLayoutForm {
  Chart2 : TChart {
    Width = 200
    Height = 150
    Cursor = crCross
    Series2 : TLineSeries {
      Cursor = -21
    }
  }
  Chart3 : TChart {
    LineSeries1 : TLineSeries {
    }
  }
}
)";
    const std::vector<uint8_t> bytes = layoutc::LayoutCompiler::Compile(text, "cursor.layout", ".").bytes;
    TMemoryStream stream = TMemoryStream::View(bytes);
    TChartLayoutForm form;
    TReader(stream).ReadRootComponent(&form);
    ASSERT_NE(form.Series2, nullptr);
    EXPECT_EQ(form.Chart2->LoadedCursor(), crCross);
    EXPECT_EQ(form.Chart3->LoadedCursor(), crDefault);

    // The chart shows the series' cursor (as while the pointer is over the series): when the
    // series leaves, the chart's own cursor comes back.
    form.Chart2->SetCursor(crHandPoint);
    form.Series2->SetParentChart(nullptr);
    EXPECT_EQ(form.Chart2->Cursor(), crCross);

    // A cursor of the chart's own, set after loading, stays.
    form.Series2->SetParentChart(form.Chart2);
    form.Chart2->SetCursor(crHelp);
    form.Series2->SetParentChart(form.Chart3);
    EXPECT_EQ(form.Chart2->Cursor(), crHelp);
    // Leaving for another chart counts too; the new chart keeps its cursor.
    form.Chart3->SetCursor(crHandPoint);
    form.Series2->SetParentChart(form.Chart2);
    EXPECT_EQ(form.Chart3->Cursor(), crDefault);
    EXPECT_EQ(form.Chart2->Cursor(), crHelp);
}
