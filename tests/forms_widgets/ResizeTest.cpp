// A resizable window through the real loop: the user drags the frame of the headless window,
// the size arrives as a message, the form takes it within its limits, the children follow,
// OnResize runs once, and the next frame has the new size with everything painted in place.

#include "tests/support/WindowFixture.h"

#include "forms/ClassicPalette.h"
#include "forms/TButton.h"
#include "forms/TCustomPanel.h"
#include "forms/TLabel.h"
#include "forms/TSizeConstraints.h"

namespace {

class ResizeTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        panel = Add<TPanel>(10, 10, 280, 140);
        panel->SetAnchors({akLeft, akTop, akRight, akBottom});
        button = Add<TButton>(215, 165, 75, 25);
        button->SetAnchors({akRight, akBottom});
        label = Add<TLabel>(10, 170, 60, 13);
        form->Constraints()->SetMinWidth(200);
        form->Constraints()->SetMinHeight(150);
        form->SetOnResize([this](TObject*) {
            log.push_back("resize " + std::to_string(form->Width()) + "x" + std::to_string(form->Height()) + " panel " +
                          std::to_string(panel->Width()) + "x" + std::to_string(panel->Height()));
        });
        Show();
    }

    platform::Pixel At(int x, int y) { return Window().LastFrame().At(x, y) | 0xFF000000u; }

    TPanel* panel = nullptr;
    TButton* button = nullptr;
    TLabel* label = nullptr;
};

} // namespace

TEST_F(ResizeTest, DraggingTheFrameResizesTheFormTheChildrenAndTheNextFrame)
{
    ASSERT_TRUE(Window().Options().resizable);
    ASSERT_TRUE(Window().ResizeByUser(400, 260));
    RunUntilIdle();
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(form->Height(), 260);
    EXPECT_EQ(panel->BoundsRect(), (platform::Rect{10, 10, 390, 210}));
    EXPECT_EQ(button->BoundsRect(), (platform::Rect{315, 225, 390, 250}));
    EXPECT_EQ(label->BoundsRect(), (platform::Rect{10, 170, 70, 183}));
    // One OnResize, after the children had moved.
    EXPECT_EQ(log, (std::vector<std::string>{"resize 400x260 panel 380x200"}));

    const platform::Raster& frame = Window().LastFrame();
    ASSERT_EQ(frame.Width(), 400);
    ASSERT_EQ(frame.Height(), 260);
    const ClassicPalette palette = ClassicPalette::System();
    // The button (focused, so framed in black) at its new place: the frame, then the light
    // top-left and the dark bottom-right corners of its bevel.
    EXPECT_EQ(At(315, 225), palette.frame | 0xFF000000u);
    EXPECT_EQ(At(316, 226), palette.highlight | 0xFF000000u);
    EXPECT_EQ(At(388, 248), palette.darkShadow | 0xFF000000u);
    // The panel's raised bevel along its new right edge, and the form's face beyond it.
    EXPECT_EQ(At(389, 100), palette.shadow | 0xFF000000u);
    EXPECT_EQ(At(395, 100), palette.face | 0xFF000000u);

    // Back to the first size: every child returns to its pixel.
    ASSERT_TRUE(Window().ResizeByUser(300, 200));
    RunUntilIdle();
    EXPECT_EQ(panel->BoundsRect(), (platform::Rect{10, 10, 290, 150}));
    EXPECT_EQ(button->BoundsRect(), (platform::Rect{215, 165, 290, 190}));
}

TEST_F(ResizeTest, TheMinimumSizeHoldsForTheUserAndForCode)
{
    EXPECT_EQ(Window().MinimumWidth(), 200);
    EXPECT_EQ(Window().MinimumHeight(), 150);
    ASSERT_TRUE(Window().ResizeByUser(50, 40));
    RunUntilIdle();
    EXPECT_EQ(Window().ClientWidth(), 200);
    EXPECT_EQ(form->Width(), 200);
    EXPECT_EQ(form->Height(), 150);

    form->SetBounds(form->Left(), form->Top(), 10, 10);
    EXPECT_EQ(form->Width(), 200);
    EXPECT_EQ(form->Height(), 150);

    // Raising the limit grows the window at once and tells the desktop the new limit.
    form->Constraints()->SetMinWidth(260);
    EXPECT_EQ(form->Width(), 260);
    EXPECT_EQ(Window().ClientWidth(), 260);
    EXPECT_EQ(Window().MinimumWidth(), 260);
    RunUntilIdle();
    EXPECT_EQ(Window().LastFrame().Width(), 260);
}

TEST_F(ResizeTest, ASizeTheDesktopCannotKnowIsCorrectedOnTheWindow)
{
    // A size event below the limits (a desktop that ignored the minimum): the form keeps its
    // limit and puts the window back to it.
    platform::Event resized;
    resized.type = platform::EventType::Resize;
    resized.window = Window().Id();
    resized.x = 120;
    resized.y = 90;
    desk->PostEvent(resized);
    RunUntilIdle();
    EXPECT_EQ(form->Width(), 200);
    EXPECT_EQ(form->Height(), 150);
    EXPECT_EQ(Window().ClientWidth(), 200);
    EXPECT_EQ(Window().ClientHeight(), 150);
}

TEST_F(ResizeTest, AFixedWindowCannotBeResizedAndIgnoresSizeEvents)
{
    auto* fixed = new TForm(app.get());
    fixed->SetBorderStyle(bsSingle);
    fixed->SetBounds(0, 0, 240, 180);
    fixed->ShowForm();
    RunUntilIdle();
    auto* window = desk->FindWindow(fixed->NativeWindow().Id());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->Options().resizable);
    EXPECT_FALSE(window->ResizeByUser(400, 300));
    platform::Event resized;
    resized.type = platform::EventType::Resize;
    resized.window = window->Id();
    resized.x = 400;
    resized.y = 300;
    desk->PostEvent(resized);
    RunUntilIdle();
    EXPECT_EQ(fixed->Width(), 240);
    EXPECT_EQ(fixed->Height(), 180);
    EXPECT_EQ(window->ClientWidth(), 240);
}

TEST_F(ResizeTest, DockedChildrenShareTheWindowAndMakeRoomWhenOneIsHidden)
{
    auto* top = Add<TPanel>(0, 0, 50, 30);
    top->SetAlign(alTop);
    auto* client = Add<TPanel>(0, 0, 10, 10);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), (platform::Rect{0, 0, 300, 30}));
    EXPECT_EQ(client->BoundsRect(), (platform::Rect{0, 30, 300, 200}));
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), (platform::Rect{0, 0, 300, 200}));
    top->SetVisible(true);
    top->SetHeight(50);   // code changes a docked child: its siblings make room
    EXPECT_EQ(top->BoundsRect(), (platform::Rect{0, 0, 300, 50}));
    EXPECT_EQ(client->BoundsRect(), (platform::Rect{0, 50, 300, 200}));
    ASSERT_TRUE(Window().ResizeByUser(350, 250));
    RunUntilIdle();
    EXPECT_EQ(client->BoundsRect(), (platform::Rect{0, 50, 350, 250}));
}
