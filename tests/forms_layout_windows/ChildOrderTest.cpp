// Stored child positions and the design position of non-visual components.

#include "LayoutForms.h"

#include "platform/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <memory>

using layoutwindows::Compile;
using layoutwindows::ReadInto;

namespace {

class ChildOrder : public ::testing::Test {
protected:
    void SetUp() override { platform::InstallDesktop(std::make_unique<platform::HeadlessDesktop>()); }
    void TearDown() override { platform::InstallDesktop(nullptr); }
};

} // namespace

TEST_F(ChildOrder, AStoredPositionMovesTheChildAmongItsParentsChildren)
{
    TScaleForm form(nullptr);
    ReadInto(form, Compile("Form1 : TScaleForm {\n"
                           "  Label1 : TLabel {\n    Caption = \"first\"\n  }\n"
                           "  Edit1 : TEdit {\n  }\n"
                           "  position 0 Button1 : TButton {\n  }\n"
                           "}\n"));
    ASSERT_EQ(form.ControlCount(), 3);
    EXPECT_EQ(form.Controls(0), form.Button1);
    EXPECT_EQ(form.Controls(1), form.Label1);
    EXPECT_EQ(form.Controls(2), form.Edit1);
}

TEST_F(ChildOrder, APositionBeyondTheEndPutsTheChildLast)
{
    TScaleForm form(nullptr);
    ReadInto(form, Compile("Form1 : TScaleForm {\n"
                           "  position 9 Label1 : TLabel {\n  }\n"
                           "  Edit1 : TEdit {\n  }\n"
                           "}\n"));
    ASSERT_EQ(form.ControlCount(), 2);
    EXPECT_EQ(form.Controls(0), form.Label1);   // moved to the end of a list of one
    EXPECT_EQ(form.Controls(1), form.Edit1);
}

TEST_F(ChildOrder, ANonVisualComponentKeepsItsDesignPosition)
{
    RegisterClass(TComponent::StaticClass());
    TScaleForm form(nullptr);
    ReadInto(form, Compile("Form1 : TScaleForm {\n"
                           "  Thing : TComponent {\n    Left = 40\n    Top = 16\n  }\n"
                           "}\n"));
    TComponent* thing = form.FindComponent("Thing");
    ASSERT_NE(thing, nullptr);
    EXPECT_EQ(thing->DesignLeft(), 40);
    EXPECT_EQ(thing->DesignTop(), 16);
}
