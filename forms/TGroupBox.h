#pragma once
// A captioned, etched frame that holds other controls. It takes no focus itself; its children
// follow it in the tab order.

#include "forms/TCustomControl.h"

class TGroupBox : public TCustomControl {
    F2_CLASS(TGroupBox, TCustomControl)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint() override;
};
