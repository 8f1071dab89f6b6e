#pragma once
// The plain notification event: a handler that only learns who sent it.

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;
