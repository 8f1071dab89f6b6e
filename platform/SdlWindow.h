#pragma once
// A native top-level window of the SDL desktop: fixed size unless asked otherwise, shown
// by presenting rasters through an SDL renderer: each frame goes into a streaming texture that
// is copied pixel for pixel to the window. The renderer is the one the desktop chooses (see
// SdlDesktop::CreateWindow); the pixels are the frame's on every one of them.
//
// Sizes and positions here are in real pixels, as the framework draws. On a scaled Wayland
// desktop SDL counts the window in the desktop's logical units; the window converts.

#include "platform/Desktop.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct wl_display;

namespace platform {

class SdlDesktop;

class SdlWindow : public NativeWindow {
public:
    // Takes ownership of the SDL window and gives it a renderer: the accelerated one, or the
    // software one that draws into the window's own framebuffer. Raises EDisplayError when the
    // window cannot get one: it could never show anything.
    SdlWindow(SdlDesktop* desktop, SDL_Window* window, const WindowOptions& options, bool accelerated);
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
    void PresentChanged(const Raster& frame, std::span<const Rect> changed) override;
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
    // The Wayland connection the window lives on, null when it lives elsewhere.
    wl_display* WaylandConnection() const;

    // Shows the last frame again after the display lost it.
    void Refresh();
    // Called by a desktop that shuts SDL down first: the SDL window goes, the object stays
    // harmless.
    void Detach();

private:
    void ApplyBorderIcons();
    void FixWaylandSize();
    // The streaming texture, at the frame's size; false when it cannot be had.
    bool TextureFor(const Raster& frame);
    void CopyToTexture(const Raster& frame, const Rect& part);
    void ShowTexture();

    SdlDesktop* desktop_;
    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    uint64_t id_;
    WindowOptions options_;
    bool enabled_ = true;
    bool presented_ = false;
    Cursor cursor_ = Cursor::Arrow;
};

} // namespace platform
