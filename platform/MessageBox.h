#pragma once
// What a message box shows and what it answers: the text, the caption, an icon, one of the
// classic button sets, which button Enter presses, and the button the user chose. Answers are
// numbered as on the classic desktop (OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5, Yes 6, No 7),
// so that they pass through the framework unchanged.

#include <string>
#include <vector>

namespace platform {

enum class MessageBoxIcon { None, Error, Warning, Information, Question };

enum class MessageBoxButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class MessageBoxAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    std::string caption;   // UTF-8
    std::string text;      // UTF-8
    MessageBoxIcon icon = MessageBoxIcon::None;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    int defaultButton = 0; // index into the set; an index outside it means the first
};

// The buttons of a set, left to right.
std::vector<MessageBoxAnswer> ButtonsOf(MessageBoxButtons buttons);
// The caption of a button ("OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No").
const char* ButtonCaption(MessageBoxAnswer answer);
// The button Enter presses: the default one, or the first when the index is out of the set.
MessageBoxAnswer DefaultAnswer(const MessageBoxRequest& request);
// What a box answers when it is dismissed without a button (Escape, the close box): Cancel where
// there is one, OK for a lone OK, No for Yes/No, Abort for Abort/Retry/Ignore.
MessageBoxAnswer DismissAnswer(MessageBoxButtons buttons);

} // namespace platform
