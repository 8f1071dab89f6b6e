#include "forms/TSizeConstraints.h"

#include <algorithm>

F2_DEFINE_CLASS(TSizeConstraints, TPersistent, F2_NO_FACTORY)
{
    c.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
    c.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
    c.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
    c.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
}

void TSizeConstraints::Store(int& field, int value)
{
    value = std::max(value, 0);
    if (value == field)
        return;
    field = value;
    if (onChange_)
        onChange_(this);
}

int TSizeConstraints::Clamp(int value, int low, int high)
{
    if (high > 0 && high >= low)
        value = std::min(value, high);
    return std::max(value, low);
}

void TSizeConstraints::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TSizeConstraints*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (minWidth_ == other->minWidth_ && minHeight_ == other->minHeight_ && maxWidth_ == other->maxWidth_ &&
        maxHeight_ == other->maxHeight_)
        return;
    minWidth_ = other->minWidth_;
    minHeight_ = other->minHeight_;
    maxWidth_ = other->maxWidth_;
    maxHeight_ = other->maxHeight_;
    if (onChange_)
        onChange_(this);
}
