#include "app/MainWindowDetails.h"

#include "app/Unit1.h"
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineProgram.h"
#include "app/details/TDetailsForm.h"
#include "chart/TChart.h"
#include "forms/TEdit.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioButton.h"
#include "platform/Desktop.h"

#include <array>
#include <string_view>

TMainWindowDetails* MainWindowDetails = nullptr;

namespace {

constexpr std::array<const char*, 5> kItemCaptions = {
    "Details... / Подробно...",
    "Copy results / Копировать результаты",
    "Copy SPICE netlist (low-pass) / Копировать SPICE-схему ФНЧ",
    "Copy SPICE netlist (high-pass) / Копировать SPICE-схему ФВЧ",
    "Copy response (CSV) / Копировать АЧХ (CSV)",
};

// A field's number as the command line reads it: the window takes "100," as 100.
std::string FieldNumber(const TEdit* field)
{
    std::string text = field->GetText();
    if (!text.empty() && text.back() == ',')
        text.pop_back();
    return text;
}

std::vector<std::string_view> Views(const std::vector<std::string>& words)
{
    return std::vector<std::string_view>(words.begin(), words.end());
}

} // namespace

TMainWindowDetails::TMainWindowDetails(TComponent* owner, TForm1& main) : TComponent(owner), main_(main)
{
    menu_ = new TPopupMenu(this);
    for (const char* caption : kItemCaptions)
        menu_->Add(caption, [this](TObject* sender) { ItemClick(sender); });
    menu_->SetOnPopup([this](TObject*) { MenuPopup(); });
    MenuPopup();
    main_.Chart2->SetPopupMenu(menu_);
    main_.Chart3->SetPopupMenu(menu_);
    main_.SetOnResultsComputed([this](TObject*) { ResultsComputed(); });
    // F2 from any of the main window's controls; every other key goes on as before.
    main_.SetKeyPreview(true);
    main_.SetOnKeyDown([this](TObject*, uint16_t& key, TShiftState) { FormKeyDown(key); });
}

void TMainWindowDetails::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == details_)
        details_ = nullptr;
}

void TMainWindowDetails::FormKeyDown(uint16_t& key)
{
    if (key != platform::vk::F2)
        return;
    key = 0;
    OpenDetails();
}

void TMainWindowDetails::MenuPopup()
{
    for (int i = 0; i < menu_->Count(); ++i)
        menu_->Items(i)->SetEnabled(HasResults());
}

// The design as the user entered it, read back from the fields right after a "Go" that
// computed results, in the command line's words; the command line's own parsing then gives
// the details window and the copied texts exactly what "filter2 design" would compute.
void TMainWindowDetails::ResultsComputed()
{
    const bool kHz = FreqMultiplier != 1.0;
    const bool uF = CapMultiplier != 1e-9;
    std::string q = FieldNumber(main_.Edit2);
    std::string family;
    const std::array<std::pair<TRadioButton*, design::TFilterFamily>, 5> presets = {{
        {main_.RadioButton5, design::TFilterFamily::Bessel},
        {main_.RadioButton6, design::TFilterFamily::Butterworth},
        {main_.RadioButton7, design::TFilterFamily::Chebyshev05},
        {main_.RadioButton10, design::TFilterFamily::Chebyshev1},
        {main_.RadioButton8, design::TFilterFamily::LinkwitzRiley},
    }};
    for (const auto& [radio, preset] : presets)
        if (radio->Checked() && main_.Edit2->GetText() == design::Preset(preset).qText) {
            q = design::Preset(preset).name;
            family = radio->Caption();
        }
    std::vector<std::string> arguments = {
        "--fc", FieldNumber(main_.Edit1) + (kHz ? "k" : ""), "--q", q, "--r", FieldNumber(main_.Edit3) + "k",
        "--c", FieldNumber(main_.Edit4) + (uF ? "u" : "n")};
    heading_ = "fc " + main_.Edit1->GetText() + (kHz ? " kHz" : " Hz") + ",  Q " + main_.Edit2->GetText() +
               (family.empty() ? "" : " (" + family + ")") + ",  R " + main_.Edit3->GetText() + " kOhm,  C " +
               main_.Edit4->GetText() + (uF ? " uF" : " nF");
    try {
        std::vector<std::string> words = {"design"};
        words.insert(words.end(), arguments.begin(), arguments.end());
        cli::ParseCommandLine(Views(words));
        arguments_ = std::move(arguments);
    } catch (const cli::ECommandLineError&) {
        // Not expected (both check the same numbers by the same rules); offering the previous
        // design's texts would be wrong, so nothing is offered.
        arguments_.clear();
    }
    if (details_)
        ShowDesignInDetails();
}

void TMainWindowDetails::ShowDesignInDetails()
{
    if (!HasResults())
        return;
    std::vector<std::string> words = {"design"};
    words.insert(words.end(), arguments_.begin(), arguments_.end());
    details_->ShowDesign(cli::ParseCommandLine(Views(words)), heading_);
}

void TMainWindowDetails::OpenDetails()
{
    if (!details_) {
        details_ = new TDetailsForm(this);
        details_->FreeNotification(this);
        ShowDesignInDetails();
    }
    details_->ShowForm();
}

std::string TMainWindowDetails::CommandLineText(std::vector<std::string> command) const
{
    command.insert(command.end(), arguments_.begin(), arguments_.end());
    std::string out, err;
    if (cli::RunCommandLine(Views(command), out, err) != 0)
        return {};
    return out;
}

void TMainWindowDetails::ItemClick(TObject* sender)
{
    if (!HasResults())
        return;
    switch (static_cast<TMenuItem*>(sender)->MenuIndex()) {
    case ItemDetails:
        OpenDetails();
        return;
    case ItemCopyResults:
        platform::CurrentDesktop().SetClipboardText(CommandLineText({"design"}));
        return;
    case ItemCopyLowPassNetlist:
        platform::CurrentDesktop().SetClipboardText(CommandLineText({"netlist", "lp"}));
        return;
    case ItemCopyHighPassNetlist:
        platform::CurrentDesktop().SetClipboardText(CommandLineText({"netlist", "hp"}));
        return;
    case ItemCopyResponse:
        platform::CurrentDesktop().SetClipboardText(CommandLineText({"sweep", "--format", "csv"}));
        return;
    }
}
