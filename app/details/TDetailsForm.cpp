#include "app/details/TDetailsForm.h"

#include "DetailsResources.h"

#include "app/cli/EngineeringValue.h"
#include "app/design/ValueText.h"
#include "app/details/AxisLabelText.h"
#include "app/details/ColumnWidths.h"
#include "app/details/TCursorChart.h"
#include "chart/TChartAxis.h"
#include "chart/TChartSeries.h"
#include "chart/TLineSeries.h"
#include "forms/LayoutLoader.h"
#include "forms/TBitmap.h"
#include "forms/TComboBox.h"
#include "forms/TLabel.h"
#include "forms/TSizeConstraints.h"
#include "forms/TTextTable.h"
#include "platform/Desktop.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>

F2_DEFINE_CLASS(TDetailsForm, TForm, F2_FACTORY(TDetailsForm))
{
    c.Field("HeadingLabel", &TDetailsForm::HeadingLabel);
    c.Field("CapSeriesLabel", &TDetailsForm::CapSeriesLabel);
    c.Field("CapSeriesBox", &TDetailsForm::CapSeriesBox);
    c.Field("ResSeriesLabel", &TDetailsForm::ResSeriesLabel);
    c.Field("ResSeriesBox", &TDetailsForm::ResSeriesBox);
    c.Field("ResToleranceLabel", &TDetailsForm::ResToleranceLabel);
    c.Field("ResToleranceBox", &TDetailsForm::ResToleranceBox);
    c.Field("CapToleranceLabel", &TDetailsForm::CapToleranceLabel);
    c.Field("CapToleranceBox", &TDetailsForm::CapToleranceBox);
    c.Field("OpAmpLabel", &TDetailsForm::OpAmpLabel);
    c.Field("OpAmpBox", &TDetailsForm::OpAmpBox);
    c.Field("ChoiceErrorLabel", &TDetailsForm::ChoiceErrorLabel);
    c.Field("ComponentsTable", &TDetailsForm::ComponentsTable);
    c.Field("ChartMagnitude", &TDetailsForm::ChartMagnitude);
    c.Field("ChartPhase", &TDetailsForm::ChartPhase);
    c.Field("ChartDelay", &TDetailsForm::ChartDelay);
    c.Field("ChartStep", &TDetailsForm::ChartStep);
    c.Field("ReadoutLabel", &TDetailsForm::ReadoutLabel);

    c.Method("ChoiceChange", &TDetailsForm::ChoiceChange);
    c.Method("FormKeyDown", &TDetailsForm::FormKeyDown);
    c.Method("FormResize", &TDetailsForm::FormResize);
}

namespace {

using details::TCurve;

constexpr int kScreenReserve = 64;   // title bar, frame and a desktop panel
constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kReadoutHeight = 20;

std::string Comma(std::string text)
{
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string Percent(double pct)
{
    // A rounding error below the last digit is no deviation: "+0,00 %", never "-0,00 %".
    if (std::abs(pct) < 0.005)
        pct = 0;
    return Comma(fmt::format("{:+.2f} %", pct));
}

// "263,74 kHz (-47,25 %)": a value and its deviation in one cell.
std::string WithDeviation(const std::string& value, double pct)
{
    return value + " (" + Percent(pct) + ")";
}

std::string Fixed(double value, int decimals)
{
    return Comma(fmt::format("{:.{}f}", value, decimals));
}

std::string Hertz(double hz)
{
    return design::EngineeringText(hz, "Hz", 5);
}

// "0,1 %", "5", "2.5%": a percentage from 0 to 50.
std::optional<double> ParsePercent(std::string text)
{
    std::erase_if(text, [](char ch) { return ch == ' ' || ch == '%'; });
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value >= 0 && value <= 50))
        return std::nullopt;
    return value;
}

// "ideal", "1 MHz", "3M", "250k": 0 for the ideal follower, else the GBW in Hz.
std::optional<double> ParseGbw(std::string text)
{
    std::erase(text, ' ');
    if (text == "ideal" || text.empty())
        return 0.0;
    const auto value = cli::TEngineeringValue::Parse(text, cli::TQuantity::Frequency);
    if (!value)
        return std::nullopt;
    const double hz = double(value->Value());
    if (!(hz >= cli::MinGbwHz && hz <= cli::MaxGbwHz))
        return std::nullopt;
    return hz;
}

void Plot(TChartSeries* series, const std::vector<double>& x, const std::vector<double>& y)
{
    series->ClearPoints();
    for (size_t i = 0; i < x.size(); ++i)
        series->AddPointXY(x[i], y[i]);
}

double CleanLabelValue(const TCustomChartAxis* axis)
{
    // A label computed as minimum + k * step may miss zero by a rounding error.
    const double value = axis->LabelValue();
    return std::abs(value) < 1e-9 * std::abs(axis->CurrentRange()) ? 0.0 : value;
}

// Labels with SI prefixes: an empty unit gives "10", "1k" (the unit stands in the axis title),
// a unit "20 µs"; a null unit leaves the axis's own number texts.
void PrefixLabels(TChart* chart, const char* xUnit, const char* yUnit)
{
    chart->SetOnGetAxisLabel([xUnit, yUnit](TCustomChartAxis* axis, TChartSeries*, int, std::string& text) {
        const char* unit = axis->IsHorizontal() ? xUnit : yUnit;
        if (unit)
            text = details::PrefixedLabel(CleanLabelValue(axis), unit);
    });
}

} // namespace

TDetailsForm::TDetailsForm(TComponent* owner) : TForm(owner)
{
    // The series have no fields of their own: their class is found by registration.
    RegisterClass(TLineSeries::StaticClass());
    LayoutLoader::ReadLayouts(*this, TForm::StaticClass());
    for (TCursorChart* chart : {ChartMagnitude, ChartPhase, ChartDelay, ChartStep}) {
        chart->SetOnMouseMove([this](TObject* s, TShiftState shift, int x, int y) { ChartMouseMove(s, shift, x, y); });
        chart->SetOnMouseLeave([this](TObject* s) { ChartMouseLeave(s); });
    }
    PrefixLabels(ChartMagnitude, "", nullptr);
    PrefixLabels(ChartPhase, "", nullptr);
    PrefixLabels(ChartDelay, "", "s");
    PrefixLabels(ChartStep, "s", nullptr);

    // The default size, within the screen (leaving room for the frame and the desktop's panels).
    const platform::Desktop& desktop = platform::CurrentDesktop();
    const int screenWidth = desktop.ScreenWidth(), screenHeight = desktop.ScreenHeight() - kScreenReserve;
    const int width = std::max(Constraints()->MinWidth(), std::min(ClientWidth(), screenWidth));
    const int height = std::max(Constraints()->MinHeight(), std::min(ClientHeight(), screenHeight));
    SetBounds(std::max(0, (screenWidth - width) / 2), std::max(0, (screenHeight - height) / 2), width, height);
    Arrange();
}

void TDetailsForm::RegisterResources()
{
    RegisterDetailsResources();
}

TDetailsForm::~TDetailsForm()
{
    DestroyComponents();
}

// ---- Placement --------------------------------------------------------------------------------

// The table spans the width; the four charts share what is left above the readout line, two by
// two.
void TDetailsForm::Arrange()
{
    const int width = ClientWidth(), height = ClientHeight();
    ComponentsTable->SetBounds(kMargin, ComponentsTable->Top(), width - 2 * kMargin, ComponentsTable->Height());
    FitTableColumns();

    const int top = ComponentsTable->Top() + ComponentsTable->Height() + kGap;
    const int bottom = height - kReadoutHeight - kGap;
    const int chartWidth = (width - 2 * kMargin - kGap) / 2;
    const int chartHeight = std::max(40, (bottom - top - kGap) / 2);
    ChartMagnitude->SetBounds(kMargin, top, chartWidth, chartHeight);
    ChartPhase->SetBounds(kMargin + chartWidth + kGap, top, chartWidth, chartHeight);
    ChartDelay->SetBounds(kMargin, top + chartHeight + kGap, chartWidth, chartHeight);
    ChartStep->SetBounds(kMargin + chartWidth + kGap, top + chartHeight + kGap, chartWidth, chartHeight);
    ReadoutLabel->SetBounds(kMargin, height - kReadoutHeight + 3, width - 2 * kMargin, 13);
}

// The plan: names 12 % of the width, the six value columns equal; a column whose texts need
// more gets it (at the minimum width the op-amp's "263,74 kHz (-47,25 %)" does), the others
// give way.
void TDetailsForm::FitTableColumns()
{
    TTextTable* table = ComponentsTable;
    const int cols = table->ColCount();
    // A column's width holds its grid line.
    const int line = table->GridLines() ? 1 : 0;
    const int inner = table->InnerRect().Width();
    const int nameWidth = (inner - cols * line) * 12 / 100;
    const int valueWidth = (inner - cols * line - 2 * nameWidth) / 6;
    TBitmap measure;
    measure.SetSize(4, 4);
    TFont* font = measure.Canvas()->Font();
    std::vector<int> needs(size_t(cols), 0);
    std::vector<int> planned(size_t(cols), 0);
    for (int col = 0; col < cols; ++col) {
        planned[size_t(col)] = col % 4 == 0 ? nameWidth : valueWidth;
        for (int row = 0; row < table->RowCount(); ++row) {
            const std::string text = table->Cell(col, row);
            if (text.empty())
                continue;
            font->Assign(table->Font());
            if (table->CellBold(col, row))
                font->SetStyle(TFontStyles{fsBold});
            const int need = measure.Canvas()->TextWidth(text) + 2 * TTextTable::kCellPadding + line;
            needs[size_t(col)] = std::max(needs[size_t(col)], need);
        }
    }
    const std::vector<int> widths = details::FitColumnWidths(needs, planned, inner);
    for (int col = 0; col < cols; ++col) {
        table->SetColWidth(col, widths[size_t(col)]);
        table->SetColAlignment(col, col % 4 == 0 ? taLeftJustify : taRightJustify);
    }
}

void TDetailsForm::FormResize(TObject*)
{
    Arrange();
}

void TDetailsForm::FormKeyDown(TObject*, uint16_t& key, TShiftState)
{
    if (key != platform::vk::Escape)
        return;
    // An open drop-down list takes its Escape itself.
    for (TComboBox* box : {CapSeriesBox, ResSeriesBox, ResToleranceBox, CapToleranceBox, OpAmpBox})
        if (box->DroppedDown())
            return;
    key = 0;
    Close();
}

// ---- The design -------------------------------------------------------------------------------

void TDetailsForm::ShowDesign(const cli::TRequest& inputs, const std::string& heading)
{
    inputs_ = inputs;
    HeadingLabel->SetCaption(heading);
    Recompute();
}

void TDetailsForm::ChoiceChange(TObject*)
{
    Recompute();
}

std::optional<std::string> TDetailsForm::ReadChoices(details::TDetailsChoices& choices) const
{
    const auto capSeries = design::TStandardSeries::ByName(CapSeriesBox->GetText());
    const auto resSeries = design::TStandardSeries::ByName(ResSeriesBox->GetText());
    if (capSeries)
        choices.capSeries = *capSeries;
    if (resSeries)
        choices.resSeries = *resSeries;
    const auto resTolerance = ParsePercent(ResToleranceBox->GetText());
    if (!resTolerance)
        return "R tolerance: a percentage from 0 to 50 / допуск R: от 0 до 50 %";
    const auto capTolerance = ParsePercent(CapToleranceBox->GetText());
    if (!capTolerance)
        return "C tolerance: a percentage from 0 to 50 / допуск C: от 0 до 50 %";
    const auto gbw = ParseGbw(OpAmpBox->GetText());
    if (!gbw)
        return "Op-amp GBW: ideal or 1 kHz to 100 GHz / ОУ: ideal или от 1 кГц до 100 ГГц";
    choices.tolerance = details::TTolerance{*resTolerance, *capTolerance};
    choices.gbwHz = *gbw;
    return std::nullopt;
}

// A choice that cannot be used is named in the error line; the window keeps showing the last
// design it could compute.
void TDetailsForm::Recompute()
{
    details::TDetailsChoices choices;
    const std::optional<std::string> error = ReadChoices(choices);
    ChoiceErrorLabel->SetCaption(error.value_or(""));
    ChoiceErrorLabel->SetVisible(error.has_value());
    if (error || !inputs_)
        return;
    design_ = std::make_unique<details::TDetailsDesign>(*inputs_, choices);
    FillTable();
    FillCharts();
    ShowFrequency(std::nullopt, nullptr);
}

void TDetailsForm::FillTable()
{
    const cli::TDesignReport& report = design_->Report();
    const double fc = design_->FcHz(), q = report.request.window.q;
    TTextTable* table = ComponentsTable;
    table->Clear();

    const auto section = [&](int col, const cli::TSectionReport& s, const char* title, const char* a, const char* b,
                             const char* unit, const char* pairName, double pairValue, const char* pairUnit,
                             const design::TSection& built) {
        const int digits = s.seriesDigits;
        table->SetCell(col, 0, title);
        table->SetCell(col + 1, 0, "exact / точно");
        table->SetCell(col + 2, 0, fmt::format("nearest {}", s.series));
        table->SetCell(col + 3, 0, fmt::format("best {} pair", s.series));
        const auto partRow = [&](int row, const char* name, double exact, double nearest, double best) {
            table->SetRow(row, {});
            table->SetCell(col, row, name);
            table->SetCell(col + 1, row, design::EngineeringText(exact, unit));
            table->SetCell(col + 2, row, design::EngineeringText(nearest, unit, digits));
            table->SetCell(col + 3, row, design::EngineeringText(best, unit, digits));
        };
        partRow(1, a, s.first.value, s.nearest.first, s.best.first);
        partRow(2, b, s.second.value, s.nearest.second, s.best.second);
        table->SetCell(col, 3, fmt::format("{} (twice)", pairName));
        for (int k = 1; k <= 3; ++k)
            table->SetCell(col + k, 3, design::EngineeringText(pairValue, pairUnit));
        const auto figureRows = [&](int row, double ideal, double nearest, double best, double nearestPct,
                                    double bestPct, double wanted, bool isFc) {
            const auto text = [&](double v) { return isFc ? Hertz(v) : Fixed(v, 4); };
            table->SetCell(col, row, isFc ? "fc" : "Q");
            table->SetCell(col + 1, row, text(ideal));
            table->SetCell(col + 2, row, text(nearest));
            table->SetCell(col + 3, row, text(best));
            table->SetCell(col, row + 1, isFc ? "fc deviation" : "Q deviation");
            table->SetCell(col + 1, row + 1, Percent((ideal - wanted) / wanted * 100));
            table->SetCell(col + 2, row + 1, Percent(nearestPct));
            table->SetCell(col + 3, row + 1, Percent(bestPct));
        };
        figureRows(4, s.idealFcHz, s.nearest.fcHz, s.best.fcHz, s.nearest.fcErrorPct, s.best.fcErrorPct, fc, true);
        figureRows(6, s.idealQ, s.nearest.q, s.best.q, s.nearest.qErrorPct, s.best.qErrorPct, q, false);
        // With the chosen op-amp: the exact parts' actual fc and Q, and in brackets their
        // deviation from the ideal follower's, both in the exact parts' column (the series
        // columns have no op-amp figures).
        const double opFc = s.opAmp ? s.opAmp->fcHz : built.NaturalFrequencyHz();
        const double opQ = s.opAmp ? s.opAmp->q : built.Q();
        table->SetCell(col, 8, "with op-amp fc");
        table->SetCell(col + 1, 8, WithDeviation(Hertz(opFc), s.opAmp ? s.opAmp->fcErrorPct : 0.0));
        table->SetCell(col, 9, "with op-amp Q");
        table->SetCell(col + 1, 9, WithDeviation(Fixed(opQ, 4), s.opAmp ? s.opAmp->qErrorPct : 0.0));
        table->SetCell(col, 10, "GBW needed (1 %)");
        table->SetCell(col + 1, 10, std::isfinite(s.gbwNeededHz) ? design::EngineeringText(s.gbwNeededHz, "Hz", 3)
                                                                  : std::string("none / нет"));
    };
    section(0, report.lowPass, "Low-pass / ФНЧ", "C1", "C2", "F", "R", report.request.window.r, "Ohm",
            design_->Section(details::LowOpAmp));
    section(4, report.highPass, "High-pass / ФВЧ", "R1", "R2", "Ohm", "C", report.request.window.c, "F",
            design_->Section(details::HighOpAmp));
    FitTableColumns();
}

void TDetailsForm::FillCharts()
{
    const std::vector<double>& hz = design_->Frequencies();
    for (int k = 0; k < details::CurveCount; ++k) {
        const details::TCurveData& curve = design_->Curve(TCurve(k));
        // Magnitude: the four curves, the two bands, then the op-amp's pair; phase and delay:
        // the four curves, then the op-amp's pair.
        const int magnitudeIndex = k < 4 ? k : k + 4;
        Plot(ChartMagnitude->SeriesAt(magnitudeIndex), hz, curve.magnitudeDb);
        Plot(ChartPhase->SeriesAt(k), hz, curve.phaseDeg);
        Plot(ChartDelay->SeriesAt(k), hz, curve.delayS);
    }
    for (int band = 0; band < 4; ++band)
        Plot(ChartMagnitude->SeriesAt(4 + band), hz, design_->BandEdge(band < 2, band % 2 == 1));
    for (int k = 0; k < details::TDetailsDesign::StepCurves; ++k)
        Plot(ChartStep->SeriesAt(k), design_->StepTimes(), design_->Step(k));
    // With the ideal follower the op-amp's curves are the ideal ones: they keep their points
    // but are not drawn over them.
    const bool realOpAmp = design_->Choices().gbwHz > 0;
    for (TCurve k : {details::LowOpAmp, details::HighOpAmp}) {
        ChartMagnitude->SeriesAt(k + 4)->SetActive(realOpAmp);
        ChartPhase->SeriesAt(k)->SetActive(realOpAmp);
        ChartDelay->SeriesAt(k)->SetActive(realOpAmp);
    }
}

// ---- Readout ----------------------------------------------------------------------------------

void TDetailsForm::ChartMouseMove(TObject* sender, TShiftState, int x, int y)
{
    auto* chart = static_cast<TCursorChart*>(sender);
    if (!design_)
        return;
    readoutChart_ = chart;
    if (chart == ChartStep)
        ShowTime(chart->ValueAt(x, y));
    else
        ShowFrequency(chart->ValueAt(x, y), chart);
}

// The loop tells a control the pointer left it only once it is idle, after the moves that
// took the pointer on: moving straight from one chart onto another, the new chart's readout
// is already shown when the old chart hears it was left, and must stay.
void TDetailsForm::ChartMouseLeave(TObject* sender)
{
    if (sender != readoutChart_)
        return;
    readoutChart_ = nullptr;
    if (sender == ChartStep)
        ShowTime(std::nullopt);
    else
        ShowFrequency(std::nullopt, nullptr);
}

void TDetailsForm::ShowFrequency(std::optional<double> hz, TCursorChart* over)
{
    for (TCursorChart* chart : {ChartMagnitude, ChartPhase, ChartDelay})
        chart->SetCursorValue(hz);
    ChartStep->SetCursorValue(std::nullopt);
    if (!hz || !design_) {
        ReadoutLabel->SetCaption("");
        return;
    }
    const auto& d = *design_;
    const auto pair = [&](const char* name, TCurve low, TCurve high, auto value) {
        return fmt::format("{} {} / {}", name, value(d.Section(low), *hz), value(d.Section(high), *hz));
    };
    std::string text = "f " + design::EngineeringText(*hz, "Hz") + " (LP / HP):  ";
    if (over == ChartPhase) {
        const auto deg = [](const design::TSection& s, double f) { return Fixed(s.PhaseDeg(f), 1) + "°"; };
        text += pair("ideal", details::LowIdeal, details::HighIdeal, deg) + ",  " +
                pair("std", details::LowStandard, details::HighStandard, deg) + ",  " +
                pair("op-amp", details::LowOpAmp, details::HighOpAmp, deg);
    } else if (over == ChartDelay) {
        const auto delay = [](const design::TSection& s, double f) { return design::EngineeringText(s.GroupDelay(f), "s"); };
        text += pair("ideal", details::LowIdeal, details::HighIdeal, delay) + ",  " +
                pair("std", details::LowStandard, details::HighStandard, delay) + ",  " +
                pair("op-amp", details::LowOpAmp, details::HighOpAmp, delay);
    } else {
        const auto db = [](const design::TSection& s, double f) { return Fixed(s.MagnitudeDb(f), 2) + " dB"; };
        const auto band = [&](bool low) {
            const auto [lower, upper] = d.Band(low).At(*hz);
            return Fixed(lower, 2) + ".." + Fixed(upper, 2) + " dB";
        };
        text += pair("ideal", details::LowIdeal, details::HighIdeal, db) + ",  " +
                pair("std", details::LowStandard, details::HighStandard, db) + ",  band " + band(true) + " / " +
                band(false) + ",  " + pair("op-amp", details::LowOpAmp, details::HighOpAmp, db);
    }
    ReadoutLabel->SetCaption(text);
}

void TDetailsForm::ShowTime(std::optional<double> seconds)
{
    for (TCursorChart* chart : {ChartMagnitude, ChartPhase, ChartDelay})
        chart->SetCursorValue(std::nullopt);
    ChartStep->SetCursorValue(seconds);
    if (!seconds || !design_) {
        ReadoutLabel->SetCaption("");
        return;
    }
    const auto& d = *design_;
    const auto volts = [&](int curve) { return Fixed(d.StepAt(curve, *seconds), 4) + " V"; };
    ReadoutLabel->SetCaption(fmt::format("t {} (LP / HP):  ideal {} / {},  std {} / {}",
                                         design::EngineeringText(*seconds, "s"), volts(0), volts(1), volts(2),
                                         volts(3)));
}
