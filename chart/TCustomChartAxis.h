#pragma once
// An axis of a chart: a range of values, a span of pixels and the mapping between them
// (linear or logarithmic), kept as one AxisMapping. Before each paint the axis takes its range
// from the series attached to it (or from Minimum/Maximum when set by hand) and its span from
// the plot rectangle; every pixel a series or the axis drawing places goes through that
// mapping. The axis also keeps where its line, labels and title stand in the current paint
// (its AxisLayout), which the chart's layout decides and the drawing reads, and the drawing
// settings (labels, title, pens, ticks).

#include "chart/AxisLayout.h"
#include "chart/AxisMapping.h"
#include "chart/AxisSide.h"
#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"
#include "platform/Raster.h"
#include "rtl/StoreProperty.h"

#include <memory>
#include <string>
#include <string_view>

class TChartAxisPen;
class TChartAxisTitle;
class TChartCanvas;
class TChartHiddenPen;
class TChartSeries;
class TCustomAxisPanel;
class TDarkGrayPen;
class TDottedGrayPen;
class TFont;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
F2_ENUM_TYPE(TAxisLabelStyle, "talAuto", "talNone", "talValue", "talMark", "talText");

// The next value of the 1-2-5 sequence above x: 1 -> 2, 2 -> 5, 5 -> 10, 3 -> 5, 0.3 -> 0.5.
double NextNiceStep(double x);

class TCustomChartAxis : public TPersistent {
    F2_CLASS(TCustomChartAxis, TPersistent)
public:
    explicit TCustomChartAxis(TCustomAxisPanel* chart);
    ~TCustomChartAxis() override;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    TCustomAxisPanel* ParentChart() const { return chart_; }
    // Set once by the chart when it makes its axes.
    void SetKind(bool horizontal, bool farSide, bool zAxis);
    bool IsHorizontal() const { return horizontal_; }
    bool IsFarSide() const { return farSide_; }
    bool IsZAxis() const { return zAxis_; }
    AxisSide Side() const { return SideOf(horizontal_, farSide_, zAxis_); }

    // --- Scaling ------------------------------------------------------------------------
    void ComputeRange();
    void ComputePixelSpan();
    void ApplySeriesMargins(int startMargin, int endMargin);
    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
    // The step between labels, measured in the surface's current font from the label texts
    // of the range's ends (the maximum's first); askChart false leaves the chart's
    // OnGetAxisLabel out.
    double ComputeLabelStep() const;
    double ComputeLabelStep(TChartCanvas& canvas, bool askChart = true) const;
    // The same for an axis pixelLength pixels long.
    double LabelStepForLength(TChartCanvas& canvas, int pixelLength, bool askChart) const;
    // The length of the pixel span the axis would have over the plot rectangle.
    int PixelLengthOver(const platform::Rect& plot) const;
    double StepForLabelCount(int maxLabels) const;
    // The label text of a value; askChart false leaves the chart's OnGetAxisLabel out.
    std::string FormatAxisLabel(double value, bool askChart = true) const;
    // The same while the axis is drawn over mapping (a date-time label's form depends on the
    // range being drawn).
    std::string FormatAxisLabel(double value, bool askChart, const AxisMapping& mapping) const;
    // The label text of a point's text or mark: the chart's OnGetAxisLabel may replace it
    // (told the series and the point; askChart false leaves it out), then LabelsMultiLine
    // splits it.
    std::string FormatTextLabel(std::string text, TChartSeries* series, int index, bool askChart = true) const;
    // While OnGetAxisLabel runs: the value on this axis the label stands for (the value itself
    // for value labels, the point's value along the axis for text and mark labels), so that a
    // handler can write it in a form of its own ("1k", "20 ms") without reading the text back.
    double LabelValue() const { return labelValue_; }
    // The size of a label text along the axis, in the canvas's current font: the widest line
    // across the axis's direction, or the font height times the lines where they stack along it.
    int LabelSizeAlongAxis(TChartCanvas& canvas, std::string_view text) const;
    bool UsesDateTimeValues() const;
    // Fixes both ends: no more automatic range; the ends are ordered and kept 1e-10 apart.
    void SetRange(double minimum, double maximum);

    const AxisMapping& Mapping() const { return mapping_; }
    double CurrentMinimum() const { return mapping_.Minimum(); }
    double CurrentMaximum() const { return mapping_.Maximum(); }
    double CurrentRange() const { return mapping_.Range(); }
    int PixelStart() const { return mapping_.Start(); }
    int PixelEnd() const { return mapping_.End(); }
    int PixelLength() const { return mapping_.Length(); }
    int PixelCenter() const { return mapping_.Center(); }
    // Whether the axis shows date-time values in the current paint (set as it lays out and as
    // it draws).
    bool ShowsDateTime() const { return showsDateTime_; }
    // Positions across the axis (y for horizontal axes, x for vertical ones) in the current
    // paint, decided by the chart's layout.
    const AxisLayout& Layout() const { return layout_; }
    int AxisLinePos() const { return layout_.axisLinePos; }
    int LabelsPos() const { return layout_.labelsPos; }
    int TitlePos() const { return layout_.titlePos; }

    // --- Published scaling settings -------------------------------------------------------
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return minimum_; }
    void SetMinimum(double value);
    double Maximum() const { return maximum_; }
    void SetMaximum(double value);
    double Increment() const { return increment_; }
    void SetIncrement(double value);
    bool Logarithmic() const { return mapping_.Logarithmic(); }
    void SetLogarithmic(bool value);
    int LogarithmicBase() const { return logarithmicBase_; }
    void SetLogarithmicBase(int value);
    bool Inverted() const { return mapping_.Inverted(); }
    void SetInverted(bool value);
    int LabelsSeparation() const { return labelsSeparation_; }
    void SetLabelsSeparation(int value);
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value);
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value);
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value);
    const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const std::string& value);
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& value);
    int LabelsAngle() const { return labelsAngle_; }
    void SetLabelsAngle(int value);
    TFont* LabelsFont() const { return labelsFont_.get(); }
    void SetLabelsFont(TFont* value);
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value);

    // --- Published drawing settings -------------------------------------------------------
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Labels() const { return labels_; }
    void SetLabels(bool value);
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value);
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value);
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value);
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value);
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value);
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value);
    bool GridCentered() const { return gridCentered_; }
    void SetGridCentered(bool value);
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value);
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value);
    int LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int value);
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value);
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double value);
    TChartAxisPen* Axis() const { return axisPen_.get(); }
    void SetAxis(TChartAxisPen* value);
    TDarkGrayPen* Ticks() const { return ticks_.get(); }
    void SetTicks(TDarkGrayPen* value);
    TDarkGrayPen* TicksInner() const { return ticksInner_.get(); }
    void SetTicksInner(TDarkGrayPen* value);
    TDarkGrayPen* MinorTicks() const { return minorTicks_.get(); }
    void SetMinorTicks(TDarkGrayPen* value);
    TDottedGrayPen* Grid() const { return grid_.get(); }
    void SetGrid(TDottedGrayPen* value);
    TChartHiddenPen* MinorGrid() const { return minorGrid_.get(); }
    void SetMinorGrid(TChartHiddenPen* value);
    TChartAxisTitle* Title() const { return title_.get(); }
    void SetTitle(TChartAxisTitle* value);

    // Takes the room for title, labels and ticks from r, on the side that faces the axis.
    void TakeRoom(platform::Rect& r);
    // Once the plot rectangle is final: the axis line stands on the plot's side that faces the
    // axis, and it, the labels and the title move by the PositionPercent shift together.
    void PlaceOnPlot(const platform::Rect& plot);
    // Draws title, labels, ticks, grid and axis line; the chart calls it for each visible axis.
    // The logarithmic label loop may lift a minimum of 0 or below for the rest of the paint.
    virtual void PaintAxis();
    // What the labels show: LabelStyle, with talAuto resolved from the attached series.
    TAxisLabelStyle EffectiveLabelStyle() const;

    TPersistent* GetOwner() const override;
    void Assign(TPersistent* source) override;

protected:
    // Asks the chart to paint again (nothing without a chart).
    void Repaint();
    bool ChartIsLoading() const;
    template <class T>
    void Store(T& field, const T& value) { rtl::StoreProperty(field, value, [this] { Repaint(); }); }

private:
    // The first and last pixel of the axis over the plot rectangle.
    void SpanOver(const platform::Rect& plot, int& start, int& end) const;
    // Ends the label text: LabelsMultiLine turns blanks into line breaks.
    void SplitLabelLines(std::string& text) const;

    TCustomAxisPanel* chart_;
    bool horizontal_ = true;
    bool farSide_ = false;
    bool zAxis_ = false;

    AxisMapping mapping_;
    bool showsDateTime_ = false;
    AxisLayout layout_;
    // The strips TakeRoom took in this paint, before the position shift.
    AxisRoom room_;
    mutable double labelValue_ = 0;

    bool automatic_ = true;
    bool automaticMinimum_ = true;
    bool automaticMaximum_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    double increment_ = 0;
    int logarithmicBase_ = 10;
    int labelsSeparation_ = 10;
    double startPosition_ = 0;
    double endPosition_ = 100;
    bool exactDateTime_ = true;
    std::string axisValuesFormat_ = "#,##0.###";
    std::string dateTimeFormat_;
    int labelsAngle_ = 0;
    std::unique_ptr<TFont> labelsFont_;
    bool labelsMultiLine_ = false;

    bool visible_ = true;
    bool labels_ = true;
    bool labelsOnAxis_ = true;
    bool tickOnLabelsOnly_ = true;
    int tickLength_ = 4;
    int tickInnerLength_ = 0;
    int minorTickCount_ = 3;
    int minorTickLength_ = 2;
    bool gridCentered_ = false;
    bool roundFirstLabel_ = true;
    TAxisLabelStyle labelStyle_ = talAuto;
    int labelsSize_ = 0;
    int titleSize_ = 0;
    double positionPercent_ = 0;
    std::unique_ptr<TChartAxisPen> axisPen_;
    std::unique_ptr<TDarkGrayPen> ticks_;
    std::unique_ptr<TDarkGrayPen> ticksInner_;
    std::unique_ptr<TDarkGrayPen> minorTicks_;
    std::unique_ptr<TDottedGrayPen> grid_;
    std::unique_ptr<TChartHiddenPen> minorGrid_;
    std::unique_ptr<TChartAxisTitle> title_;
};
