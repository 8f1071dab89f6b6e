#include "platform/HeadlessWindow.h"

#include "platform/HeadlessDesktop.h"

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

void HeadlessWindow::Present(const Raster& frame)
{
    // A copy, not a reference: the caller goes on drawing into its back buffer.
    lastFrame_ = frame;
    ++presentCount_;
}

} // namespace platform
