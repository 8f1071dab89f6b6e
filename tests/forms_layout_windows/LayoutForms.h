#pragma once
// Window classes read from layout text in these tests, and the reading helper.

#include "forms/TButton.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "forms/TGroupBox.h"
#include "forms/TLabel.h"

#include <cstdint>
#include <string>
#include <vector>

class TScaleForm : public TForm {
    F2_CLASS(TScaleForm, TForm)
public:
    explicit TScaleForm(TComponent* owner) : TForm(owner) {}

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TButton* Button1 = nullptr;
};

// A window whose constructor reads the layout in `Layout`, as program windows read theirs.
class TLayoutForm : public TForm {
    F2_CLASS(TLayoutForm, TForm)
public:
    explicit TLayoutForm(TComponent* owner);
    static std::vector<uint8_t> Layout;
};

namespace layoutwindows {

// Layout text to stream bytes; files named by the text are looked up in baseDir.
std::vector<uint8_t> Compile(const std::string& text, const std::string& baseDir = ".");
// Reads bytes into form (its root).
void ReadInto(TComponent& form, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> FileBytes(const std::string& path);

} // namespace layoutwindows
