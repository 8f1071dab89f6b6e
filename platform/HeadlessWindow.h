#pragma once
// A native window that exists only in memory: it records what the framework asks of it
// (caption, icon, size, position, visibility, cursor, enabled state) and keeps a copy of the
// last frame presented, so tests can look at exactly what a user would have seen.

#include "platform/Desktop.h"

namespace platform {

class HeadlessDesktop;

class HeadlessWindow : public NativeWindow {
public:
    HeadlessWindow(HeadlessDesktop* desktop, uint64_t id, const WindowOptions& options);
    ~HeadlessWindow() override;

    uint64_t Id() const override { return id_; }
    void SetCaption(const std::string& utf8) override { caption_ = utf8; }
    void SetIcon(const Raster& icon) override { icon_ = icon; }
    void SetClientSize(int width, int height) override;
    void MoveTo(int left, int top) override { position_ = {left, top}; }
    Point Position() const override { return position_; }
    void Show() override;
    void Hide() override { visible_ = false; }
    bool IsVisible() const override { return visible_; }
    void Present(const Raster& frame) override;
    void PresentChanged(const Raster& frame, std::span<const Rect> changed) override;
    void SetCursor(Cursor cursor) override { cursor_ = cursor; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetMinimumSize(int width, int height) override;
    void Raise() override;
    void SetState(WindowState state) override { state_ = state; }
    WindowState State() const override { return state_; }

    const WindowOptions& Options() const { return options_; }
    const std::string& Caption() const { return caption_; }
    const Raster& Icon() const { return icon_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    Cursor CurrentCursor() const { return cursor_; }
    bool IsEnabled() const { return enabled_; }
    const Raster& LastFrame() const { return lastFrame_; }
    int PresentCount() const { return presentCount_; }
    int MinimumWidth() const { return minimumWidth_; }
    int MinimumHeight() const { return minimumHeight_; }
    int RaiseCount() const { return raiseCount_; }

    // What a user dragging the window's frame does: a resizable window takes the size (no
    // smaller than its minimum) and a Resize event with the size it took is queued, as a
    // window manager reports it. A fixed-size window cannot be resized: false, nothing queued.
    bool ResizeByUser(int width, int height);

    // Called by a desktop that goes away first: the window stays usable as a record.
    void Detach() { desktop_ = nullptr; }

private:
    HeadlessDesktop* desktop_;
    uint64_t id_;
    WindowOptions options_;
    std::string caption_;
    Raster icon_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    Point position_;
    bool visible_ = false;
    Cursor cursor_ = Cursor::Arrow;
    bool enabled_ = true;
    WindowState state_ = WindowState::Normal;
    Raster lastFrame_;
    int presentCount_ = 0;
    int minimumWidth_ = 0;
    int minimumHeight_ = 0;
    int raiseCount_ = 0;
};

} // namespace platform
