#include "platform/HeadlessDesktop.h"

#include <algorithm>

namespace platform {

HeadlessDesktop::HeadlessDesktop(int screenWidth, int screenHeight, int pixelsPerInch)
    : pixelsPerInch_(pixelsPerInch)
{
    SetScreenSize(screenWidth, screenHeight);
}

HeadlessDesktop::~HeadlessDesktop()
{
    for (HeadlessWindow* window : windows_)
        window->Detach();
}

std::unique_ptr<NativeWindow> HeadlessDesktop::CreateWindow(const WindowOptions& options)
{
    auto window = std::make_unique<HeadlessWindow>(this, nextId_++, options);
    windows_.push_back(window.get());
    return window;
}

bool HeadlessDesktop::PollEvent(Event& event)
{
    while (!queue_.empty()) {
        Event next = std::move(queue_.front());
        queue_.pop_front();
        if (IsInputEvent(next.type)) {
            const HeadlessWindow* window = FindWindow(next.window);
            if (window && !window->IsEnabled())
                continue;
            modifiers_ = next.modifiers;
            if (window && next.type != EventType::KeyDown && next.type != EventType::KeyUp &&
                next.type != EventType::Text) {
                Point origin = window->Position();
                mouse_ = {origin.x + next.x, origin.y + next.y};
            }
        }
        event = std::move(next);
        return true;
    }
    return false;
}

void HeadlessDesktop::WaitEvent()
{
    ++waitCount_;
    if (queue_.empty() && onWait)
        onWait();
}

MessageBoxAnswer HeadlessDesktop::ShowMessageBox(NativeWindow* owner, const MessageBoxRequest& request)
{
    MessageRecord record{owner ? owner->Id() : 0, request.caption, request.text, request.icon, request.buttons,
                         DefaultAnswer(request), DefaultAnswer(request)};
    const size_t index = messages_.size();
    messages_.push_back(record);
    // The hooks get their own copy: they may show another box, which grows the list.
    if (onMessageBox)
        onMessageBox(record);
    if (answerMessageBox) {
        const MessageBoxAnswer chosen = answerMessageBox(record);
        // Only a button of the box can be chosen; anything else is a dismissal.
        const auto buttons = ButtonsOf(request.buttons);
        const bool offered = std::find(buttons.begin(), buttons.end(), chosen) != buttons.end();
        record.answer = offered ? chosen : DismissAnswer(request.buttons);
    }
    messages_[index].answer = record.answer;
    return record.answer;
}

Point HeadlessDesktop::MousePosition(const NativeWindow& window) const
{
    Point origin = window.Position();
    return {mouse_.x - origin.x, mouse_.y - origin.y};
}

void HeadlessDesktop::SetScreenSize(int width, int height)
{
    screenWidth_ = width > 0 ? width : 0;
    screenHeight_ = height > 0 ? height : 0;
}

HeadlessWindow* HeadlessDesktop::FindWindow(uint64_t id) const
{
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [id](const HeadlessWindow* w) { return w->Id() == id; });
    return it == windows_.end() ? nullptr : *it;
}

void HeadlessDesktop::BringToFront(const HeadlessWindow* window)
{
    front_ = window ? window->Id() : 0;
}

void HeadlessDesktop::Forget(HeadlessWindow* window)
{
    if (front_ == window->Id())
        front_ = 0;
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

} // namespace platform
