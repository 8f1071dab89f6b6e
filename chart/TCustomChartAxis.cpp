#include "chart/TCustomChartAxis.h"

#include "chart/AxisPainter.h"
#include "chart/ChartExceptions.h"
#include "chart/ChartNumberFormat.h"
#include "chart/ChartPixel.h"
#include "chart/DateTimeText.h"
#include "chart/TChartAxisPen.h"
#include "chart/TChartAxisTitle.h"
#include "chart/TChartCanvas3D.h"
#include "chart/TChartHiddenPen.h"
#include "chart/TChartSeries.h"
#include "chart/TChartSeriesList.h"
#include "chart/TChartValueList.h"
#include "chart/TCustomAxisPanel.h"
#include "chart/TDarkGrayPen.h"
#include "chart/TDottedGrayPen.h"
#include "chart/TextLines.h"
#include "forms/TFont.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <string_view>
#include <utility>

F2_DEFINE_CLASS(TCustomChartAxis, TPersistent, F2_NO_FACTORY)
{
    using A = TCustomChartAxis;
    c.Property("Automatic", &A::Automatic, &A::SetAutomatic).Default(1);
    c.Property("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum).Default(1);
    c.Property("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum).Default(1);
    c.Property("Axis", &A::Axis, &A::SetAxis);
    c.Property("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat);
    c.Property("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat);
    c.Property("EndPosition", &A::EndPosition, &A::SetEndPosition);
    c.Property("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime).Default(1);
    c.Property("Grid", &A::Grid, &A::SetGrid);
    c.Property("GridCentered", &A::GridCentered, &A::SetGridCentered).Default(0);
    c.Property("Increment", &A::Increment, &A::SetIncrement);
    c.Property("Inverted", &A::Inverted, &A::SetInverted).Default(0);
    c.Property("Labels", &A::Labels, &A::SetLabels).Default(1);
    c.Property("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle).Default(0);
    c.Property("LabelsFont", &A::LabelsFont, &A::SetLabelsFont);
    c.Property("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine).Default(0);
    c.Property("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis).Default(1);
    c.Property("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation).Default(10);
    c.Property("LabelsSize", &A::LabelsSize, &A::SetLabelsSize).Default(0);
    c.Property("LabelStyle", &A::LabelStyle, &A::SetLabelStyle).Default(talAuto);
    c.Property("Logarithmic", &A::Logarithmic, &A::SetLogarithmic).Default(0);
    c.Property("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase).Default(10);
    c.Property("Maximum", &A::Maximum, &A::SetMaximum);
    c.Property("Minimum", &A::Minimum, &A::SetMinimum);
    c.Property("MinorGrid", &A::MinorGrid, &A::SetMinorGrid);
    c.Property("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount).Default(3);
    c.Property("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength).Default(2);
    c.Property("MinorTicks", &A::MinorTicks, &A::SetMinorTicks);
    c.Property("PositionPercent", &A::PositionPercent, &A::SetPositionPercent);
    c.Property("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel).Default(1);
    c.Property("StartPosition", &A::StartPosition, &A::SetStartPosition);
    c.Property("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength).Default(0);
    c.Property("TickLength", &A::TickLength, &A::SetTickLength).Default(4);
    c.Property("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly).Default(1);
    c.Property("Ticks", &A::Ticks, &A::SetTicks);
    c.Property("TicksInner", &A::TicksInner, &A::SetTicksInner);
    c.Property("Title", &A::Title, &A::SetTitle);
    c.Property("TitleSize", &A::TitleSize, &A::SetTitleSize).Default(0);
    c.Property("Visible", &A::Visible, &A::SetVisible).Default(1);
}


double NextNiceStep(double x)
{
    // Zero, negative and non-finite steps have no next value; the callers stop on them.
    if (!(x > 0) || !std::isfinite(x))
        return x;
    if (x >= 10)
        return 10 * NextNiceStep(x * 0.1);
    if (x < 1)
        return 0.1 * NextNiceStep(x * 10);
    if (x < 2)
        return 2;
    if (x < 5)
        return 5;
    return 10;
}

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel* chart) : chart_(chart)
{
    const TNotifyEvent repaint = [this](TObject*) { Repaint(); };
    labelsFont_ = std::make_unique<TFont>();
    labelsFont_->SetName("Arial");
    labelsFont_->SetSize(8);
    labelsFont_->SetColor(clBlack);
    labelsFont_->SetOnChange(repaint);
    axisPen_ = std::make_unique<TChartAxisPen>(repaint);
    ticks_ = std::make_unique<TDarkGrayPen>(repaint);
    ticksInner_ = std::make_unique<TDarkGrayPen>(repaint);
    minorTicks_ = std::make_unique<TDarkGrayPen>(repaint);
    grid_ = std::make_unique<TDottedGrayPen>(repaint);
    minorGrid_ = std::make_unique<TChartHiddenPen>(repaint);
    title_ = std::make_unique<TChartAxisTitle>(repaint);
}

TCustomChartAxis::~TCustomChartAxis() = default;

void TCustomChartAxis::SetKind(bool horizontal, bool farSide, bool zAxis)
{
    horizontal_ = horizontal;
    farSide_ = farSide;
    zAxis_ = zAxis;
    mapping_.SetDirection(horizontal);
}

void TCustomChartAxis::Repaint()
{
    if (chart_)
        chart_->Invalidate();
}

bool TCustomChartAxis::ChartIsLoading() const
{
    return chart_ && chart_->IsLoading();
}

TPersistent* TCustomChartAxis::GetOwner() const
{
    return chart_;
}

// --- Range and span -----------------------------------------------------------------------

void TCustomChartAxis::ComputeRange()
{
    if (chart_) {
        if (automatic_ || automaticMaximum_)
            maximum_ = chart_->SeriesExtent(this, false, horizontal_);
        if (automatic_ || automaticMinimum_)
            minimum_ = chart_->SeriesExtent(this, true, horizontal_);
    }
    mapping_.SetRange(minimum_, maximum_);
}

void TCustomChartAxis::SpanOver(const platform::Rect& plot, int& start, int& end) const
{
    const int base = horizontal_ ? plot.left : plot.top;
    const long double size = horizontal_ ? plot.Width() : plot.Height();
    start = base + NearestPixel(size * 0.01L * startPosition_);
    end = base + NearestPixel(size * 0.01L * endPosition_);
}

int TCustomChartAxis::PixelLengthOver(const platform::Rect& plot) const
{
    int start, end;
    SpanOver(plot, start, end);
    return end - start;
}

void TCustomChartAxis::ComputePixelSpan()
{
    if (!chart_)
        return;
    int start, end;
    SpanOver(chart_->PlotRect(), start, end);
    mapping_.SetSpan(start, end);
}

void TCustomChartAxis::ApplySeriesMargins(int startMargin, int endMargin)
{
    // The values at the old ends under the narrowed span are the widened range.
    AxisMapping narrowed = mapping_;
    narrowed.SetSpan(mapping_.Start() + startMargin, mapping_.End() - endMargin);
    double startValue = narrowed.PixelToValue(mapping_.Start());
    double endValue = narrowed.PixelToValue(mapping_.End());
    ComputePixelSpan();
    if (startValue > endValue)
        std::swap(startValue, endValue);
    mapping_.SetRange(startValue, endValue);
}

void TCustomChartAxis::SetRange(double minimum, double maximum)
{
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    if (minimum > maximum)
        std::swap(minimum, maximum);
    minimum_ = minimum;
    maximum_ = maximum;
    if (static_cast<long double>(maximum_) - minimum_ < 1e-10L)
        maximum_ = double(static_cast<long double>(minimum_) + 1e-10L);
    Repaint();
}

// --- Drawing ------------------------------------------------------------------------------

void TCustomChartAxis::TakeRoom(platform::Rect& r)
{
    if (!chart_)
        return;
    showsDateTime_ = UsesDateTimeValues();
    room_ = AxisPainter(*this).TakeRoom(r);
}

void TCustomChartAxis::PlaceOnPlot(const platform::Rect& plot)
{
    if (zAxis_) {
        if (room_.titlePos)
            layout_.titlePos = *room_.titlePos;
    } else {
        // The shift comes from the final plot rectangle, so that the labels and the title keep
        // their distance from the line however much room the later axes took.
        const int shift = AxisPainter::PositionShift(*this, plot);
        layout_.axisLinePos = PlotSide(Side(), plot) + shift;
        // Only positions taken in this paint move: a kept one must not drift paint by paint.
        if (room_.titlePos)
            layout_.titlePos = *room_.titlePos + shift;
        if (room_.labelsPos)
            layout_.labelsPos = *room_.labelsPos + shift;
    }
    room_ = {};
}

void TCustomChartAxis::PaintAxis()
{
    if (!chart_)
        return;
    showsDateTime_ = UsesDateTimeValues();
    // The painter draws over a copy of the mapping; a minimum it lifted holds for the rest
    // of the paint (the series are drawn over it too).
    if (const std::optional<double> lifted = AxisPainter(*this).Paint())
        mapping_.SetRange(*lifted, mapping_.Maximum());
}

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const
{
    if (labelStyle_ != talAuto)
        return labelStyle_;
    if (zAxis_) {
        // Series at differing depths are told apart by value, else by their titles.
        if (chart_)
            for (const TChartSeries* s : *chart_->SeriesList())
                if (s->Active() && s->MinZValue() != s->MaxZValue())
                    return talValue;
        return talText;
    }
    if (!chart_)
        return talNone;
    bool attached = false;
    for (const TChartSeries* s : *chart_->SeriesList()) {
        if (!s->Active() || !s->BelongsToAxis(this))
            continue;
        attached = true;
        if (s->PointCount() > 0 && s->PointLabelCount() > 0 && s->PointLabelHasText(0))
            return talText;
    }
    return attached ? talValue : talNone;
}

// --- Mapping ------------------------------------------------------------------------------

int TCustomChartAxis::ValueToPixel(double value) const
{
    if (zAxis_)
        return mapping_.ValueToDepth(value, chart_ ? chart_->Depth3D() : 0);
    return mapping_.ValueToPixel(value);
}

double TCustomChartAxis::PixelToValue(int pixel) const
{
    return mapping_.PixelToValue(pixel);
}

// --- Labels -------------------------------------------------------------------------------

int TCustomChartAxis::LabelSizeAlongAxis(TChartCanvas& canvas, std::string_view text) const
{
    const bool stacked = horizontal_ ? (labelsAngle_ == 90 || labelsAngle_ == 270)
                                     : (labelsAngle_ == 0 || labelsAngle_ == 180);
    if (stacked)
        return canvas.FontPixelHeight() * CountLines(text);
    int widest = 0;
    ForEachLine(text, [&](std::string_view line, int) { widest = std::max(widest, canvas.MeasureTextWidth(line)); });
    return widest;
}

double TCustomChartAxis::ComputeLabelStep() const
{
    TChartCanvas* canvas = chart_ ? chart_->Canvas3D() : nullptr;
    if (!canvas)
        return StepForLabelCount(1);
    return ComputeLabelStep(*canvas);
}

double TCustomChartAxis::ComputeLabelStep(TChartCanvas& canvas, bool askChart) const
{
    return LabelStepForLength(canvas, mapping_.Length(), askChart);
}

double TCustomChartAxis::LabelStepForLength(TChartCanvas& canvas, int pixelLength, bool askChart) const
{
    // The maximum's text first: a label event sees the ends in that order.
    const int atMaximum = LabelSizeAlongAxis(canvas, FormatAxisLabel(CurrentMaximum(), askChart));
    const int atMinimum = LabelSizeAlongAxis(canvas, FormatAxisLabel(CurrentMinimum(), askChart));
    const int size = std::max(atMaximum, atMinimum);
    int maxLabels = 1;
    if (size > 0) {
        int spaced = size;
        if (labelsSeparation_ > 0)
            spaced = size + NearestPixel(labelsSeparation_ * 0.01L * size);
        maxLabels = NearestPixel(static_cast<long double>(pixelLength) / spaced);
    }
    return StepForLabelCount(maxLabels);
}

namespace {
// A step whose label count does not fit in 32 bits is too small to count labels with.
constexpr long double CountLimit = 2147483647.0L;
} // namespace

double TCustomChartAxis::StepForLabelCount(int maxLabels) const
{
    constexpr double smallest = 1e-12;
    if (maxLabels < 1)
        return smallest;
    const double range = CurrentRange();
    double step = increment_ > 0 ? increment_ : (std::fabs(range) >= 1 ? 1.0 : smallest);
    if (labelsSeparation_ > 0) {
        long long count = (long long)maxLabels + 1;
        // A step that cannot grow any further (an infinite range) ends the search.
        while (count > maxLabels && std::isfinite(step)) {
            const long double q = static_cast<long double>(range) / step;
            if (std::fabs(q) < CountLimit) {
                count = rtl::RoundHalfEven(q);
                if (count > maxLabels)
                    step = NextNiceStep(step);
            } else if (std::isnan(q)) {
                break;
            } else {
                step = NextNiceStep(step);
            }
        }
    }
    return std::max(step, smallest);
}

std::string TCustomChartAxis::FormatAxisLabel(double value, bool askChart) const
{
    return FormatAxisLabel(value, askChart, mapping_);
}

std::string TCustomChartAxis::FormatAxisLabel(double value, bool askChart, const AxisMapping& mapping) const
{
    std::string text;
    if (showsDateTime_) {
        if (value >= 0) {
            if (!dateTimeFormat_.empty())
                text = FormatChartDateTime(dateTimeFormat_, value);
            else
                text = FormatChartDateTime(mapping.Range() > 1 ? ShortDateFormat : ShortTimeFormat, value);
        }
    } else {
        text = FormatChartNumber(axisValuesFormat_, value);
    }
    if (askChart && chart_ && chart_->OnGetAxisLabel()) {
        labelValue_ = value;
        chart_->OnGetAxisLabel()(const_cast<TCustomChartAxis*>(this), nullptr, -1, text);
    }
    SplitLabelLines(text);
    return text;
}

std::string TCustomChartAxis::FormatTextLabel(std::string text, TChartSeries* series, int index, bool askChart) const
{
    if (askChart && chart_ && chart_->OnGetAxisLabel()) {
        labelValue_ = horizontal_ ? series->PointX(index) : series->PointY(index);
        chart_->OnGetAxisLabel()(const_cast<TCustomChartAxis*>(this), series, index, text);
    }
    SplitLabelLines(text);
    return text;
}

void TCustomChartAxis::SplitLabelLines(std::string& text) const
{
    if (!labelsMultiLine_)
        return;
    // Blanks become line breaks, except the group separators inside a number ("1 000").
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ' ') {
            const bool inNumber = i > 0 && i + 1 < text.size() && std::isdigit((unsigned char)text[i - 1]) &&
                                  std::isdigit((unsigned char)text[i + 1]);
            if (!inNumber)
                text[i] = '\r';
        }
}

bool TCustomChartAxis::UsesDateTimeValues() const
{
    if (!chart_ || !chart_->SeriesList())
        return false;
    for (TChartSeries* s : *chart_->SeriesList())
        if (s->Active() && s->BelongsToAxis(this))
            return horizontal_ ? s->XValues()->DateTime() : s->YValues()->DateTime();
    return false;
}

// --- Scaling settings ---------------------------------------------------------------------

void TCustomChartAxis::SetAutomatic(bool value)
{
    if (value == automatic_)
        return;
    automatic_ = value;
    // While a layout is read, each flag is read on its own.
    if (!ChartIsLoading())
        automaticMinimum_ = automaticMaximum_ = value;
    Repaint();
}

void TCustomChartAxis::SetAutomaticMinimum(bool value)
{
    if (value == automaticMinimum_)
        return;
    automaticMinimum_ = value;
    if (!value)
        automatic_ = false;
    else if (automaticMaximum_)
        automatic_ = true;
    Repaint();
}

void TCustomChartAxis::SetAutomaticMaximum(bool value)
{
    if (value == automaticMaximum_)
        return;
    automaticMaximum_ = value;
    if (!value)
        automatic_ = false;
    else if (automaticMinimum_)
        automatic_ = true;
    Repaint();
}

void TCustomChartAxis::SetMinimum(double value)
{
    if (!ChartIsLoading() && value > maximum_)
        throw AxisException("Axis Minimum Value must be <= Maximum");
    Store(minimum_, value);
}

void TCustomChartAxis::SetMaximum(double value)
{
    if (!ChartIsLoading() && value < minimum_)
        throw AxisException("Axis Maximum Value must be >= Minimum");
    Store(maximum_, value);
}

void TCustomChartAxis::SetIncrement(double value)
{
    if (!(value >= 0))
        throw AxisException("Axis increment must be >= 0");
    Store(increment_, value);
}

void TCustomChartAxis::SetLogarithmic(bool value)
{
    if (value == Logarithmic())
        return;
    if (value) {
        if (UsesDateTimeValues())
            throw AxisException("DateTime Axis cannot be Logarithmic");
        ComputeRange();
        if (CurrentMinimum() < 0 || CurrentMaximum() < 0)
            throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
    }
    mapping_.SetLogarithmic(value);
    Repaint();
}

void TCustomChartAxis::SetLogarithmicBase(int value)
{
    if (value < 2)
        throw AxisException("Axis Logarithmic Base should be >= 2");
    Store(logarithmicBase_, value);
}

void TCustomChartAxis::SetLabelsSeparation(int value)
{
    if (value < 0)
        throw AxisException("Labels Separation % must be greater than 0");
    Store(labelsSeparation_, value);
}

void TCustomChartAxis::SetLabelsAngle(int value)
{
    CheckChartAngle(value, "Axis Labels");
    Store(labelsAngle_, value);
}

void TCustomChartAxis::SetInverted(bool value)
{
    if (value == Inverted())
        return;
    mapping_.SetInverted(value);
    Repaint();
}


void TCustomChartAxis::SetStartPosition(double value) { Store(startPosition_, value); }
void TCustomChartAxis::SetEndPosition(double value) { Store(endPosition_, value); }
void TCustomChartAxis::SetExactDateTime(bool value) { Store(exactDateTime_, value); }
void TCustomChartAxis::SetAxisValuesFormat(const std::string& value) { Store(axisValuesFormat_, value); }
void TCustomChartAxis::SetDateTimeFormat(const std::string& value) { Store(dateTimeFormat_, value); }
void TCustomChartAxis::SetLabelsFont(TFont* value) { labelsFont_->Assign(value); }
void TCustomChartAxis::SetLabelsMultiLine(bool value) { Store(labelsMultiLine_, value); }

// --- Drawing settings ---------------------------------------------------------------------

void TCustomChartAxis::SetVisible(bool value) { Store(visible_, value); }
void TCustomChartAxis::SetLabels(bool value) { Store(labels_, value); }
void TCustomChartAxis::SetLabelsOnAxis(bool value) { Store(labelsOnAxis_, value); }
void TCustomChartAxis::SetTickOnLabelsOnly(bool value) { Store(tickOnLabelsOnly_, value); }
void TCustomChartAxis::SetTickLength(int value) { Store(tickLength_, value); }
void TCustomChartAxis::SetTickInnerLength(int value) { Store(tickInnerLength_, value); }
void TCustomChartAxis::SetMinorTickCount(int value) { Store(minorTickCount_, value); }
void TCustomChartAxis::SetMinorTickLength(int value) { Store(minorTickLength_, value); }
void TCustomChartAxis::SetGridCentered(bool value) { Store(gridCentered_, value); }
void TCustomChartAxis::SetRoundFirstLabel(bool value) { Store(roundFirstLabel_, value); }
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle value) { Store(labelStyle_, value); }
void TCustomChartAxis::SetLabelsSize(int value) { Store(labelsSize_, value); }
void TCustomChartAxis::SetTitleSize(int value) { Store(titleSize_, value); }
void TCustomChartAxis::SetPositionPercent(double value) { Store(positionPercent_, value); }
void TCustomChartAxis::SetAxis(TChartAxisPen* value) { axisPen_->Assign(value); }
void TCustomChartAxis::SetTicks(TDarkGrayPen* value) { ticks_->Assign(value); }
void TCustomChartAxis::SetTicksInner(TDarkGrayPen* value) { ticksInner_->Assign(value); }
void TCustomChartAxis::SetMinorTicks(TDarkGrayPen* value) { minorTicks_->Assign(value); }
void TCustomChartAxis::SetGrid(TDottedGrayPen* value) { grid_->Assign(value); }
void TCustomChartAxis::SetMinorGrid(TChartHiddenPen* value) { minorGrid_->Assign(value); }
void TCustomChartAxis::SetTitle(TChartAxisTitle* value) { title_->Assign(value); }

void TCustomChartAxis::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TCustomChartAxis*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    // Copied field by field: the checks of the setters would refuse an intermediate state.
    automatic_ = other->automatic_;
    automaticMinimum_ = other->automaticMinimum_;
    automaticMaximum_ = other->automaticMaximum_;
    minimum_ = other->minimum_;
    maximum_ = other->maximum_;
    increment_ = other->increment_;
    mapping_.SetLogarithmic(other->Logarithmic());
    logarithmicBase_ = other->logarithmicBase_;
    mapping_.SetInverted(other->Inverted());
    labelsSeparation_ = other->labelsSeparation_;
    startPosition_ = other->startPosition_;
    endPosition_ = other->endPosition_;
    exactDateTime_ = other->exactDateTime_;
    axisValuesFormat_ = other->axisValuesFormat_;
    dateTimeFormat_ = other->dateTimeFormat_;
    labelsAngle_ = other->labelsAngle_;
    labelsMultiLine_ = other->labelsMultiLine_;
    visible_ = other->visible_;
    labels_ = other->labels_;
    labelsOnAxis_ = other->labelsOnAxis_;
    tickOnLabelsOnly_ = other->tickOnLabelsOnly_;
    tickLength_ = other->tickLength_;
    tickInnerLength_ = other->tickInnerLength_;
    minorTickCount_ = other->minorTickCount_;
    minorTickLength_ = other->minorTickLength_;
    gridCentered_ = other->gridCentered_;
    roundFirstLabel_ = other->roundFirstLabel_;
    labelStyle_ = other->labelStyle_;
    labelsSize_ = other->labelsSize_;
    titleSize_ = other->titleSize_;
    positionPercent_ = other->positionPercent_;
    labelsFont_->Assign(other->labelsFont_.get());
    axisPen_->Assign(other->axisPen_.get());
    ticks_->Assign(other->ticks_.get());
    ticksInner_->Assign(other->ticksInner_.get());
    minorTicks_->Assign(other->minorTicks_.get());
    grid_->Assign(other->grid_.get());
    minorGrid_->Assign(other->minorGrid_.get());
    title_->Assign(other->title_.get());
    Repaint();
}
