#pragma once
// A headless desktop, an application object and one form, with helpers that show it, post
// input and run the real loop until it goes idle; the form-level tests of the framework and of
// the chart build on it.

#include "forms/MessageQueue.h"
#include "forms/TApplication.h"
#include "forms/TForm.h"
#include "platform/HeadlessDesktop.h"
#include "tests/support/AddControl.h"
#include "tests/support/FreshDesktop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The desktop names the window tests post input and check places with.
namespace vk = platform::vk;
using platform::EventType;
using platform::MouseButton;
using platform::Point;
using platform::Rect;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = InstallFreshDesktop();
        app = std::make_unique<TApplication>(nullptr);
        app->CreateForm(form);
        form->SetBounds(0, 0, 300, 200);
    }

    void TearDown() override
    {
        app.reset();
        MessageQueue::Clear();
    }

    void Show()
    {
        form->ShowForm();
        RunUntilIdle();
    }

    // A control of class T directly on the form.
    template <class T>
    T* Add(int left, int top, int width, int height)
    {
        return AddControl<T>(form, form, left, top, width, height);
    }

    platform::HeadlessWindow& Window() { return *desk->FindWindow(form->NativeWindow().Id()); }

    // Runs loop passes until the loop has waited once (everything posted is handled).
    void RunUntilIdle()
    {
        const int waits = desk->WaitCount();
        for (int guard = 0; desk->WaitCount() == waits && guard < 10000; ++guard) {
            try {
                app->HandleMessage();
            } catch (...) {
                app->HandleException(app.get());
            }
        }
    }

    void Key(uint16_t key, const std::string& text = {}, uint32_t mods = 0)
    {
        platform::Event down;
        down.type = platform::EventType::KeyDown;
        down.window = form->NativeWindow().Id();
        down.key = key;
        down.text = text;
        down.modifiers = mods;
        desk->PostEvent(down);
        platform::Event up = down;
        up.type = platform::EventType::KeyUp;
        up.text.clear();
        desk->PostEvent(up);
        if (autoRun)
            RunUntilIdle();
    }

    void Type(const std::string& chars)
    {
        for (char c : chars) {
            const uint16_t key = (c >= 'a' && c <= 'z') ? uint16_t(c - 32) : uint16_t(c);
            Key(key, std::string(1, c));
        }
    }

    void Mouse(platform::EventType type, int x, int y, platform::MouseButton button = platform::MouseButton::Left,
               int clicks = 1)
    {
        platform::Event e;
        e.type = type;
        e.window = form->NativeWindow().Id();
        e.x = x;
        e.y = y;
        e.button = button;
        e.clicks = clicks;
        desk->PostEvent(e);
    }

    void Click(int x, int y)
    {
        Mouse(platform::EventType::MouseDown, x, y);
        Mouse(platform::EventType::MouseUp, x, y);
        if (autoRun)
            RunUntilIdle();
    }

    using Log = std::vector<std::string>;

    platform::HeadlessDesktop* desk = nullptr;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    Log log;
    bool autoRun = true;   // input helpers run the loop until idle
};
