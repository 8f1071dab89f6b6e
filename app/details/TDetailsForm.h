#pragma once
// The design details window: the inputs, a table of exact and standard components with the fc
// and Q they give, four charts (magnitude with tolerance bands and the op-amp's curves, phase,
// group delay, step response) and a readout line that follows the mouse over the charts.
// Built from its own layout; any change of a series, a tolerance or the op-amp recomputes at
// once.

#include "app/cli/CommandLine.h"
#include "app/details/DetailsDesign.h"
#include "forms/TForm.h"

#include <memory>
#include <optional>
#include <string>

class TLabel;
class TComboBox;
class TTextTable;
class TCursorChart;

class TDetailsForm : public TForm {
    F2_CLASS(TDetailsForm, TForm)
public:
    explicit TDetailsForm(TComponent* owner);
    ~TDetailsForm() override;
    // Puts the window's embedded layout stream into the resource table.
    static void RegisterResources();

    TLabel* HeadingLabel = nullptr;
    TLabel* CapSeriesLabel = nullptr;
    TComboBox* CapSeriesBox = nullptr;
    TLabel* ResSeriesLabel = nullptr;
    TComboBox* ResSeriesBox = nullptr;
    TLabel* ResToleranceLabel = nullptr;
    TComboBox* ResToleranceBox = nullptr;
    TLabel* CapToleranceLabel = nullptr;
    TComboBox* CapToleranceBox = nullptr;
    TLabel* OpAmpLabel = nullptr;
    TComboBox* OpAmpBox = nullptr;
    TLabel* ChoiceErrorLabel = nullptr;
    TTextTable* ComponentsTable = nullptr;
    TCursorChart* ChartMagnitude = nullptr;
    TCursorChart* ChartPhase = nullptr;
    TCursorChart* ChartDelay = nullptr;
    TCursorChart* ChartStep = nullptr;
    TLabel* ReadoutLabel = nullptr;

    void ChoiceChange(TObject* sender);
    void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void FormResize(TObject* sender);

    // Shows a design: inputs is a parsed "design" request, heading the inputs as the user
    // entered them. Replaces what the window showed; the user's choices stay.
    void ShowDesign(const cli::TRequest& inputs, const std::string& heading);
    // The design shown, or nothing before the first.
    const details::TDetailsDesign* Design() const { return design_.get(); }

    // The readout for a frequency (a cursor in the three frequency charts) or a time (in the
    // step chart); nothing removes the cursors and empties the readout.
    void ShowFrequency(std::optional<double> hz, TCursorChart* over);
    void ShowTime(std::optional<double> seconds);

private:
    // The user's choices, or a message saying which one cannot be used.
    std::optional<std::string> ReadChoices(details::TDetailsChoices& choices) const;
    void Recompute();
    void FillTable();
    void FillCharts();
    void Arrange();
    // Column widths for the table's texts and the table's width.
    void FitTableColumns();
    void ChartMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ChartMouseLeave(TObject* sender);

    std::optional<cli::TRequest> inputs_;
    std::unique_ptr<details::TDetailsDesign> design_;
    // The chart the pointer last moved over, whose readout is shown; nullptr after it left.
    TCursorChart* readoutChart_ = nullptr;
};
