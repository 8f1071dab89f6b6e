#include "app/Unit1.h"

#include "app/design/InputRules.h"
#include "app/design/WindowDesign.h"

#include "chart/TChart.h"
#include "chart/TChartSeries.h"
#include "chart/TLineSeries.h"
#include "forms/LayoutLoader.h"
#include "forms/TApplication.h"
#include "forms/TButton.h"
#include "forms/TEdit.h"
#include "forms/TGroupBox.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TRadioButton.h"
#include "platform/Desktop.h"
#include "rtl/NumberText.h"

#include <algorithm>

TForm1* Form1 = nullptr;
const char* const MakerWebAddress = "https://example.org/filter2";

double FreqMultiplier = 1.0;
double CapMultiplier = 1e-9;
bool BackspacePressed = false;
bool LeadingComma = false;
design::TResponseSweep Sweep;

namespace {
// Working values of the calculation; each click overwrites them before reading them.
double fc = 0;   // as entered, without FreqMultiplier
double Q = 0;
double R = 0;    // first as entered in kOhm, then in ohms
double C = 0;    // first as entered, then in farads
design::TWindowDesign Design;   // omega, C1, C2, R1, R2, their texts and markers
} // namespace

F2_DEFINE_CLASS(TForm1, TForm, F2_FACTORY(TForm1))
{
    c.Field("Label1", &TForm1::Label1);
    c.Field("GroupBox2", &TForm1::GroupBox2);
    c.Field("Button1", &TForm1::Button1);
    c.Field("Image2", &TForm1::Image2);
    c.Field("Label2", &TForm1::Label2);
    c.Field("Edit1", &TForm1::Edit1);
    c.Field("RadioButton1", &TForm1::RadioButton1);
    c.Field("RadioButton2", &TForm1::RadioButton2);
    c.Field("Label3", &TForm1::Label3);
    c.Field("Edit2", &TForm1::Edit2);
    c.Field("Label11", &TForm1::Label11);
    c.Field("Edit4", &TForm1::Edit4);
    c.Field("RadioButton3", &TForm1::RadioButton3);
    c.Field("RadioButton4", &TForm1::RadioButton4);
    c.Field("Label13", &TForm1::Label13);
    c.Field("Label14", &TForm1::Label14);
    c.Field("Label15", &TForm1::Label15);
    c.Field("Label16", &TForm1::Label16);
    c.Field("Label17", &TForm1::Label17);
    c.Field("Label18", &TForm1::Label18);
    c.Field("Button2", &TForm1::Button2);
    c.Field("Label19", &TForm1::Label19);
    c.Field("Label20", &TForm1::Label20);
    c.Field("Label24", &TForm1::Label24);
    c.Field("Label23", &TForm1::Label23);
    c.Field("Label25", &TForm1::Label25);
    c.Field("GroupBox1", &TForm1::GroupBox1);
    c.Field("Image1", &TForm1::Image1);
    c.Field("Label4", &TForm1::Label4);
    c.Field("Label5", &TForm1::Label5);
    c.Field("Label6", &TForm1::Label6);
    c.Field("Label7", &TForm1::Label7);
    c.Field("Label8", &TForm1::Label8);
    c.Field("Label9", &TForm1::Label9);
    c.Field("Label10", &TForm1::Label10);
    c.Field("Label21", &TForm1::Label21);
    c.Field("Label12", &TForm1::Label12);
    c.Field("Label22", &TForm1::Label22);
    c.Field("Edit3", &TForm1::Edit3);
    c.Field("Chart3", &TForm1::Chart3);
    c.Field("LineSeries1", &TForm1::LineSeries1);
    c.Field("Chart2", &TForm1::Chart2);
    c.Field("Series2", &TForm1::Series2);
    c.Field("GroupBox3", &TForm1::GroupBox3);
    c.Field("RadioButton5", &TForm1::RadioButton5);
    c.Field("RadioButton6", &TForm1::RadioButton6);
    c.Field("RadioButton7", &TForm1::RadioButton7);
    c.Field("RadioButton8", &TForm1::RadioButton8);
    c.Field("RadioButton9", &TForm1::RadioButton9);
    c.Field("RadioButton10", &TForm1::RadioButton10);

    c.Method("Button1Click", &TForm1::Button1Click);
    c.Method("FormShow", &TForm1::FormShow);
    c.Method("RadioButton2Click", &TForm1::RadioButton2Click);
    c.Method("RadioButton1Click", &TForm1::RadioButton1Click);
    c.Method("RadioButton3Click", &TForm1::RadioButton3Click);
    c.Method("RadioButton4Click", &TForm1::RadioButton4Click);
    c.Method("Edit3Change", &TForm1::Edit3Change);
    c.Method("Edit1Change", &TForm1::Edit1Change);
    c.Method("Edit2Change", &TForm1::Edit2Change);
    c.Method("Edit4Change", &TForm1::Edit4Change);
    c.Method("Edit1KeyPress", &TForm1::Edit1KeyPress);
    c.Method("Edit2KeyPress", &TForm1::Edit2KeyPress);
    c.Method("Edit3KeyPress", &TForm1::Edit3KeyPress);
    c.Method("Edit4KeyPress", &TForm1::Edit4KeyPress);
    c.Method("Edit1KeyDown", &TForm1::Edit1KeyDown);
    c.Method("Edit2KeyDown", &TForm1::Edit2KeyDown);
    c.Method("Edit3KeyDown", &TForm1::Edit3KeyDown);
    c.Method("Edit4KeyDown", &TForm1::Edit4KeyDown);
    c.Method("Button2Click", &TForm1::Button2Click);
    c.Method("Label24Click", &TForm1::Label24Click);
    c.Method("RadioButton5Click", &TForm1::RadioButton5Click);
    c.Method("RadioButton6Click", &TForm1::RadioButton6Click);
    c.Method("RadioButton7Click", &TForm1::RadioButton7Click);
    c.Method("RadioButton8Click", &TForm1::RadioButton8Click);
    c.Method("RadioButton9Click", &TForm1::RadioButton9Click);
    c.Method("RadioButton10Click", &TForm1::RadioButton10Click);
}

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    // The whole window comes from its stored layout; handlers are bound by name there.
    LayoutLoader::ReadLayouts(*this, TForm::StaticClass());
}

TForm1::~TForm1()
{
    DestroyComponents();
}

// ---- Start-up and exit ----------------------------------------------------------------------

void TForm1::FormShow(TObject*)
{
    FreqMultiplier = 1.0;
    CapMultiplier = 1e-9;
    LeadingComma = false;
}

void TForm1::Button1Click(TObject*)
{
    Application->Terminate();
}

// ---- Typing -----------------------------------------------------------------------------------

void TForm1::FieldKeyDown(TEdit* field, uint16_t key)
{
    BackspacePressed = key == platform::vk::Back;
    field->SetColor(clWindow);
}

void TForm1::Edit1KeyDown(TObject*, uint16_t& key, TShiftState) { FieldKeyDown(Edit1, key); }
void TForm1::Edit2KeyDown(TObject*, uint16_t& key, TShiftState) { FieldKeyDown(Edit2, key); }
void TForm1::Edit3KeyDown(TObject*, uint16_t& key, TShiftState) { FieldKeyDown(Edit3, key); }
void TForm1::Edit4KeyDown(TObject*, uint16_t& key, TShiftState) { FieldKeyDown(Edit4, key); }

// Only digits and the decimal comma reach a field; a typed period becomes a comma. The
// character of a Backspace keystroke passes whatever it is.
void TForm1::FilterKey(char& key)
{
    if (BackspacePressed)
        return;
    const bool accepted = (key >= '0' && key <= '9') || key == ',' || key == '.';
    if (!accepted)
        key = 0;
    if (key == '.')
        key = ',';
}

void TForm1::Edit1KeyPress(TObject*, char& key)
{
    ResetLowPassResults();
    ResetHighPassResults();
    Label20->SetVisible(false);
    Label19->SetVisible(false);
    Edit1->SetColor(clWindow);
    FilterKey(key);
}

void TForm1::Edit2KeyPress(TObject*, char& key)
{
    ResetLowPassResults();
    ResetHighPassResults();
    Label19->SetVisible(false);
    Edit2->SetColor(clWindow);
    FilterKey(key);
}

void TForm1::Edit3KeyPress(TObject*, char& key)
{
    Label19->SetVisible(false);
    Edit3->SetColor(clWindow);
    FilterKey(key);
}

void TForm1::Edit4KeyPress(TObject*, char& key)
{
    Label19->SetVisible(false);
    Edit4->SetColor(clWindow);
    FilterKey(key);
}

// ---- Field changes ----------------------------------------------------------------------------

void TForm1::Edit1Change(TObject*)
{
    Label20->SetVisible(false);
    ApplyGoRule();
    HideLowPassMarkers();
    HideHighPassMarkers();
}

void TForm1::Edit2Change(TObject*)
{
    Chart3->SeriesAt(0)->ClearPoints();
    Chart2->SeriesAt(0)->ClearPoints();
    Label20->SetVisible(false);
    ApplyGoRule();
    HideLowPassMarkers();
    HideHighPassMarkers();
}

void TForm1::Edit3Change(TObject*)
{
    ResetLowPassResults();
    Label20->SetVisible(false);
    ApplyGoRule();
    HideLowPassMarkers();
}

void TForm1::Edit4Change(TObject*)
{
    ResetHighPassResults();
    Label20->SetVisible(false);
    ApplyGoRule();
    HideHighPassMarkers();
}

// "Go" is enabled exactly while all four fields hold text.
void TForm1::ApplyGoRule()
{
    Button2->SetEnabled(true);
    for (TEdit* field : {Edit1, Edit2, Edit3, Edit4})
        if (field->GetText().empty()) {
            Button2->SetEnabled(false);
            return;
        }
}

void TForm1::ResetLowPassResults()
{
    Label7->SetCaption("0");
    Label8->SetCaption("0");
}

void TForm1::ResetHighPassResults()
{
    Label15->SetCaption("0");
    Label16->SetCaption("0");
}

void TForm1::HideLowPassMarkers()
{
    Label12->SetVisible(false);
    Label22->SetVisible(false);
}

void TForm1::HideHighPassMarkers()
{
    Label25->SetVisible(false);
    Label23->SetVisible(false);
}

// ---- Units and filter families ----------------------------------------------------------------

void TForm1::RadioButton1Click(TObject*)
{
    ResetLowPassResults();
    ResetHighPassResults();
    FreqMultiplier = 1.0;
    HideLowPassMarkers();
    HideHighPassMarkers();
}

void TForm1::RadioButton2Click(TObject*)
{
    ResetLowPassResults();
    ResetHighPassResults();
    FreqMultiplier = 1000.0;
    HideLowPassMarkers();
    HideHighPassMarkers();
}

void TForm1::RadioButton3Click(TObject*)
{
    ResetHighPassResults();
    CapMultiplier = 1e-9;
    HideHighPassMarkers();
}

void TForm1::RadioButton4Click(TObject*)
{
    ResetHighPassResults();
    CapMultiplier = 1e-6;
    HideHighPassMarkers();
}

void TForm1::ChoosePreset(const char* q)
{
    Edit2->SetEnabled(false);
    Edit2->SetText(q);
}

void TForm1::RadioButton5Click(TObject*) { ChoosePreset(design::Preset(design::TFilterFamily::Bessel).qText); }
void TForm1::RadioButton6Click(TObject*) { ChoosePreset(design::Preset(design::TFilterFamily::Butterworth).qText); }
void TForm1::RadioButton7Click(TObject*) { ChoosePreset(design::Preset(design::TFilterFamily::Chebyshev05).qText); }
void TForm1::RadioButton10Click(TObject*) { ChoosePreset(design::Preset(design::TFilterFamily::Chebyshev1).qText); }
void TForm1::RadioButton8Click(TObject*) { ChoosePreset(design::Preset(design::TFilterFamily::LinkwitzRiley).qText); }

void TForm1::RadioButton9Click(TObject*)
{
    Edit2->SetText("");
    Edit2->SetEnabled(true);
    Edit2->SetFocus();
}

void TForm1::Label24Click(TObject*)
{
    // The shell's answer is not checked: nothing is shown when the page cannot be opened.
    platform::CurrentDesktop().OpenUrl(MakerWebAddress);
}

// ---- "Go" -------------------------------------------------------------------------------------

// A field whose text starts with a comma or holds more than one is an input error.
bool TForm1::CheckCommas(TEdit* field)
{
    const std::string text = field->GetText();
    LeadingComma = !text.empty() && text[0] == ',';
    const auto commas = std::count(text.begin(), text.end(), ',');
    if (commas > 1 || LeadingComma) {
        Label20->SetVisible(true);
        field->SetColor(clYellow);
        field->SetFocus();
        return false;
    }
    return true;
}

// A value outside its range: the nearest limit goes into the field, which is marked.
void TForm1::RejectOutOfRange(TEdit* field, const char* limitText)
{
    Label19->SetVisible(true);
    field->SetText(limitText);
    field->SetColor(clYellow);
    field->SetFocus();
}

// A value below the smallest unit leaves both labels as they are.
void TForm1::ShowPart(const std::optional<design::TLabelText>& text, TLabel* value, TLabel* unit)
{
    if (text) {
        value->SetCaption(text->value);
        unit->SetCaption(text->unit);
    }
}

void TForm1::Button2Click(TObject*)
{
    for (TEdit* field : {Edit1, Edit2, Edit3, Edit4})
        if (field->GetText().empty())
            return;

    for (TEdit* field : {Edit1, Edit2, Edit3, Edit4})
        field->SetColor(clWindow);
    Label19->SetVisible(false);
    Label20->SetVisible(false);

    // Corner frequency.
    if (!CheckCommas(Edit1))
        return;
    fc = double(rtl::TextToFloat(Edit1->GetText()));
    if (const char* limit = design::FrequencyRuleBroken(fc, FreqMultiplier))
        return RejectOutOfRange(Edit1, limit);

    // Quality factor.
    if (!CheckCommas(Edit2))
        return;
    Q = double(rtl::TextToFloat(Edit2->GetText()));
    if (const char* limit = design::QRuleBroken(Q))
        return RejectOutOfRange(Edit2, limit);

    // Resistor of the low-pass section, in kOhm.
    if (!CheckCommas(Edit3))
        return;
    R = double(rtl::TextToFloat(Edit3->GetText()));
    if (const char* limit = design::ResistorRuleBroken(R))
        return RejectOutOfRange(Edit3, limit);
    R = double(rtl::TextToFloat(Edit3->GetText()) * 1000.0L);

    // Capacitor of the high-pass section, in nF or uF.
    if (!CheckCommas(Edit4))
        return;
    C = double(rtl::TextToFloat(Edit4->GetText()));
    if (const char* limit = design::CapacitorRuleBroken(C, CapMultiplier))
        return RejectOutOfRange(Edit4, limit);
    C = double(rtl::TextToFloat(Edit4->GetText()) * static_cast<long double>(CapMultiplier));

    Design = design::DesignAsWindow(design::TWindowInputs{fc, FreqMultiplier, Q, R, C});
    ShowPart(Design.c1.label, Label7, Label9);
    ShowPart(Design.c2.label, Label8, Label10);
    ShowPart(Design.r1.label, Label15, Label17);
    ShowPart(Design.r2.label, Label16, Label18);

    SweepAndPlot();

    // Markers are only ever shown here; the input handlers hide them.
    if (Design.c1.marked)
        Label12->SetVisible(true);
    if (Design.c2.marked)
        Label22->SetVisible(true);
    if (Design.r1.marked)
        Label25->SetVisible(true);
    if (Design.r2.marked)
        Label23->SetVisible(true);

    if (onResultsComputed_)
        onResultsComputed_(this);
}

// Both responses over 100 points, the high-pass into Chart3 and the low-pass into Chart2.
void TForm1::SweepAndPlot()
{
    TChartSeries* highPass = Chart3->SeriesAt(0);
    TChartSeries* lowPass = Chart2->SeriesAt(0);
    highPass->ClearPoints();
    lowPass->ClearPoints();
    design::ComputeResponseSweep(fc, Q, Sweep);
    for (int i = 0; i < design::TResponseSweep::PointCount; ++i) {
        highPass->AddPointXY(Sweep.highPassFreq[i], Sweep.highPassGain[i], std::string(), clDefault);
        lowPass->AddPointXY(Sweep.lowPassFreq[i], Sweep.lowPassGain[i], std::string(), clDefault);
    }
}
