#include "tests/support/WindowFixture.h"

#include "forms/TCustomPanel.h"
#include "forms/TGraphicControl.h"
#include "forms/TLabel.h"

#include <chrono>

namespace {

using platform::Pixel;

// A graphic control that counts its paints and fills itself with one colour.
class TProbe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int paints = 0;
    TColor fill = clRed;

protected:
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(ClientRect());
    }
};

Pixel PixelOf(TColor color)
{
    return ColorToPixel(color) | 0xFF000000u;
}

class PaintTest : public WindowTest {
protected:
    Pixel At(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }
};

TEST_F(PaintTest, OnlyControlsThatMeetTheDirtyAreaRepaint)
{
    auto* left = AddControl<TProbe>(form, form, 10, 10, 20, 20);
    auto* right = AddControl<TProbe>(form, form, 200, 10, 20, 20);
    right->fill = clBlue;
    Show();
    EXPECT_EQ(left->paints, 1);
    EXPECT_EQ(right->paints, 1);
    const int presents = Window().PresentCount();

    left->fill = clLime;
    left->Invalidate();
    left->Invalidate();   // several invalidations, one paint
    RunUntilIdle();
    EXPECT_EQ(left->paints, 2);
    EXPECT_EQ(right->paints, 1);
    EXPECT_EQ(Window().PresentCount(), presents + 1);
    EXPECT_EQ(At(15, 15), PixelOf(clLime));
    EXPECT_EQ(At(205, 15), PixelOf(clBlue));
    EXPECT_EQ(At(5, 5), PixelOf(clBtnFace));   // the form's own background around it

    // An expose presents the same frame again without painting.
    platform::Event expose;
    expose.type = platform::EventType::Expose;
    expose.window = form->NativeWindow().Id();
    desk->PostEvent(expose);
    RunUntilIdle();
    EXPECT_EQ(left->paints, 2);
    EXPECT_EQ(Window().PresentCount(), presents + 2);
}

TEST_F(PaintTest, HidingAControlRepaintsWhatWasUnderIt)
{
    auto* probe = AddControl<TProbe>(form, form, 10, 10, 20, 20);
    Show();
    EXPECT_EQ(At(15, 15), PixelOf(clRed));
    probe->SetVisible(false);
    RunUntilIdle();
    EXPECT_EQ(At(15, 15), PixelOf(clBtnFace));
}

TEST_F(PaintTest, AnOpaqueLabelFillsItsWidthInItsColourAndIsClippedThere)
{
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 40, 16);
    label->SetCaption("WWWWWWWWWWWWWWWWWWWW");   // far wider than 40 pixels
    label->SetColor(clYellow);
    auto* inherits = AddControl<TLabel>(form, form, 20, 60, 40, 16);
    inherits->SetCaption("x");
    Show();
    EXPECT_EQ(At(20, 20), PixelOf(clYellow));
    EXPECT_EQ(At(59, 35), PixelOf(clYellow));
    EXPECT_EQ(At(60, 25), PixelOf(clBtnFace));   // nothing drawn past the right edge
    bool textSeen = false;
    for (int x = 20; x < 60; ++x)
        for (int y = 20; y < 36; ++y)
            textSeen |= At(x, y) != PixelOf(clYellow);
    EXPECT_TRUE(textSeen);
    EXPECT_EQ(inherits->Color(), clBtnFace);   // the parent's colour
    EXPECT_GT(inherits->Width(), 0);
    EXPECT_LT(inherits->Width(), 40);           // AutoSize fitted it to "x"
    EXPECT_EQ(inherits->Left(), 20);
}

TEST_F(PaintTest, PanelBevelsAreDrawnInTheButtonColours)
{
    auto* panel = AddControl<TPanel>(form, form, 10, 10, 100, 50);
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvRaised);
    panel->SetColor(clWhite);
    Show();
    const Pixel shadow = PixelOf(clBtnShadow), highlight = PixelOf(clBtnHighlight);
    // Outer, lowered: shadow on the top and left, highlight on the bottom and right.
    EXPECT_EQ(At(10, 10), shadow);
    EXPECT_EQ(At(50, 10), shadow);
    EXPECT_EQ(At(10, 30), shadow);
    EXPECT_EQ(At(109, 30), highlight);
    EXPECT_EQ(At(50, 59), highlight);
    // Inner, raised: the reverse, one pixel in.
    EXPECT_EQ(At(11, 11), highlight);
    EXPECT_EQ(At(108, 30), shadow);
    EXPECT_EQ(At(50, 58), shadow);
    EXPECT_EQ(At(50, 30), PixelOf(clWhite));
    EXPECT_EQ(At(9, 9), PixelOf(clBtnFace));
}

TEST_F(PaintTest, WindowedControlsPaintOverGraphicSiblings)
{
    auto* probe = AddControl<TProbe>(form, form, 10, 10, 40, 40);
    auto* panel = AddControl<TPanel>(form, form, 30, 30, 40, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clAqua);
    Show();
    EXPECT_EQ(At(35, 35), PixelOf(clAqua));
    probe->Invalidate();   // repainting the label does not put it above the panel
    RunUntilIdle();
    EXPECT_EQ(At(35, 35), PixelOf(clAqua));
    EXPECT_EQ(At(15, 15), PixelOf(clRed));
}

TEST_F(PaintTest, ARepaintOfOneLabelTakesWellUnder200Microseconds)
{
    auto* label = AddControl<TLabel>(form, form, 10, 10, 60, 16);
    label->SetAutoSize(false);
    Show();
    label->SetCaption("12,345");
    form->PaintPending();   // warm the glyph cache
    std::chrono::nanoseconds best{std::chrono::seconds(1)};
    for (int i = 0; i < 50; ++i) {
        label->SetCaption(i % 2 ? "12,345" : "67,890");
        const auto start = std::chrono::steady_clock::now();
        form->PaintPending();
        best = std::min(best, std::chrono::nanoseconds(std::chrono::steady_clock::now() - start));
    }
    EXPECT_LT(best.count(), 200000) << "best of 50 repaints: " << best.count() << " ns";
}

} // namespace
