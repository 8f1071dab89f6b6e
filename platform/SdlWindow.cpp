#include "platform/SdlWindow.h"

#include "platform/SdlDesktop.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>

namespace platform {

SdlWindow::SdlWindow(SdlDesktop* desktop, SDL_Window* window, const WindowOptions& options)
    : desktop_(desktop), window_(window), id_(SDL_GetWindowID(window)), options_(options)
{
    ApplyBorderIcons();
}

SdlWindow::~SdlWindow()
{
    if (desktop_)
        desktop_->Forget(this);
    if (window_)
        SDL_DestroyWindow(window_);
}

void SdlWindow::Detach()
{
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
        SDL_SetWindowSize(window_, std::max(width, 1), std::max(height, 1));
}

void SdlWindow::SetMinimumSize(int width, int height)
{
    if (window_ && options_.resizable)
        SDL_SetWindowMinimumSize(window_, std::max(width, 0), std::max(height, 0));
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
        SDL_SetWindowPosition(window_, left, top);
}

Point SdlWindow::Position() const
{
    Point p;
    if (window_)
        SDL_GetWindowPosition(window_, &p.x, &p.y);
    return p;
}

void SdlWindow::Show()
{
    if (!window_)
        return;
    SDL_ShowWindow(window_);
    // SDL writes its own Motif hints while mapping; ours must come last.
    ApplyBorderIcons();
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
    if (!window_)
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface)
        return;
    const int width = std::min(frame.Width(), surface->w);
    const int height = std::min(frame.Height(), surface->h);
    if (width > 0 && height > 0) {
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
            return;
        // The conversion copes with whatever pixel layout the display chose.
        SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, frame.Data(),
                          frame.Width() * 4, surface->format->format, surface->pixels,
                          surface->pitch);
        if (SDL_MUSTLOCK(surface))
            SDL_UnlockSurface(surface);
    }
    presented_ = true;
    SDL_UpdateWindowSurface(window_);
}

void SdlWindow::Refresh()
{
    // The window surface still holds the last frame; only the screen lost it.
    if (window_ && presented_)
        SDL_UpdateWindowSurface(window_);
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
