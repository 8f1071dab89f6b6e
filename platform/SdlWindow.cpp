#include "platform/SdlWindow.h"

#include "platform/SdlDesktop.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <xdg-shell-client-protocol.h>

#include <algorithm>
#include <string>

namespace platform {

SdlWindow::SdlWindow(SdlDesktop* desktop, SDL_Window* window, const WindowOptions& options, bool accelerated)
    : desktop_(desktop), window_(window), id_(SDL_GetWindowID(window)), options_(options)
{
    renderer_ = SDL_CreateRenderer(window, -1, accelerated ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        const std::string reason = SDL_GetError();
        SDL_DestroyWindow(window_);
        throw EDisplayError("cannot show a window: " + reason);
    }
    ApplyBorderIcons();
}

SdlWindow::~SdlWindow()
{
    if (desktop_)
        desktop_->Forget(this);
    Detach();
}

void SdlWindow::Detach()
{
    // The renderer and its texture belong to the window: they go first.
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    texture_ = nullptr;
    if (window_)
        SDL_DestroyWindow(window_);
    window_ = nullptr;
    desktop_ = nullptr;
}

void SdlWindow::SetCaption(const std::string& utf8)
{
    if (window_)
        SDL_SetWindowTitle(window_, utf8.c_str());
}

void SdlWindow::SetIcon(const Raster& icon)
{
    if (!window_ || icon.IsEmpty())
        return;
    // SDL copies the pixels, so the surface may borrow the raster's memory for the call.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<Pixel*>(icon.Data()), icon.Width(), icon.Height(), 32, icon.Width() * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlWindow::SetClientSize(int width, int height)
{
    if (window_)
        SDL_SetWindowSize(window_, desktop_->ToPoints(std::max(width, 1)), desktop_->ToPoints(std::max(height, 1)));
}

void SdlWindow::SetMinimumSize(int width, int height)
{
    if (window_ && options_.resizable)
        SDL_SetWindowMinimumSize(window_, desktop_->ToPoints(std::max(width, 0)),
                                 desktop_->ToPoints(std::max(height, 0)));
}

void SdlWindow::Raise()
{
    if (window_)
        SDL_RaiseWindow(window_);
}

void SdlWindow::MoveTo(int left, int top)
{
    // SDL positions the client area, which is what the framework computes.
    if (window_)
        SDL_SetWindowPosition(window_, desktop_->ToPoints(left), desktop_->ToPoints(top));
}

Point SdlWindow::Position() const
{
    Point p;
    if (window_) {
        SDL_GetWindowPosition(window_, &p.x, &p.y);
        p = {desktop_->ToPixels(p.x), desktop_->ToPixels(p.y)};
    }
    return p;
}

void SdlWindow::Show()
{
    if (!window_)
        return;
    SDL_ShowWindow(window_);
    // SDL writes its own Motif hints while mapping; ours must come last.
    ApplyBorderIcons();
    FixWaylandSize();
}

void SdlWindow::FixWaylandSize()
{
    // SDL 2.26 tells a Wayland compositor nothing about a fixed size: a tiling compositor then
    // stretches the window over its tile, and SDL takes that size. Minimum = maximum says it
    // (the compositor floats such a window at its own size). The requests take effect with the
    // window's first frame, which maps it.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (options_.resizable || !window_ || !SDL_GetWindowWMInfo(window_, &info) ||
        info.subsystem != SDL_SYSWM_WAYLAND || !info.info.wl.xdg_toplevel)
        return;
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    xdg_toplevel_set_min_size(info.info.wl.xdg_toplevel, width, height);
    xdg_toplevel_set_max_size(info.info.wl.xdg_toplevel, width, height);
}

void SdlWindow::SetState(WindowState state)
{
    if (!window_)
        return;
    switch (state) {
    case WindowState::Minimized: SDL_MinimizeWindow(window_); break;
    case WindowState::Maximized: SDL_MaximizeWindow(window_); break;
    case WindowState::Normal: SDL_RestoreWindow(window_); break;
    }
}

WindowState SdlWindow::State() const
{
    const Uint32 flags = window_ ? SDL_GetWindowFlags(window_) : 0;
    if (flags & SDL_WINDOW_MINIMIZED)
        return WindowState::Minimized;
    if (flags & SDL_WINDOW_MAXIMIZED)
        return WindowState::Maximized;
    return WindowState::Normal;
}

void SdlWindow::Hide()
{
    if (window_)
        SDL_HideWindow(window_);
}

bool SdlWindow::IsVisible() const
{
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0;
}

void SdlWindow::Present(const Raster& frame)
{
    if (!TextureFor(frame))
        return;
    CopyToTexture(frame, frame.Bounds());
    ShowTexture();
}

void SdlWindow::PresentChanged(const Raster& frame, std::span<const Rect> changed)
{
    // A texture of another size holds nothing of this frame: the whole frame goes in.
    if (!texture_ || textureWidth_ != frame.Width() || textureHeight_ != frame.Height()) {
        Present(frame);
        return;
    }
    for (const Rect& part : changed)
        CopyToTexture(frame, part.Intersect(frame.Bounds()));
    ShowTexture();
}

bool SdlWindow::TextureFor(const Raster& frame)
{
    if (!renderer_ || frame.IsEmpty())
        return false;
    if (texture_ && textureWidth_ == frame.Width() && textureHeight_ == frame.Height())
        return true;
    if (texture_)
        SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 frame.Width(), frame.Height());
    if (!texture_)
        return false;
    // Copied as it is: no blending with what was there, no filtering.
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    textureWidth_ = frame.Width();
    textureHeight_ = frame.Height();
    return true;
}

void SdlWindow::CopyToTexture(const Raster& frame, const Rect& part)
{
    if (part.IsEmpty())
        return;
    const SDL_Rect area{part.left, part.top, part.Width(), part.Height()};
    SDL_UpdateTexture(texture_, &area, frame.Row(part.top) + part.left, frame.Width() * int(sizeof(Pixel)));
}

void SdlWindow::ShowTexture()
{
    // The frame's pixels land one to one on the window's, from the top-left corner. Where the
    // window has more pixels than the frame (a scale SDL rounded differently), the rest is
    // cleared rather than left with whatever the buffer held.
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    if (outputWidth != textureWidth_ || outputHeight != textureHeight_) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    const SDL_Rect whole{0, 0, textureWidth_, textureHeight_};
    SDL_RenderCopy(renderer_, texture_, nullptr, &whole);
    SDL_RenderPresent(renderer_);
    presented_ = true;
}

void SdlWindow::Refresh()
{
    // The texture still holds the last frame; only the screen lost it.
    if (window_ && presented_ && texture_)
        ShowTexture();
}

void SdlWindow::SetCursor(Cursor cursor)
{
    cursor_ = cursor;
    if (desktop_ && window_ && SDL_GetMouseFocus() == window_)
        desktop_->ApplyCursor(cursor);
}

uint64_t SdlWindow::X11WindowId() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return uint64_t(info.info.x11.window);
}

wl_display* SdlWindow::WaylandConnection() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_WAYLAND)
        return nullptr;
    return info.info.wl.display;
}

int SdlWindow::X11Connection() const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11)
        return -1;
    return ConnectionNumber(info.info.x11.display);
}

void SdlWindow::ApplyBorderIcons()
{
    const WindowOptions& options = options_;
    // SDL has no notion of minimise and maximise boxes. On X11 the window manager reads
    // them from the Motif hints: allowed functions and the decorations to draw. Other
    // desktops keep their default buttons, which the fixed size still limits.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window_ || !SDL_GetWindowWMInfo(window_, &info) || info.subsystem != SDL_SYSWM_X11)
        return;

    enum : unsigned long {
        HintFunctions = 1, HintDecorations = 2,
        FuncResize = 2, FuncMove = 4, FuncMinimize = 8, FuncMaximize = 16, FuncClose = 32,
        DecorBorder = 2, DecorResize = 4, DecorTitle = 8, DecorMenu = 16, DecorMinimize = 32,
        DecorMaximize = 64,
    };
    struct {
        unsigned long flags, functions, decorations;
        long inputMode;
        unsigned long status;
    } hints{HintFunctions | HintDecorations, FuncMove | FuncClose,
            DecorBorder | DecorTitle | DecorMenu, 0, 0};
    if (options.resizable) {
        hints.functions |= FuncResize;
        hints.decorations |= DecorResize;
    }
    if (options.minimizeBox) {
        hints.functions |= FuncMinimize;
        hints.decorations |= DecorMinimize;
    }
    if (options.maximizeBox) {
        hints.functions |= FuncMaximize;
        hints.decorations |= DecorMaximize;
    }

    Display* display = info.info.x11.display;
    Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&hints), 5);
    XFlush(display);
}

} // namespace platform
