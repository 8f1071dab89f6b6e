#include "chart/TChart.h"

#include "chart/TChartAxis.h"
#include "chart/TChartGradient.h"
#include "chart/TChartLegend.h"
#include "chart/TChartPen.h"
#include "chart/TChartTitle.h"
#include "chart/TChartWall.h"
#include "forms/TPicture.h"
#include "chart/TChartDepthAxis.h"
#include "chart/TView3DOptions.h"

F2_DEFINE_CLASS(TChart, TCustomChart, F2_FACTORY(TChart))
{
    c.Property("AllowPanning", &TChart::AllowPanning, &TChart::SetAllowPanning).Default(pmBoth);
    c.Property("AllowZoom", &TChart::AllowZoom, &TChart::SetAllowZoom).Default(1);
    c.Property("AnimatedZoom", &TChart::AnimatedZoom, &TChart::SetAnimatedZoom).Default(0);
    c.Property("AnimatedZoomSteps", &TChart::AnimatedZoomSteps, &TChart::SetAnimatedZoomSteps).Default(8);
    c.Property("AxisVisible", &TChart::AxisVisible, &TChart::SetAxisVisible).Default(1);
    c.Property("BackColor", &TChart::BackColor, &TChart::SetBackColor).Default(clDefault);
    c.Property("BackImage", &TChart::BackImage, &TChart::SetBackImage);
    c.Property("BackImageInside", &TChart::BackImageInside, &TChart::SetBackImageInside).Default(0);
    c.Property("BackImageMode", &TChart::BackImageMode, &TChart::SetBackImageMode).Default(pbmStretch);
    c.Property("BackWall", &TChart::BackWall, &TChart::SetBackWall);
    c.Property("BottomAxis", &TChart::BottomAxis, &TChart::SetBottomAxis);
    c.Property("Chart3DPercent", &TChart::Chart3DPercent, &TChart::SetChart3DPercent).Default(15);
    c.Property("BottomWall", &TChart::BottomWall, &TChart::SetBottomWall);
    c.Property("ClipPoints", &TChart::ClipPoints, &TChart::SetClipPoints).Default(1);
    c.Property("DepthAxis", &TChart::DepthAxis, &TChart::SetDepthAxis);
    c.Property("Foot", &TChart::Foot, &TChart::SetFoot);
    c.Property("Frame", &TChart::Frame, &TChart::SetFrame);
    c.Property("Gradient", &TChart::Gradient, &TChart::SetGradient);
    c.Property("LeftAxis", &TChart::LeftAxis, &TChart::SetLeftAxis);
    c.Property("LeftWall", &TChart::LeftWall, &TChart::SetLeftWall);
    c.Property("Legend", &TChart::Legend, &TChart::SetLegend);
    c.Property("MarginBottom", &TChart::MarginBottom, &TChart::SetMarginBottom).Default(4);
    c.Property("MarginLeft", &TChart::MarginLeft, &TChart::SetMarginLeft).Default(3);
    c.Property("MarginRight", &TChart::MarginRight, &TChart::SetMarginRight).Default(3);
    c.Property("MarginTop", &TChart::MarginTop, &TChart::SetMarginTop).Default(4);
    c.Property("MaxPointsPerPage", &TChart::MaxPointsPerPage, &TChart::SetMaxPointsPerPage).Default(0);
    c.Property("Page", &TChart::Page, &TChart::SetPage).Default(1);
    c.Property("RightAxis", &TChart::RightAxis, &TChart::SetRightAxis);
    c.Property("Title", &TChart::Title, &TChart::SetTitle);
    c.Property("TopAxis", &TChart::TopAxis, &TChart::SetTopAxis);
    c.Property("View3D", &TChart::View3D, &TChart::SetView3D).Default(1);
    c.Property("View3DOptions", &TChart::View3DOptions, &TChart::SetView3DOptions);
    c.Property("View3DWalls", &TChart::View3DWalls, &TChart::SetView3DWalls).Default(1);
    c.Property("OnAfterDraw", &TChart::OnAfterDraw, &TChart::SetOnAfterDraw);
    c.Property("OnBeforeDrawAxes", &TChart::OnBeforeDrawAxes, &TChart::SetOnBeforeDrawAxes);
    c.Property("OnBeforeDrawSeries", &TChart::OnBeforeDrawSeries, &TChart::SetOnBeforeDrawSeries);
    c.Property("OnGetAxisLabel", &TChart::OnGetAxisLabel, &TChart::SetOnGetAxisLabel);
    c.Property("OnGetNextAxisLabel", &TChart::OnGetNextAxisLabel, &TChart::SetOnGetNextAxisLabel);
}
