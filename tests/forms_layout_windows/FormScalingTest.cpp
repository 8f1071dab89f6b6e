// A window read from a layout adapts to the screen: the density scales its font, and a text
// height other than the stored one scales the stored positions and sizes.

#include "LayoutForms.h"

#include "forms/MessageQueue.h"
#include "platform/HeadlessDesktop.h"
#include "rtl/Exception.h"
#include "rtl/NumberText.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

using layoutwindows::Compile;
using layoutwindows::ReadInto;

namespace {

struct Stored {
    int fontHeight = -11;
    std::string pixelsPerInch = "96";
    std::string textHeight = "13";
    std::string extra;
};

// The calculator's window in small: a label with its own font, an edit whose width is not
// stored, and a group box with a button inside.
std::string LayoutText(const Stored& s)
{
    return "Form1 : TScaleForm {\n"
           "  Left = 203\n  Top = 233\n  ClientHeight = 493\n  ClientWidth = 746\n"
           "  Font.Height = " + std::to_string(s.fontHeight) + "\n  Font.Name = \"MS Sans Serif\"\n" +
           (s.pixelsPerInch.empty() ? "" : "  PixelsPerInch = " + s.pixelsPerInch + "\n") +
           (s.textHeight.empty() ? "" : "  TextHeight = " + s.textHeight + "\n") + s.extra +
           "  Label1 : TLabel {\n    Left = 144\n    Top = 8\n    Width = 397\n    Height = 20\n"
           "    AutoSize = false\n    Caption = \"x\"\n    Font.Height = -16\n    ParentFont = false\n  }\n"
           "  Edit1 : TEdit {\n    Left = 360\n    Top = 48\n    Height = 21\n  }\n"
           "  GroupBox1 : TGroupBox {\n    Left = 24\n    Top = 32\n    Width = 273\n    Height = 433\n"
           "    Button1 : TButton {\n      Left = 16\n      Top = 16\n      Width = 129\n      Height = 49\n    }\n"
           "  }\n"
           "}\n";
}

struct Box {
    int left, top, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};

Box BoxOf(const TControl* c)
{
    return {c->Left(), c->Top(), c->Width(), c->Height()};
}

void PrintTo(const Box& b, std::ostream* os)
{
    *os << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

int ZeroHeight(int fontHeight)
{
    TFont font;
    font.SetHeight(fontHeight);
    return TControl::TextSize(font, "0").cy;
}

class FormScalingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = InstallFreshDesktop(1024, 768, 96);
        // Everything below rests on the window font's "0" measuring 13 at height -11.
        ASSERT_EQ(ZeroHeight(-11), 13);
    }

    std::unique_ptr<TScaleForm> Read(const Stored& stored)
    {
        auto form = std::make_unique<TScaleForm>(nullptr);
        ReadInto(*form, Compile(LayoutText(stored)));
        return form;
    }

    // A font height whose "0" measures 16 pixels.
    static int HeightMeasuring16()
    {
        for (int h = -12; h >= -18; --h)
            if (ZeroHeight(h) == 16)
                return h;
        return 0;
    }

    platform::HeadlessDesktop* desk = nullptr;
};

TEST_F(FormScalingTest, AMatchingTextHeightKeepsEverySizeAsStored)
{
    auto form = Read({});
    EXPECT_EQ(form->TextHeight(), 13);
    EXPECT_EQ(form->PixelsPerInch(), 96);
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(BoxOf(form.get()), (Box{203, 233, 746, 493}));
    EXPECT_EQ(BoxOf(form->Label1), (Box{144, 8, 397, 20}));
    EXPECT_EQ(form->Label1->Font()->Height(), -16);
    EXPECT_EQ(BoxOf(form->Edit1), (Box{360, 48, 121, 21}));
    EXPECT_EQ(BoxOf(form->GroupBox1), (Box{24, 32, 273, 433}));
    EXPECT_EQ(BoxOf(form->Button1), (Box{16, 16, 129, 49}));
}

TEST_F(FormScalingTest, ALargerTextScalesStoredPositionsAndSizesBy16Over13RoundedToNearest)
{
    const int height = HeightMeasuring16();
    ASSERT_NE(height, 0) << "no font height measures 16";
    Stored stored;
    stored.fontHeight = height;
    auto form = Read(stored);

    // The window keeps its place; its client size is scaled: 746 -> 918.15, 493 -> 606.77.
    EXPECT_EQ(BoxOf(form.get()), (Box{203, 233, 918, 607}));
    EXPECT_EQ(form->Font()->Height(), height);
    // 144 -> 177.2, 8 -> 9.8, 397 -> 488.6, 20 -> 24.6; the label's own font -16 -> -19.7.
    EXPECT_EQ(BoxOf(form->Label1), (Box{177, 10, 489, 25}));
    EXPECT_EQ(form->Label1->Font()->Height(), -20);
    // The edit's width was not stored: it keeps its default while its height scales.
    EXPECT_EQ(BoxOf(form->Edit1), (Box{443, 59, 121, 26}));
    // Nested controls scale in their parent's coordinates: 24 -> 29.5 rounds up, 433 -> 532.9.
    EXPECT_EQ(BoxOf(form->GroupBox1), (Box{30, 39, 336, 533}));
    EXPECT_EQ(BoxOf(form->Button1), (Box{20, 20, 159, 60}));
    // Controls without a font of their own still use the window's.
    EXPECT_EQ(form->Button1->Font()->Height(), height);

    // Once loaded, the stored-values rule no longer applies: a later scaling takes all.
    form->Edit1->ChangeScale(2, 1);
    EXPECT_EQ(form->Edit1->Width(), 242);
}

TEST_F(FormScalingTest, AScreenOfAnotherDensityScalesByTheDensitiesRatioWhenTheFontMeasuresAsPredicted)
{
    desk->SetPixelsPerInch(120);
    auto form = Read({});
    // -11 * 120 / 96 = -13.75.
    EXPECT_EQ(form->Font()->Height(), -14);
    EXPECT_EQ(form->PixelsPerInch(), 120);
    // The "0" measures 16.25 give or take its rounding: every measure follows 120 / 96, not
    // the rounded measurement (which would leave the window a little short).
    ASSERT_LE(std::abs(ZeroHeight(-14) - 16), 1);
    EXPECT_EQ(form->Label1->Left(), 180);
    EXPECT_EQ(form->Width(), rtl::MulDiv(746, 120, 96));
    EXPECT_EQ(form->Edit1->Font()->Height(), -14);

    // Twice the density: everything exactly twice, the fonts too.
    desk->SetPixelsPerInch(192);
    auto doubled = Read({});
    EXPECT_EQ(doubled->Font()->Height(), -22);
    EXPECT_EQ(BoxOf(doubled.get()), (Box{203, 233, 1492, 986}));
    EXPECT_EQ(BoxOf(doubled->Label1), (Box{288, 16, 794, 40}));
    EXPECT_EQ(doubled->Label1->Font()->Height(), -32);
    EXPECT_EQ(BoxOf(doubled->GroupBox1), (Box{48, 64, 546, 866}));
    EXPECT_EQ(BoxOf(doubled->Button1), (Box{32, 32, 258, 98}));
}

TEST_F(FormScalingTest, AtAnotherDensityAFontThatMeasuresOtherwiseStillScalesByItsMeasurement)
{
    // A face far larger than designed with: at 120 its "0" is far from the predicted 16.
    const int height = HeightMeasuring16();
    ASSERT_NE(height, 0);
    desk->SetPixelsPerInch(120);
    Stored stored;
    stored.fontHeight = height;
    auto form = Read(stored);
    const int measured = ZeroHeight(rtl::MulDiv(height, 120, 96));
    ASSERT_GT(std::abs(measured - 16), 1);
    EXPECT_EQ(form->Label1->Left(), rtl::MulDiv(144, measured, 13));
    EXPECT_EQ(form->Width(), rtl::MulDiv(746, measured, 13));
}

TEST_F(FormScalingTest, WithoutADensityOrATextHeightNothingIsScaled)
{
    const int height = HeightMeasuring16();
    ASSERT_NE(height, 0);
    for (const char* textHeight : {"", "0", "-13"}) {
        Stored stored;
        stored.fontHeight = height;
        stored.textHeight = textHeight;
        auto form = Read(stored);
        EXPECT_EQ(BoxOf(form->Label1), (Box{144, 8, 397, 20})) << "TextHeight '" << textHeight << "'";
        EXPECT_EQ(form->Width(), 746);
    }
    desk->SetPixelsPerInch(120);
    Stored stored;
    stored.pixelsPerInch = "0";
    auto form = Read(stored);
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(BoxOf(form->Label1), (Box{144, 8, 397, 20}));
}

TEST_F(FormScalingTest, AStoredDensityBelow36IsIgnored)
{
    desk->SetPixelsPerInch(120);
    Stored stored;
    stored.pixelsPerInch = "20";
    auto form = Read(stored);
    // The window kept the screen's density, so its font was not scaled by 120 / 20.
    EXPECT_EQ(form->PixelsPerInch(), 120);
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(BoxOf(form->Label1), (Box{144, 8, 397, 20}));
}

TEST_F(FormScalingTest, IgnoreFontPropertyKeepsTheDesktopFont)
{
    Stored stored;
    stored.fontHeight = -20;
    stored.extra = "  IgnoreFontProperty = true\n";
    auto form = Read(stored);
    EXPECT_TRUE(form->IgnoreFontProperty());
    EXPECT_TRUE(form->ParentFont());
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(form->Edit1->Font()->Height(), -11);
    EXPECT_EQ(BoxOf(form->Label1), (Box{144, 8, 397, 20}));

    // On a denser screen the desktop font is scaled like any window font, and stays the
    // desktop's.
    desk->SetPixelsPerInch(120);
    form = Read(stored);
    EXPECT_EQ(form->Font()->Height(), -14);
    EXPECT_TRUE(form->ParentFont());
}

TEST_F(FormScalingTest, ABadTextHeightValueIsAReadErrorNamingTheProperty)
{
    Stored stored;
    stored.textHeight = "\"13\"";
    auto form = std::make_unique<TScaleForm>(nullptr);
    try {
        ReadInto(*form, Compile(LayoutText(stored)));
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Error reading Form1.TextHeight: Invalid property value");
    }
}

TEST_F(FormScalingTest, ClientSizeSetOutsideReadingAppliesAtOnce)
{
    auto form = Read({});
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 200);
}

} // namespace
