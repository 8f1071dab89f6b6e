#pragma once
// The desktop that is there when no other has been installed: a program before it installs
// its own, a tool or a test that never shows a window. It has no screen and no input: creating
// a window raises, nothing ever arrives, boxes and URLs reach nobody, the clipboard stays
// empty and the density of the screen is unknown (0). So the framework never has to ask
// whether there is a desktop.

#include "platform/Desktop.h"

namespace platform {

class NullDesktop : public Desktop {
public:
    // Raises EInvalidOperation "No desktop has been installed".
    std::unique_ptr<NativeWindow> CreateWindow(const WindowOptions& options) override;
    bool PollEvent(Event&) override { return false; }
    void WaitEvent() override {}
    using Desktop::ShowMessageBox;
    MessageBoxAnswer ShowMessageBox(NativeWindow*, const MessageBoxRequest& request) override
    {
        return DismissAnswer(request.buttons);
    }
    void OpenUrl(const std::string&) override {}
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
    int ScreenWidth() const override { return 0; }
    int ScreenHeight() const override { return 0; }
    int PixelsPerInch() const override { return 0; }
    uint32_t ModifierState() const override { return 0; }
    // Outside every window.
    Point MousePosition(const NativeWindow&) const override { return {-1, -1}; }
};

} // namespace platform
