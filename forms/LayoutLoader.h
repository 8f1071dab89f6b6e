#pragma once
// Finds and reads the layouts of a window class. A window class may have a layout of its own
// and inherit its ancestors' layouts: the loader walks the class ancestry from the class just
// below the framework's generic window class down to the instance's own class, and reads every
// layout it finds (resource type "RCDATA", named after the class, case-insensitive) into the
// same instance, in one loading pass: Loaded runs once, after the last layout.

#include "forms/ClassInfo.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

class TComponent;

class LayoutLoader {
public:
    using Finder = std::function<std::optional<std::span<const uint8_t>>(std::string_view type,
                                                                          std::string_view name)>;

    // genericClass is the framework's generic window class, whose own layout (if any) is not
    // read. Raises EResNotFound "Resource %s not found" (with the instance's class name) when no
    // class had a layout; reading errors propagate. finder defaults to the ResourceTable.
    static void ReadLayouts(TComponent& instance, const TClassInfo& genericClass, Finder finder = nullptr);
};
