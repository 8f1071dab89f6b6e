#pragma once
// Builds a window's contents in code: a control of class T with an owner, placed on a parent at
// the given bounds.

#include "forms/TWinControl.h"

template <class T>
T* AddControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
