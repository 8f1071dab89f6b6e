// A small window with every control kind, built in code and shown with the SDL desktop on a
// real X display (run under xvfb-run): the back buffer reaches the screen, the screenshot is
// kept in the build tree (controls.png) for a look by eye, and an idle loop costs no processor
// time. Needs DISPLAY and ImageMagick's import.

#include "forms/MessageQueue.h"
#include "forms/TApplication.h"
#include "forms/TBitmap.h"
#include "forms/TButton.h"
#include "forms/TCustomPanel.h"
#include "forms/TEdit.h"
#include "forms/TForm.h"
#include "forms/TGroupBox.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "forms/TRadioButton.h"
#include "platform/PngFile.h"
#include "platform/SdlDesktop.h"
#include "tests/forms_gui/SdlDisplay.h"
#include "tests/support/AddControl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs loop passes for a while; a helper thread keeps waking the blocking wait.
void RunFor(TApplication& app, std::chrono::milliseconds duration)
{
    const SdlWaker waker(100ms);
    const auto end = Clock::now() + duration;
    while (Clock::now() < end)
        app.HandleMessage();
}

TEST(ControlsOnDisplay, EveryControlKindReachesTheScreenAndTheIdleLoopSleeps)
{
    ASSERT_TRUE(InstallSdlDesktopOnDisplay());
    TApplication app(nullptr);
    TForm* form = nullptr;
    app.CreateForm(form);
    form->SetCaption("Controls / Элементы");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(100, 100, 420, 260);

    auto* title = AddControl<TLabel>(form, form, 10, 8, 0, 0);
    title->SetCaption("Labels, edits, buttons / Кнопки");
    title->Font()->SetStyle({fsBold});
    auto* banner = AddControl<TLabel>(form, form, 10, 30, 190, 20);
    banner->SetAutoSize(false);
    banner->SetAlignment(taCenter);
    banner->SetColor(clRed);
    banner->Font()->SetColor(clYellow);
    banner->SetCaption("Banner");
    auto* link = AddControl<TLabel>(form, form, 10, 56, 0, 0);
    link->SetCaption("www.example.org");
    link->Font()->SetStyle({fsUnderline});
    link->Font()->SetColor(clBlue);
    auto* edit = AddControl<TEdit>(form, form, 10, 80, 80, 21);
    edit->SetText("100");
    auto* disabledEdit = AddControl<TEdit>(form, form, 100, 80, 80, 21);
    disabledEdit->SetText("0,7");
    disabledEdit->SetEnabled(false);
    auto* go = AddControl<TButton>(form, form, 10, 110, 80, 30);
    go->SetCaption("Go");
    go->SetDefault(true);
    auto* exitButton = AddControl<TButton>(form, form, 100, 110, 80, 30);
    exitButton->SetCaption("Exit");
    exitButton->SetEnabled(false);
    auto* group = AddControl<TGroupBox>(form, form, 210, 8, 200, 100);
    group->SetCaption("Тип фильтра");
    auto* r1 = AddControl<TRadioButton>(form, group, 10, 20, 150, 17);
    r1->SetCaption("Бессель");
    r1->SetChecked(true);
    AddControl<TRadioButton>(form, group, 10, 44, 150, 17)->SetCaption("Баттерворт");
    auto* r3 = AddControl<TRadioButton>(form, group, 10, 68, 150, 17);
    r3->SetCaption("Disabled");
    r3->SetEnabled(false);
    auto* panel = AddControl<TPanel>(form, form, 210, 120, 200, 60);
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvLowered);
    panel->SetColor(clWhite);
    panel->SetCaption("Panel");
    auto* image = AddControl<TImage>(form, form, 10, 150, 10, 10);
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetSize(60, 40);
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->Canvas()->FillRect({0, 0, 60, 40});
    bitmap->Canvas()->Pen()->SetColor(clBlack);
    bitmap->Canvas()->Rectangle(0, 0, 60, 40);
    bitmap->Canvas()->MoveTo(5, 35);
    bitmap->Canvas()->LineTo(55, 5);
    image->SetAutoSize(true);

    form->ShowForm();
    RunFor(app, 1500ms);
    EXPECT_EQ(image->Width(), 60);

    const std::string path = std::string(F2_BINARY_DIR) + "/tests/forms_gui/controls.png";
    ASSERT_EQ(std::system(("import -window root " + path + " 2>/dev/null").c_str()), 0);
    const platform::Raster shot = platform::ReadPng(path);
    const platform::Point at = form->NativeWindow().Position();
    ASSERT_GT(shot.Width(), at.x + 420);
    auto same = [&](int x, int y) {
        return (shot.At(at.x + x, at.y + y) & 0xFFFFFFu) == (form->BackBuffer().At(x, y) & 0xFFFFFFu);
    };
    int matching = 0, total = 0;
    for (int y = 0; y < 260; y += 7)
        for (int x = 0; x < 420; x += 7, ++total)
            matching += same(x, y);
    EXPECT_EQ(matching, total) << "the screen differs from the back buffer";
    EXPECT_EQ(shot.At(at.x + 15, at.y + 35) & 0xFFFFFFu, ColorToPixel(clRed) & 0xFFFFFFu);
    EXPECT_EQ(shot.At(at.x + 300, at.y + 150) & 0xFFFFFFu, 0xFFFFFFu);   // the panel's face

    // Idle: one second of waiting costs (almost) no processor time.
    const double before = CpuSeconds();
    RunFor(app, 1000ms);
    const double used = CpuSeconds() - before;
    EXPECT_LT(used, 0.1) << "an idle second cost " << used << " s of CPU";
    std::printf("screenshot: %s, idle CPU %.3f s per second\n", path.c_str(), used);
}

} // namespace
