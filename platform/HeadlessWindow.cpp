#include "platform/HeadlessWindow.h"

#include "platform/HeadlessDesktop.h"

#include <algorithm>

namespace platform {

HeadlessWindow::HeadlessWindow(HeadlessDesktop* desktop, uint64_t id, const WindowOptions& options)
    : desktop_(desktop), id_(id), options_(options), caption_(options.caption),
      clientWidth_(options.clientWidth > 0 ? options.clientWidth : 0),
      clientHeight_(options.clientHeight > 0 ? options.clientHeight : 0)
{
}

HeadlessWindow::~HeadlessWindow()
{
    if (desktop_)
        desktop_->Forget(this);
}

void HeadlessWindow::SetClientSize(int width, int height)
{
    clientWidth_ = width > 0 ? width : 0;
    clientHeight_ = height > 0 ? height : 0;
}

void HeadlessWindow::Show()
{
    // A window that appears comes up in front of the others, as window managers place it.
    if (!visible_ && desktop_)
        desktop_->BringToFront(this);
    visible_ = true;
}

void HeadlessWindow::SetMinimumSize(int width, int height)
{
    minimumWidth_ = std::max(width, 0);
    minimumHeight_ = std::max(height, 0);
}

void HeadlessWindow::Raise()
{
    ++raiseCount_;
    if (desktop_)
        desktop_->BringToFront(this);
}

bool HeadlessWindow::ResizeByUser(int width, int height)
{
    if (!options_.resizable)
        return false;
    SetClientSize(std::max(width, minimumWidth_), std::max(height, minimumHeight_));
    if (desktop_) {
        Event resized;
        resized.type = EventType::Resize;
        resized.window = id_;
        resized.x = clientWidth_;
        resized.y = clientHeight_;
        desktop_->PostEvent(resized);
    }
    return true;
}

void HeadlessWindow::Present(const Raster& frame)
{
    // A copy, not a reference: the caller goes on drawing into its back buffer.
    lastFrame_ = frame;
    ++presentCount_;
}

void HeadlessWindow::PresentChanged(const Raster& frame, std::span<const Rect> changed)
{
    // The kept frame already holds every pixel outside the changed parts; a frame of another
    // size is a new frame altogether.
    if (lastFrame_.Width() != frame.Width() || lastFrame_.Height() != frame.Height())
        return Present(frame);
    for (const Rect& part : changed) {
        const Rect r = part.Intersect(frame.Bounds());
        for (int y = r.top; y < r.bottom; ++y)
            std::copy(frame.Row(y) + r.left, frame.Row(y) + r.right, lastFrame_.Row(y) + r.left);
    }
    ++presentCount_;
}

} // namespace platform
