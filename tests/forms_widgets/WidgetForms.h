#pragma once
// A window class whose layout names the new controls, with handlers bound by name, and the
// helpers that compile layout text and read it into a window.

#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TCustomPanel.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "forms/TLabel.h"
#include "forms/TMenuItem.h"
#include "forms/TPopupMenu.h"
#include "forms/TTextTable.h"

#include <cstdint>
#include <string>
#include <vector>

class TWidgetForm : public TForm {
    F2_CLASS(TWidgetForm, TForm)
public:
    explicit TWidgetForm(TComponent* owner) : TForm(owner) {}

    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TButton* Button1 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* Combo1 = nullptr;
    TTextTable* Table1 = nullptr;
    TPopupMenu* Menu1 = nullptr;
    TMenuItem* Item1 = nullptr;
    TMenuItem* Item2 = nullptr;
    TLabel* Label1 = nullptr;

    std::vector<std::string> log;
    void Combo1Change(TObject*) { log.push_back("change " + Combo1->GetText()); }
    void Combo1Select(TObject*) { log.push_back("select " + std::to_string(Combo1->ItemIndex())); }
    void Menu1Popup(TObject*) { log.push_back("popup"); }
    void ItemClick(TObject* sender) { log.push_back("item " + std::to_string(static_cast<TMenuItem*>(sender)->MenuIndex())); }
    void FormResize(TObject*) { log.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height())); }
};

namespace widgetstest {

std::vector<uint8_t> Compile(const std::string& text);
// Compiles the text and reads it into form, which must be a fresh window.
void Read(TComponent& form, const std::string& text);

} // namespace widgetstest
