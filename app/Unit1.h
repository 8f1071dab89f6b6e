#pragma once
// The calculator's main window: its component fields and event handlers, bound by name from
// the window's layout, and the unit-level state the handlers share.

#include "app/design/ResponseSweep.h"
#include "app/design/FilterDesign.h"
#include "forms/TForm.h"

#include <optional>

class TLabel;
class TGroupBox;
class TButton;
class TImage;
class TEdit;
class TRadioButton;
class TChart;
class TLineSeries;

class TForm1 : public TForm {
    F2_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Component fields, in declaration order; the layout binds each by name.
    TLabel* Label1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TButton* Button1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit1 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TLabel* Label3 = nullptr;
    TEdit* Edit2 = nullptr;
    TLabel* Label11 = nullptr;
    TEdit* Edit4 = nullptr;
    TRadioButton* RadioButton3 = nullptr;
    TRadioButton* RadioButton4 = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TLabel* Label17 = nullptr;
    TLabel* Label18 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label19 = nullptr;
    TLabel* Label20 = nullptr;
    TLabel* Label24 = nullptr;
    TLabel* Label23 = nullptr;
    TLabel* Label25 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label21 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label22 = nullptr;
    TEdit* Edit3 = nullptr;
    TChart* Chart3 = nullptr;
    TLineSeries* LineSeries1 = nullptr;
    TChart* Chart2 = nullptr;
    TLineSeries* Series2 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TRadioButton* RadioButton5 = nullptr;
    TRadioButton* RadioButton6 = nullptr;
    TRadioButton* RadioButton7 = nullptr;
    TRadioButton* RadioButton8 = nullptr;
    TRadioButton* RadioButton9 = nullptr;
    TRadioButton* RadioButton10 = nullptr;

    // Event handlers, in declaration order.
    void Button1Click(TObject* sender);
    void FormShow(TObject* sender);
    void RadioButton2Click(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton3Click(TObject* sender);
    void RadioButton4Click(TObject* sender);
    void Edit3Change(TObject* sender);
    void Edit1Change(TObject* sender);
    void Edit2Change(TObject* sender);
    void Edit4Change(TObject* sender);
    void Edit1KeyPress(TObject* sender, char& key);
    void Edit2KeyPress(TObject* sender, char& key);
    void Edit3KeyPress(TObject* sender, char& key);
    void Edit4KeyPress(TObject* sender, char& key);
    void Edit1KeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void Edit2KeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void Edit3KeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void Edit4KeyDown(TObject* sender, uint16_t& key, TShiftState shift);
    void Button2Click(TObject* sender);
    void Label24Click(TObject* sender);
    void RadioButton5Click(TObject* sender);
    void RadioButton6Click(TObject* sender);
    void RadioButton7Click(TObject* sender);
    void RadioButton8Click(TObject* sender);
    void RadioButton9Click(TObject* sender);
    void RadioButton10Click(TObject* sender);

    // Runs at the end of each "Go" that computed results.
    const TNotifyEvent& OnResultsComputed() const { return onResultsComputed_; }
    void SetOnResultsComputed(const TNotifyEvent& handler) { onResultsComputed_ = handler; }

private:
    void FieldKeyDown(TEdit* field, uint16_t key);
    void FilterKey(char& key);
    void ResetLowPassResults();
    void ResetHighPassResults();
    void HideLowPassMarkers();
    void HideHighPassMarkers();
    void ApplyGoRule();
    void ChoosePreset(const char* q);
    // Steps of Button2Click.
    bool CheckCommas(TEdit* field);
    void RejectOutOfRange(TEdit* field, const char* limitText);
    void ShowPart(const std::optional<design::TLabelText>& text, TLabel* value, TLabel* unit);
    void SweepAndPlot();

    TNotifyEvent onResultsComputed_;
};

// The window's global reference, set before its constructor runs.
extern TForm1* Form1;

// The maker's web page that the link label opens.
extern const char* const MakerWebAddress;

// Unit-level state shared by the handlers (one instance for the whole run).
extern double FreqMultiplier;
extern double CapMultiplier;
extern bool BackspacePressed;
extern bool LeadingComma;
extern design::TResponseSweep Sweep;
