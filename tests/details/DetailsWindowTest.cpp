// The details window in the real program on the headless desktop: opened by F2 and from the
// charts' menu, following every "Go", its table against the command line's design report, its
// choices recomputing at once, the cursor and readout over the charts, Escape and resizing;
// and the menu's copied texts against the real program's command line.

#include "KeyChord.h"
#include "ProgramHarness.h"
#include "RunProgram.h"

#include "app/MainWindowDetails.h"
#include "app/Unit1.h"
#include "app/cli/DesignReport.h"
#include "app/design/ValueText.h"
#include "app/details/TCursorChart.h"
#include "app/details/TDetailsForm.h"
#include "chart/TChartSeries.h"
#include "forms/TApplication.h"
#include "forms/TBitmap.h"
#include "forms/TComboBox.h"
#include "forms/TLabel.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupMenu.h"
#include "forms/TSizeConstraints.h"
#include "forms/TTextTable.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <string_view>
#include <vector>

namespace {

// A number as the window writes it: fmt's text with the decimal comma.
std::string CommaText(std::string_view format, double value)
{
    std::string text = fmt::format(fmt::runtime(format), value);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

class DetailsWindow : public ::testing::Test {
protected:
    ProgramHarness app;

    void Go(const std::string& fc, const std::string& q, const std::string& r, const std::string& c)
    {
        app.Go(fc, q, r, c);
    }
    void PressF2()
    {
        PostKeyStroke(app.Desktop(), Form1->NativeWindow().Id(), TKeyStroke{platform::vk::F2, 0, ""});
        app.Pump();
    }
    TDetailsForm* Details() const { return MainWindowDetails->DetailsWindow(); }
    uint64_t DetailsId() const { return Details()->NativeWindow().Id(); }
    void DetailsKey(const std::string& chord)
    {
        PostKeyStroke(app.Desktop(), DetailsId(), *ParseKeyChord(chord));
        app.Pump();
    }
    void DetailsType(const std::string& text)
    {
        for (char ch : text)
            PostKeyStroke(app.Desktop(), DetailsId(), KeyStrokeForCharacter(std::string(1, ch)));
        app.Pump();
    }
    void Post(platform::EventType type, uint64_t window, int x, int y, platform::MouseButton button = {})
    {
        PostPointEvent(app.Desktop(), window, type, x, y, button);
        app.Pump();
    }
    // Moves the pointer to a point of a control of the details window, then lets the loop's
    // idle step tell the controls the pointer entered or left (without its wait).
    void MoveOver(TControl* control, int x, int y)
    {
        const platform::Point origin = control->ClientOrigin();
        Post(platform::EventType::MouseMove, DetailsId(), origin.x + x, origin.y + y);
        Application->SetOnIdle([](TObject*, bool& done) { done = false; });
        Application->Idle();
        Application->SetOnIdle(nullptr);
        app.Pump();
    }
    void ClickDetails(TControl* control)
    {
        const platform::Point origin = control->ClientOrigin();
        PostClick(app.Desktop(), DetailsId(), origin.x + 5, origin.y + control->Height() / 2);
        app.Pump();
    }
    static cli::TDesignReport CommandLineReport(std::vector<std::string> words)
    {
        words.insert(words.begin(), "design");
        const std::vector<std::string_view> views(words.begin(), words.end());
        return cli::ComputeDesignReport(cli::ParseCommandLine(views));
    }
    TPopupMenu* Menu() const { return MainWindowDetails->Menu(); }
    // "Go" with fc 500 kHz, Q 2,5, R 10 kOhm, C 1 nF, then F2.
    TDetailsForm* Open500kHz()
    {
        app.Click("RadioButton2");
        Go("500", "2,5", "10", "1");
        PressF2();
        return Details();
    }
    // The op-amp box's first choice below "ideal".
    void ChooseOneMegahertzOpAmp()
    {
        ClickDetails(Details()->OpAmpBox);
        DetailsKey("Down");
        ASSERT_EQ(Details()->OpAmpBox->GetText(), "1 MHz");
    }
};

} // namespace

TEST_F(DetailsWindow, TheChartMenuHasItsFiveItemsDisabledUntilAGoHasComputedResults)
{
    app.Click("Chart2", platform::MouseButton::Right);
    ASSERT_TRUE(Menu()->IsOpen());
    const std::vector<std::string> captions = {
        "Details... / Подробно...",
        "Copy results / Копировать результаты",
        "Copy SPICE netlist (low-pass) / Копировать SPICE-схему ФНЧ",
        "Copy SPICE netlist (high-pass) / Копировать SPICE-схему ФВЧ",
        "Copy response (CSV) / Копировать АЧХ (CSV)",
    };
    ASSERT_EQ(Menu()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Menu()->Items(i)->Caption(), captions[size_t(i)]);
        EXPECT_FALSE(Menu()->Items(i)->Enabled()) << i;
    }
    app.Key("Escape");
    EXPECT_FALSE(Menu()->IsOpen());
    // A refused "Go" computes nothing: the items stay disabled.
    Go("0", "0,7", "10", "10");
    app.Click("Chart3", platform::MouseButton::Right);
    ASSERT_TRUE(Menu()->IsOpen());
    EXPECT_FALSE(Menu()->Items(1)->Enabled());
    app.Key("Escape");

    Go("100", "0,7", "10", "10");
    app.Click("Chart3", platform::MouseButton::Right);
    ASSERT_TRUE(Menu()->IsOpen());
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Menu()->Items(i)->Enabled()) << i;
    // Choosing "Details..." opens the window.
    Menu()->Items(0)->Click();
    app.Pump();
    ASSERT_NE(Details(), nullptr);
    EXPECT_TRUE(Details()->Visible());
}

TEST_F(DetailsWindow, TheCopiedTextsAreTheCommandLinesOutputForTheSameInputs)
{
    struct Case {
        std::vector<std::string> fields;   // fc, Q, R, C as typed
        bool kHz, uF, butterworth;
        std::vector<std::string> options;
    };
    const Case cases[] = {
        {{"1000", "0,71", "10", "22"}, false, false, false, {"--fc", "1000", "--q", "0,71", "--r", "10k", "--c", "22n"}},
        {{"12", "", "4,7", "1,5"}, true, true, true, {"--fc", "12k", "--q", "butterworth", "--r", "4,7k", "--c", "1,5u"}},
        {{"500", "2,5", "1", "1"}, true, false, false, {"--fc", "500k", "--q", "2,5", "--r", "1k", "--c", "1n"}},
    };
    for (const Case& c : cases) {
        app.Click(c.kHz ? "RadioButton2" : "RadioButton1");
        app.Click(c.uF ? "RadioButton4" : "RadioButton3");
        app.Click(c.butterworth ? "RadioButton6" : "RadioButton9");
        app.Enter("Edit1", c.fields[0]);
        if (!c.butterworth)
            app.Enter("Edit2", c.fields[1]);
        app.Enter("Edit3", c.fields[2]);
        app.Enter("Edit4", c.fields[3]);
        app.Click("Button2");
        ASSERT_TRUE(MainWindowDetails->HasResults());

        const std::vector<std::vector<std::string>> commands = {
            {"design"}, {"netlist", "lp"}, {"netlist", "hp"}, {"sweep", "--format", "csv"}};
        for (size_t i = 0; i < commands.size(); ++i) {
            std::vector<std::string> argv = {F2_FILTER2_PATH};
            argv.insert(argv.end(), commands[i].begin(), commands[i].end());
            argv.insert(argv.end(), c.options.begin(), c.options.end());
            const ProgramResult run = RunProgram(argv, EnvironmentWithout({"DISPLAY"}));
            ASSERT_EQ(run.exitCode, 0) << run.err;
            app.Desktop().SetClipboardText("");
            app.Click("Chart2", platform::MouseButton::Right);
            ASSERT_TRUE(Menu()->IsOpen());
            Menu()->Items(int(i) + 1)->Click();
            app.Key("Escape");
            EXPECT_EQ(app.Desktop().ClipboardText(), run.out)
                << commands[i][0] << " " << c.options[1] << " fields " << app.Text("Edit1") << " " << app.Text("Edit2");
        }
    }
}

TEST_F(DetailsWindow, F2OpensTheWindowWithTheLastDesignRaisesItAndTheWindowFollowsEveryGo)
{
    app.Key("Enter");   // "Go" with the start values
    PressF2();
    ASSERT_NE(Details(), nullptr);
    ASSERT_TRUE(Details()->Visible());
    EXPECT_EQ(app.Desktop().FrontWindow(), DetailsId());
    ASSERT_NE(Details()->Design(), nullptr);
    EXPECT_DOUBLE_EQ(Details()->Design()->FcHz(), 100);
    EXPECT_EQ(Details()->HeadingLabel->Caption(), "fc 100 Hz,  Q 0,7,  R 33 kOhm,  C 10 nF");

    // Back to the main window (the harness activates it): a new "Go" reaches the open window.
    Go("2500", "1,3", "4,7", "47");
    EXPECT_DOUBLE_EQ(Details()->Design()->FcHz(), 2500);
    EXPECT_EQ(Details()->Design()->Report().request.window.q, 1.3);
    EXPECT_EQ(Details()->HeadingLabel->Caption(), "fc 2500 Hz,  Q 1,3,  R 4,7 kOhm,  C 47 nF");
    EXPECT_EQ(Details()->ChartMagnitude->SeriesAt(0)->PointCount(), 400);
    EXPECT_DOUBLE_EQ(Details()->ChartMagnitude->SeriesAt(0)->PointX(0), 25);

    // F2 again brings the same window to the front.
    TDetailsForm* first = Details();
    const int raised = app.Desktop().FindWindow(DetailsId())->RaiseCount();
    PressF2();
    EXPECT_EQ(Details(), first);
    EXPECT_EQ(app.Desktop().FindWindow(DetailsId())->RaiseCount(), raised + 1);
    EXPECT_EQ(app.Desktop().FrontWindow(), DetailsId());
}

TEST_F(DetailsWindow, TheTableShowsTheDesignCoresValuesAndFollowsTheSeriesChoice)
{
    Go("1000", "0,71", "10", "22");
    PressF2();
    TTextTable* table = Details()->ComponentsTable;
    const auto check = [&](const cli::TDesignReport& report) {
        const auto& lp = report.lowPass;
        const auto& hp = report.highPass;
        EXPECT_EQ(table->Cell(1, 1), design::EngineeringText(lp.first.value, "F"));
        EXPECT_EQ(table->Cell(1, 2), design::EngineeringText(lp.second.value, "F"));
        EXPECT_EQ(table->Cell(2, 1), design::EngineeringText(lp.nearest.first, "F", lp.seriesDigits));
        EXPECT_EQ(table->Cell(3, 2), design::EngineeringText(lp.best.second, "F", lp.seriesDigits));
        EXPECT_EQ(table->Cell(5, 1), design::EngineeringText(hp.first.value, "Ohm"));
        EXPECT_EQ(table->Cell(7, 2), design::EngineeringText(hp.best.second, "Ohm", hp.seriesDigits));
        EXPECT_EQ(table->Cell(3, 4), design::EngineeringText(lp.best.fcHz, "Hz", 5));
        EXPECT_EQ(table->Cell(7, 4), design::EngineeringText(hp.best.fcHz, "Hz", 5));
        EXPECT_EQ(table->Cell(5, 10), design::EngineeringText(hp.gbwNeededHz, "Hz", 3));
        EXPECT_EQ(table->Cell(2, 0), std::string("nearest ") + lp.series);
    };
    check(CommandLineReport({"--fc", "1000", "--q", "0,71", "--r", "10k", "--c", "22n"}));
    EXPECT_EQ(table->Cell(1, 1), "22,60 nF");
    EXPECT_EQ(table->Cell(2, 0), "nearest E12");

    // Down in the capacitor series box: E24 at once; Up in the resistor box: E48.
    ClickDetails(Details()->CapSeriesBox);
    ASSERT_EQ(Details()->FocusedControl(), Details()->CapSeriesBox);
    DetailsKey("Escape");   // closes the list the click opened, not the window
    ASSERT_TRUE(Details()->Visible());
    DetailsKey("Down");
    DetailsKey("Tab");
    EXPECT_EQ(Details()->FocusedControl(), Details()->ResSeriesBox);
    DetailsKey("Up");
    check(CommandLineReport({"--fc", "1000", "--q", "0,71", "--r", "10k", "--c", "22n", "--cap-series", "E24",
                             "--res-series", "E48"}));
    EXPECT_EQ(table->Cell(2, 0), "nearest E24");
    EXPECT_EQ(table->Cell(6, 0), "nearest E48");
}

TEST_F(DetailsWindow, TheOpAmpAndToleranceChoicesRecomputeAtOnceAndBadTextsAreNamed)
{
    TDetailsForm* d = Open500kHz();
    EXPECT_FALSE(d->ChartMagnitude->SeriesAt(8)->Active());   // ideal: drawn as curves 0 and 1
    ChooseOneMegahertzOpAmp();
    EXPECT_DOUBLE_EQ(d->Design()->Choices().gbwHz, 1e6);
    TChartSeries* opAmp = d->ChartMagnitude->SeriesAt(8);
    EXPECT_TRUE(opAmp->Active());
    ASSERT_EQ(opAmp->PointCount(), 400);
    // Far above fc the real op-amp's low-pass falls faster than the ideal one.
    EXPECT_LT(opAmp->PointY(399), d->ChartMagnitude->SeriesAt(0)->PointY(399) - 10);
    // The op-amp's rows: value and deviation together under "exact", nothing under the series.
    const auto& lowOpAmp = *d->Design()->Report().lowPass.opAmp;
    const auto& highOpAmp = *d->Design()->Report().highPass.opAmp;
    EXPECT_EQ(d->ComponentsTable->Cell(1, 8), design::EngineeringText(lowOpAmp.fcHz, "Hz", 5) + " (" +
                                                  CommaText("{:+.2f} %", lowOpAmp.fcErrorPct) + ")");
    EXPECT_EQ(d->ComponentsTable->Cell(5, 9),
              CommaText("{:.4f}", highOpAmp.q) + " (" + CommaText("{:+.2f} %", highOpAmp.qErrorPct) + ")");
    EXPECT_LT(lowOpAmp.fcErrorPct, -40);   // a 1 MHz part cannot make 500 kHz
    for (int col : {2, 3, 6, 7})
        for (int row : {8, 9, 10})
            EXPECT_EQ(d->ComponentsTable->Cell(col, row), "") << col << "," << row;

    // A typed value that is no frequency is named; the window keeps its last design.
    DetailsKey("Home");
    DetailsKey("Shift+End");
    DetailsType("fast");
    EXPECT_TRUE(d->ChoiceErrorLabel->Visible());
    EXPECT_DOUBLE_EQ(d->Design()->Choices().gbwHz, 1e6);
    DetailsKey("Home");
    DetailsKey("Shift+End");
    DetailsType("10M");
    EXPECT_FALSE(d->ChoiceErrorLabel->Visible());
    EXPECT_DOUBLE_EQ(d->Design()->Choices().gbwHz, 10e6);

    // A typed 0 % in both tolerance boxes collapses the bands onto the standard curves.
    for (TComboBox* box : {d->ResToleranceBox, d->CapToleranceBox}) {
        ClickDetails(box);
        DetailsKey("Home");
        DetailsKey("Shift+End");
        DetailsType("0");
    }
    ASSERT_FALSE(d->ChoiceErrorLabel->Visible());
    for (int i = 0; i < 400; i += 37) {
        EXPECT_NEAR(d->ChartMagnitude->SeriesAt(4)->PointY(i), d->ChartMagnitude->SeriesAt(2)->PointY(i), 1e-9);
        EXPECT_NEAR(d->ChartMagnitude->SeriesAt(7)->PointY(i), d->ChartMagnitude->SeriesAt(3)->PointY(i), 1e-9);
    }
}

TEST_F(DetailsWindow, HoverPutsACursorInTheThreeFrequencyChartsWithExactValuesAndLeavingRemovesIt)
{
    app.Key("Enter");
    PressF2();
    TDetailsForm* d = Details();
    TCursorChart* magnitude = d->ChartMagnitude;
    const platform::Rect plot = magnitude->PlotRect();
    ASSERT_GT(plot.Width(), 100);
    MoveOver(magnitude, plot.left + plot.Width() / 3, plot.top + 20);
    ASSERT_TRUE(magnitude->CursorValue().has_value());
    const double hz = *magnitude->CursorValue();
    EXPECT_EQ(d->ChartPhase->CursorValue(), hz);
    EXPECT_EQ(d->ChartDelay->CursorValue(), hz);
    EXPECT_FALSE(d->ChartStep->CursorValue().has_value());
    EXPECT_GT(hz, 1);
    EXPECT_LT(hz, 100);
    // The readout holds the values at that very frequency, not at a plotted point.
    const std::string readout = d->ReadoutLabel->Caption();
    const auto& low = d->Design()->Section(details::LowIdeal);
    EXPECT_EQ(readout.rfind("f " + design::EngineeringText(hz, "Hz"), 0), 0u) << readout;
    EXPECT_NE(readout.find("ideal " + CommaText("{:.2f} dB", low.MagnitudeDb(hz))), std::string::npos) << readout;
    // The cursor is drawn in the window's frame at its column.
    app.Pump();
    const platform::Raster& frame = app.Desktop().FindWindow(DetailsId())->LastFrame();
    const platform::Point origin = magnitude->ClientOrigin();
    int cursorPixels = 0;
    for (int y = plot.top + 1; y < plot.bottom - 1; ++y)
        cursorPixels += (frame.At(origin.x + magnitude->CursorPixel(), origin.y + y) & 0xFFFFFF) == 0x404040;
    EXPECT_GT(cursorPixels, plot.Height() / 2);

    // Leaving the chart (onto the table) removes the cursors and empties the readout.
    MoveOver(d->ComponentsTable, 20, 20);
    EXPECT_FALSE(magnitude->CursorValue().has_value());
    EXPECT_FALSE(d->ChartPhase->CursorValue().has_value());
    EXPECT_EQ(d->ReadoutLabel->Caption(), "");

    // Over the step chart: the time and the four values.
    TCursorChart* step = d->ChartStep;
    MoveOver(step, step->PlotRect().left + 40, step->PlotRect().top + 10);
    ASSERT_TRUE(step->CursorValue().has_value());
    EXPECT_EQ(d->ReadoutLabel->Caption().rfind("t " + design::EngineeringText(*step->CursorValue(), "s"), 0), 0u);
    EXPECT_FALSE(magnitude->CursorValue().has_value());
}

TEST_F(DetailsWindow, ADeviationThatRoundsToNothingReadsPlusZero)
{
    // The ideal high-pass Q comes out a hair below 2,5 here.
    app.Click("RadioButton2");
    Go("500", "2,5", "33", "10");
    PressF2();
    const auto& hp = Details()->Design()->Report().highPass;
    ASSERT_LT(hp.idealQ, 2.5);
    TTextTable* table = Details()->ComponentsTable;
    EXPECT_EQ(table->Cell(5, 7), "+0,00 %");
    for (int row = 0; row < table->RowCount(); ++row)
        for (int col = 0; col < table->ColCount(); ++col)
            EXPECT_EQ(table->Cell(col, row).find("-0,00 %"), std::string::npos) << table->Cell(col, row);
}

TEST_F(DetailsWindow, EveryTableTextFitsItsCellAtTheMinimumSize)
{
    // The longest texts: kHz values and a 1 MHz op-amp far off at 500 kHz.
    TDetailsForm* d = Open500kHz();
    ChooseOneMegahertzOpAmp();
    TTextTable* table = d->ComponentsTable;
    TBitmap measure;
    measure.SetSize(4, 4);
    for (const auto& [width, height] : {std::pair{800, 560}, std::pair{1024, 720}}) {
        Post(platform::EventType::Resize, DetailsId(), width, height);
        ASSERT_EQ(d->Width(), width);
        int cells = 0;
        for (int row = 0; row < table->RowCount(); ++row)
            for (int col = 0; col < table->ColCount(); ++col) {
                const std::string text = table->Cell(col, row);
                if (text.empty())
                    continue;
                ++cells;
                measure.Canvas()->Font()->Assign(table->Font());
                measure.Canvas()->Font()->SetStyle(table->CellBold(col, row) ? TFontStyles{fsBold} : TFontStyles{});
                EXPECT_LE(measure.Canvas()->TextWidth(text) + 2 * TTextTable::kCellPadding,
                          table->CellRect(col, row).Width())
                    << "'" << text << "' at " << width << " x " << height;
            }
        EXPECT_GT(cells, 70);
    }
}

TEST_F(DetailsWindow, MovingStraightFromOneChartOntoAnotherKeepsTheNewChartsReadout)
{
    app.Key("Enter");
    PressF2();
    TDetailsForm* d = Details();
    // The loop tells the chart that was left only after the move onto the next one was handled.
    const auto centre = [](TCursorChart* chart) {
        const platform::Rect plot = chart->PlotRect();
        return platform::Point{(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
    };
    MoveOver(d->ChartPhase, centre(d->ChartPhase).x, centre(d->ChartPhase).y);
    ASSERT_NE(d->ReadoutLabel->Caption().find("°"), std::string::npos);
    MoveOver(d->ChartMagnitude, centre(d->ChartMagnitude).x, centre(d->ChartMagnitude).y);
    EXPECT_NE(d->ReadoutLabel->Caption().find(" dB"), std::string::npos) << d->ReadoutLabel->Caption();
    EXPECT_TRUE(d->ChartMagnitude->CursorValue().has_value());
    EXPECT_EQ(d->ChartPhase->CursorValue(), d->ChartMagnitude->CursorValue());
    MoveOver(d->ChartStep, centre(d->ChartStep).x, centre(d->ChartStep).y);
    EXPECT_EQ(d->ReadoutLabel->Caption().rfind("t ", 0), 0u) << d->ReadoutLabel->Caption();
    EXPECT_TRUE(d->ChartStep->CursorValue().has_value());
    MoveOver(d->ChartDelay, centre(d->ChartDelay).x, centre(d->ChartDelay).y);
    EXPECT_EQ(d->ReadoutLabel->Caption().rfind("f ", 0), 0u) << d->ReadoutLabel->Caption();
    EXPECT_FALSE(d->ChartStep->CursorValue().has_value());
    EXPECT_TRUE(d->ChartDelay->CursorValue().has_value());
}

TEST_F(DetailsWindow, EscapeClosesTheWindowTheSizeIsHeldAndClosingTheMainWindowEndsTheProgram)
{
    app.Key("Enter");
    PressF2();
    TDetailsForm* d = Details();
    EXPECT_EQ(d->Constraints()->MinWidth(), 800);
    EXPECT_EQ(d->Constraints()->MinHeight(), 560);
    EXPECT_LE(d->Height(), 768);
    EXPECT_EQ(d->Width(), 1024);

    // Too small a size is held at the minimum; the charts follow the size.
    Post(platform::EventType::Resize, DetailsId(), 600, 400);
    EXPECT_EQ(d->Width(), 800);
    EXPECT_EQ(d->Height(), 560);
    EXPECT_LE(d->ChartStep->Left() + d->ChartStep->Width(), 800);
    EXPECT_LE(d->ChartStep->Top() + d->ChartStep->Height(), 560 - 20);
    EXPECT_LE(d->ComponentsTable->Width(), 800);
    Post(platform::EventType::Resize, DetailsId(), 1000, 700);
    EXPECT_GT(d->ChartStep->Left() + d->ChartStep->Width(), 900);

    DetailsKey("Escape");
    EXPECT_FALSE(d->Visible());
    EXPECT_FALSE(app.Terminated());
    PressF2();
    EXPECT_TRUE(d->Visible());
    Post(platform::EventType::Close, DetailsId(), 0, 0);
    EXPECT_FALSE(d->Visible());
    EXPECT_FALSE(app.Terminated());
    app.CloseWindow();
    EXPECT_TRUE(app.Terminated());
}
