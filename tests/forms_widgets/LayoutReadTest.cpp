// The new controls and window properties written as layout text, compiled by the layout
// compiler and read by the layout reader: every enumeration and set name from its one table,
// references between components, events bound by name, and the order of reading.

#include "WidgetForms.h"

#include "forms/MessageQueue.h"
#include "forms/TSizeConstraints.h"
#include "forms/TStrings.h"
#include "platform/HeadlessDesktop.h"
#include "rtl/Exception.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <memory>

using widgetstest::Read;

namespace {

class LayoutReadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallFreshDesktop();
        form = std::make_unique<TWidgetForm>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        MessageQueue::Clear();
    }

    // Reads one component of the given class with the given property lines inside a window.
    void ReadOne(const std::string& cls, const std::string& name, const std::string& lines)
    {
        Read(*form, "Form1 : TWidgetForm {\n  " + name + " : " + cls + " {\n" + lines + "\n  }\n}\n");
    }

    std::unique_ptr<TWidgetForm> form;
};

const char* const kWindow = R"(
Form1 : TWidgetForm {
  BorderStyle = bsSizeable
  ClientWidth = 400
  ClientHeight = 300
  Constraints.MinWidth = 320
  Constraints.MinHeight = 240
  KeyPreview = true
  OnResize = FormResize
  Menu1 : TPopupMenu {
    OnPopup = Menu1Popup
    Item1 : TMenuItem {
      Caption = "First"
      OnClick = ItemClick
    }
    Item2 : TMenuItem {
      Caption = "Second"
      Enabled = false
      OnClick = ItemClick
    }
  }
  Panel1 : TPanel {
    Height = 40
    Align = alTop
    PopupMenu = Menu1
    Combo1 : TComboBox {
      Left = 8
      Top = 8
      Style = csDropDownList
      ItemIndex = 1
      Items.Strings = ( "E6" "E12" "E24" )
      OnChange = Combo1Change
      OnSelect = Combo1Select
    }
  }
  Panel2 : TPanel {
    Align = alClient
  }
  Button1 : TButton {
    Left = 310
    Top = 260
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
  }
  Table1 : TTextTable {
    ColCount = 3
    RowCount = 4
    FixedRows = 2
    DefaultColWidth = 70
    DefaultRowHeight = 16
    BorderStyle = bsNone
    GridLines = false
  }
}
)";

struct Box {
    int left, top, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};
Box BoxOf(const TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }
void PrintTo(const Box& b, std::ostream* os) { *os << b.left << "," << b.top << " " << b.width << "x" << b.height; }

} // namespace

TEST_F(LayoutReadTest, AWindowWithEveryNewPartReadsAndItsChildrenFollowLaterSizes)
{
    Read(*form, kWindow);
    ASSERT_NE(form->Menu1, nullptr);
    ASSERT_EQ(form->Menu1->Count(), 2);
    EXPECT_EQ(form->Menu1->Items(0), form->Item1);
    EXPECT_FALSE(form->Item2->Enabled());
    EXPECT_EQ(form->Panel1->GetPopupMenu(), form->Menu1);
    EXPECT_EQ(form->Combo1->Style(), csDropDownList);
    // ItemIndex came before the items it names: settled once everything was read.
    EXPECT_EQ(form->Combo1->ItemIndex(), 1);
    EXPECT_EQ(form->Combo1->GetText(), "E12");
    EXPECT_EQ(form->Table1->FixedRows(), 2);
    EXPECT_EQ(form->Table1->ColWidth(2), 70);
    EXPECT_EQ(form->Table1->BorderStyle(), bsNone);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->Constraints()->MinWidth(), 320);

    // The stored client size came after the children: the button stays where it was stored,
    // the docked panels fill the stored size, and no resize event ran while reading.
    EXPECT_EQ(BoxOf(form->Button1), (Box{310, 260, 75, 25}));
    EXPECT_EQ(BoxOf(form->Panel1), (Box{0, 0, 400, 40}));
    EXPECT_EQ(BoxOf(form->Panel2), (Box{0, 40, 400, 260}));
    EXPECT_TRUE(form->log.empty());

    form->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(BoxOf(form->Panel1), (Box{0, 0, 500, 40}));
    EXPECT_EQ(BoxOf(form->Panel2), (Box{0, 40, 500, 360}));
    EXPECT_EQ(BoxOf(form->Button1), (Box{410, 360, 75, 25}));
    EXPECT_EQ(form->log, (std::vector<std::string>{"resize 500x400"}));
    form->SetBounds(0, 0, 100, 100);   // below the constraints
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Height(), 240);
    EXPECT_EQ(BoxOf(form->Button1), (Box{230, 200, 75, 25}));
}

TEST_F(LayoutReadTest, EveryNameOfTheNewEnumerationsSurvivesCompilerAndReader)
{
    const std::vector<std::string>& aligns = TypeInfoOf<TAlign>()->EnumNames();
    ASSERT_EQ(aligns.size(), 6u);
    for (size_t i = 0; i < aligns.size(); ++i) {
        form = std::make_unique<TWidgetForm>(nullptr);
        ReadOne("TPanel", "Panel1", "Align = " + aligns[i]);
        EXPECT_EQ(int(form->Panel1->Align()), int(i)) << aligns[i];
    }
    const std::vector<std::string>& styles = TypeInfoOf<TComboBoxStyle>()->EnumNames();
    for (size_t i = 0; i < styles.size(); ++i) {
        form = std::make_unique<TWidgetForm>(nullptr);
        ReadOne("TComboBox", "Combo1", "Style = " + styles[i]);
        EXPECT_EQ(int(form->Combo1->Style()), int(i)) << styles[i];
    }
    const std::vector<std::string>& anchors = TypeInfoOf<TAnchorKind>()->EnumNames();
    ASSERT_EQ(anchors.size(), 4u);
    for (size_t i = 0; i < anchors.size(); ++i) {
        form = std::make_unique<TWidgetForm>(nullptr);
        ReadOne("TButton", "Button1", "Anchors = [" + anchors[i] + "]");
        EXPECT_EQ(form->Button1->Anchors().Bits(), 1u << i) << anchors[i];
    }
    form = std::make_unique<TWidgetForm>(nullptr);
    ReadOne("TButton", "Button1", "Anchors = []");
    EXPECT_TRUE(form->Button1->Anchors().IsEmpty());
}

TEST_F(LayoutReadTest, UnknownNamesAreRefusedWithTheReadersMessage)
{
    const struct {
        const char* cls;
        const char* name;
        const char* line;
        const char* message;
    } cases[] = {
        {"TButton", "Button1", "Anchors = [akLeft, akMiddle]", "Error reading Button1.Anchors: Invalid property value"},
        {"TPanel", "Panel1", "Align = alCustom", "Error reading Panel1.Align: Invalid property value"},
        {"TComboBox", "Combo1", "Style = csSimple", "Error reading Combo1.Style: Invalid property value"},
        {"TTextTable", "Table1", "BorderStyle = bsSunken", "Error reading Table1.BorderStyle: Invalid property value"},
        {"TPanel", "Panel1", "PopupMenu = 3", "Error reading Panel1.PopupMenu: Invalid property value"},
    };
    for (const auto& c : cases) {
        form = std::make_unique<TWidgetForm>(nullptr);
        try {
            ReadOne(c.cls, c.name, c.line);
            ADD_FAILURE() << c.line << " was accepted";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST_F(LayoutReadTest, AMenuReferenceToAComponentThatIsGoneBecomesNothing)
{
    Read(*form, kWindow);
    ASSERT_EQ(form->Panel1->GetPopupMenu(), form->Menu1);
    delete form->Menu1;
    EXPECT_EQ(form->Panel1->GetPopupMenu(), nullptr);
    // Items read from the layout belong to the window: they outlive their menu, outside it.
    ASSERT_NE(form->Item1, nullptr);
    EXPECT_EQ(form->Item1->Menu(), nullptr);
    EXPECT_EQ(form->Item1->MenuIndex(), -1);
}
