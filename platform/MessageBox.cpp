#include "platform/MessageBox.h"

namespace platform {

std::vector<MessageBoxAnswer> ButtonsOf(MessageBoxButtons buttons)
{
    using A = MessageBoxAnswer;
    switch (buttons) {
    case MessageBoxButtons::Ok: return {A::Ok};
    case MessageBoxButtons::OkCancel: return {A::Ok, A::Cancel};
    case MessageBoxButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
    case MessageBoxButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case MessageBoxButtons::YesNo: return {A::Yes, A::No};
    case MessageBoxButtons::RetryCancel: return {A::Retry, A::Cancel};
    }
    return {A::Ok};
}

const char* ButtonCaption(MessageBoxAnswer answer)
{
    switch (answer) {
    case MessageBoxAnswer::Ok: return "OK";
    case MessageBoxAnswer::Cancel: return "Cancel";
    case MessageBoxAnswer::Abort: return "Abort";
    case MessageBoxAnswer::Retry: return "Retry";
    case MessageBoxAnswer::Ignore: return "Ignore";
    case MessageBoxAnswer::Yes: return "Yes";
    case MessageBoxAnswer::No: return "No";
    }
    return "OK";
}

MessageBoxAnswer DefaultAnswer(const MessageBoxRequest& request)
{
    const auto buttons = ButtonsOf(request.buttons);
    const bool inSet = request.defaultButton >= 0 && size_t(request.defaultButton) < buttons.size();
    return buttons[inSet ? size_t(request.defaultButton) : 0];
}

MessageBoxAnswer DismissAnswer(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::Ok: return MessageBoxAnswer::Ok;
    case MessageBoxButtons::YesNo: return MessageBoxAnswer::No;
    case MessageBoxButtons::AbortRetryIgnore: return MessageBoxAnswer::Abort;
    default: return MessageBoxAnswer::Cancel;
    }
}

} // namespace platform
