#pragma once
// A native top-level window of the SDL desktop: fixed size unless asked otherwise, shown
// by presenting rasters into its window surface.

#include "platform/Desktop.h"

struct SDL_Window;

namespace platform {

class SdlDesktop;

class SdlWindow : public NativeWindow {
public:
    // Takes ownership of the SDL window.
    SdlWindow(SdlDesktop* desktop, SDL_Window* window, const WindowOptions& options);
    ~SdlWindow() override;

    uint64_t Id() const override { return id_; }
    void SetCaption(const std::string& utf8) override;
    void SetIcon(const Raster& icon) override;
    void SetClientSize(int width, int height) override;
    void MoveTo(int left, int top) override;
    Point Position() const override;
    void Show() override;
    void Hide() override;
    bool IsVisible() const override;
    void Present(const Raster& frame) override;
    void SetCursor(Cursor cursor) override;
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetMinimumSize(int width, int height) override;
    void Raise() override;
    void SetState(WindowState state) override;
    WindowState State() const override;

    bool IsEnabled() const { return enabled_; }
    Cursor CurrentCursor() const { return cursor_; }
    SDL_Window* Handle() const { return window_; }
    // The X11 window id, 0 when the window does not live on an X display.
    uint64_t X11WindowId() const;
    // The descriptor of the X connection the window lives on, -1 when it lives elsewhere.
    int X11Connection() const;

    // Shows the surface contents again after the display lost them.
    void Refresh();
    // Called by a desktop that shuts SDL down first: the SDL window goes, the object stays
    // harmless.
    void Detach();

private:
    void ApplyBorderIcons();

    SdlDesktop* desktop_;
    SDL_Window* window_;
    uint64_t id_;
    WindowOptions options_;
    bool enabled_ = true;
    bool presented_ = false;
    Cursor cursor_ = Cursor::Arrow;
};

} // namespace platform
