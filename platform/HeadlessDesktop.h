#pragma once
// The desktop for tests: no display, no SDL. Tests fill its event queue, set the screen
// metrics, the modifier state and the mouse position, and read back what the program did:
// windows (with their last presented frame), message boxes, URL requests and the clipboard.
//
// Waiting. A headless desktop cannot block: nobody else can produce input. WaitEvent()
// therefore counts the call and, when the queue is empty, calls the onWait hook (which may
// post more input) and returns, even if the queue is still empty. An event loop built on the
// Desktop interface must treat "woken with nothing waiting" as one more idle pass, never as
// an error, and a test that drives such a loop must give onWait a way to end it (post a
// Close to the main window, or the input that leads to it); otherwise the loop idles forever.

#include "platform/Desktop.h"
#include "platform/HeadlessWindow.h"

#include <deque>
#include <functional>

namespace platform {

class HeadlessDesktop : public Desktop {
public:
    struct MessageRecord {
        uint64_t owner = 0;   // id of the owner window, 0 when there was none
        std::string caption;
        std::string text;
        MessageBoxIcon icon = MessageBoxIcon::None;
        MessageBoxButtons buttons = MessageBoxButtons::Ok;
        MessageBoxAnswer defaultAnswer = MessageBoxAnswer::Ok;
        MessageBoxAnswer answer = MessageBoxAnswer::Ok;   // what the box returned
    };

    HeadlessDesktop() = default;
    HeadlessDesktop(int screenWidth, int screenHeight, int pixelsPerInch = 96);
    ~HeadlessDesktop() override;

    // Desktop
    std::unique_ptr<NativeWindow> CreateWindow(const WindowOptions& options) override;
    bool PollEvent(Event& event) override;
    void WaitEvent() override;
    using Desktop::ShowMessageBox;
    MessageBoxAnswer ShowMessageBox(NativeWindow* owner, const MessageBoxRequest& request) override;
    void OpenUrl(const std::string& url) override { urls_.push_back(url); }
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
    int ScreenWidth() const override { return screenWidth_; }
    int ScreenHeight() const override { return screenHeight_; }
    int PixelsPerInch() const override { return pixelsPerInch_; }
    uint32_t ModifierState() const override { return modifiers_; }
    Point MousePosition(const NativeWindow& window) const override;

    // Input. Events come out of PollEvent in the order they were posted. Taking an input
    // event also makes its modifiers (and, for a mouse event, its position) the current
    // state, as on a real desktop. Input for a disabled window is dropped on the way out.
    void PostEvent(const Event& event) { queue_.push_back(event); }
    size_t PendingEvents() const { return queue_.size(); }
    std::function<void()> onWait;
    int WaitCount() const { return waitCount_; }

    // Called with each message box as it opens, before it is answered.
    std::function<void(const MessageRecord&)> onMessageBox;
    // Chooses the answer of each box; without it a box answers its default button, as Enter.
    std::function<MessageBoxAnswer(const MessageRecord&)> answerMessageBox;

    // Settings.
    void SetScreenSize(int width, int height);
    void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
    void SetModifierState(uint32_t modifiers) { modifiers_ = modifiers; }
    void SetMousePosition(Point screen) { mouse_ = screen; }

    // Recordings.
    const std::vector<MessageRecord>& Messages() const { return messages_; }
    const std::vector<std::string>& Urls() const { return urls_; }
    const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
    HeadlessWindow* LastWindow() const { return windows_.empty() ? nullptr : windows_.back(); }
    HeadlessWindow* FindWindow(uint64_t id) const;
    // The window shown or raised last (0 when none): the one a user would see on top.
    uint64_t FrontWindow() const { return front_; }
    void BringToFront(const HeadlessWindow* window);

    // A window being destroyed leaves the list.
    void Forget(HeadlessWindow* window);

private:
    int screenWidth_ = 1024;
    int screenHeight_ = 768;
    int pixelsPerInch_ = 96;
    uint32_t modifiers_ = 0;
    Point mouse_;
    uint64_t nextId_ = 1;
    uint64_t front_ = 0;
    std::deque<Event> queue_;
    int waitCount_ = 0;
    std::vector<HeadlessWindow*> windows_;
    std::vector<MessageRecord> messages_;
    std::vector<std::string> urls_;
    std::string clipboard_;
};

} // namespace platform
