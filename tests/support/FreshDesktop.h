#pragma once
// The start of a framework test on the headless desktop: an empty message queue and a new
// desktop of the given size and density, installed as the desktop.

#include "forms/MessageQueue.h"
#include "platform/HeadlessDesktop.h"

#include <memory>

inline platform::HeadlessDesktop* InstallFreshDesktop(int width = 1024, int height = 768, int dpi = 96)
{
    MessageQueue::Clear();
    auto desktop = std::make_unique<platform::HeadlessDesktop>(width, height, dpi);
    platform::HeadlessDesktop* installed = desktop.get();
    platform::InstallDesktop(std::move(desktop));
    return installed;
}
