#include "platform/NullDesktop.h"

#include "rtl/Exception.h"

namespace platform {

std::unique_ptr<NativeWindow> NullDesktop::CreateWindow(const WindowOptions&)
{
    throw EInvalidOperation("No desktop has been installed");
}

} // namespace platform
