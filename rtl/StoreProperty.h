#pragma once
// The habit of every property setter: a value equal to the stored one changes nothing and
// tells no one; a different one is stored, and then changed() runs (repaint, notify). Classes
// with many setters bind it once to their own notification:
//
//     template <class T>
//     void Store(T& field, const T& value) { rtl::StoreProperty(field, value, [this] { Repaint(); }); }

#include <utility>

namespace rtl {

// Returns whether the value changed.
template <class T, class U, class Changed>
bool StoreProperty(T& field, U&& value, Changed&& changed)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    std::forward<Changed>(changed)();
    return true;
}

} // namespace rtl
