// A window with the new controls, resized by the user with its list open, saved as a PNG in
// the build tree (widgets.png) for a look by eye.

#include "tests/support/AddControl.h"
#include "tests/support/WindowFixture.h"

#include "forms/TButton.h"
#include "forms/TComboBox.h"
#include "forms/TCustomPanel.h"
#include "forms/TLabel.h"
#include "forms/TPopupLayer.h"
#include "forms/TSizeConstraints.h"
#include "forms/TStrings.h"
#include "forms/TTextTable.h"
#include "platform/PngFile.h"

class WidgetsScreenshot : public WindowTest {};

TEST_F(WidgetsScreenshot, TheResizedWindowWithItsListOpenIsSaved)
{
    form->SetCaption("Details");
    form->SetBounds(0, 0, 480, 300);
    form->Constraints()->SetMinWidth(400);
    form->Constraints()->SetMinHeight(260);

    auto* bar = AddControl<TPanel>(form, form, 0, 0, 480, 40);
    bar->SetAlign(alTop);
    bar->SetBevelOuter(bvNone);
    AddControl<TLabel>(form, bar, 8, 13, 60, 13)->SetCaption("Capacitors:");
    auto* series = AddControl<TComboBox>(form, bar, 72, 9, 70, 21);
    series->SetStyle(csDropDownList);
    for (const char* s : {"E6", "E12", "E24"})
        series->Items()->Add(s);
    series->SetItemIndex(1);
    AddControl<TLabel>(form, bar, 156, 13, 60, 13)->SetCaption("Op-amp GBW:");
    auto* gbw = AddControl<TComboBox>(form, bar, 238, 9, 90, 21);
    for (const char* s : {"ideal", "1 MHz", "3 MHz", "10 MHz", "100 MHz"})
        gbw->Items()->Add(s);
    gbw->SetText("2.2M");

    auto* table = AddControl<TTextTable>(form, form, 8, 48, 464, 204);
    table->SetAnchors({akLeft, akTop, akRight, akBottom});
    table->SetColCount(5);
    table->SetRowCount(6);
    table->SetDefaultColWidth(96);
    table->SetColWidth(0, 60);
    for (int col = 1; col < 5; ++col)
        table->SetColAlignment(col, taRightJustify);
    table->SetRow(0, {"Part", "Exact", "Nearest E12", "Pair", "Deviation"});
    table->SetRow(1, {"C1", "318,3 nF", "330 nF", "330 nF", "+3,68 %"});
    table->SetRow(2, {"C2", "159,2 nF", "150 nF", "150 nF", "-5,75 %"});
    table->SetRow(3, {"R1", "10,00 kOhm", "10,0 kOhm", "10,2 kOhm", "+2,00 %"});
    table->SetRow(4, {"fc", "1,000 kHz", "", "982,4 Hz", "-1,76 %"});
    table->SetRow(5, {"Q", "0,7071", "", "0,7112", "+0,58 %"});
    table->SetCellBold(3, 4, true);
    table->SetCellBold(3, 5, true);
    auto* close = AddControl<TButton>(form, form, 397, 264, 75, 25);
    close->SetCaption("Close");
    close->SetAnchors({akRight, akBottom});

    Show();
    ASSERT_TRUE(Window().ResizeByUser(560, 330));
    RunUntilIdle();
    EXPECT_EQ(table->Width(), 544);
    EXPECT_EQ(close->Left(), 477);
    series->SetFocus();
    Key(platform::vk::Down, {}, platform::ModAlt);
    ASSERT_TRUE(form->PopupLayer().IsListOpen());

    const std::string path = std::string(F2_BINARY_DIR) + "/widgets.png";
    platform::WritePng(path, Window().LastFrame());
    const platform::Raster saved = platform::ReadPng(path);
    ASSERT_EQ(saved.Width(), 560);
    ASSERT_EQ(saved.Height(), 330);
    for (int y = 0; y < saved.Height(); y += 7)
        for (int x = 0; x < saved.Width(); x += 5)
            ASSERT_EQ(saved.At(x, y) | 0xFF000000u, Window().LastFrame().At(x, y) | 0xFF000000u) << x << "," << y;
}
