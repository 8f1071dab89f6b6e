#include "forms/HandleRegistry.h"

namespace {
HWND nextHandle = 1;
}

std::unordered_map<HWND, TWinControl*>& HandleRegistry::Map()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

HWND HandleRegistry::Register(TWinControl* control)
{
    const HWND handle = nextHandle++;
    Map().emplace(handle, control);
    return handle;
}

HWND HandleRegistry::Reserve()
{
    return nextHandle++;
}

void HandleRegistry::Unregister(HWND handle)
{
    Map().erase(handle);
}

TWinControl* HandleRegistry::Find(HWND handle)
{
    if (handle == 0)
        return nullptr;
    auto it = Map().find(handle);
    return it == Map().end() ? nullptr : it->second;
}
