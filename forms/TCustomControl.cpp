#include "forms/TCustomControl.h"

F2_DEFINE_CLASS(TCustomControl, TWinControl, F2_NO_FACTORY) {}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this))
{
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(platform::DeviceContext& dc)
{
    TControlCanvas::PaintScope scope(*canvas_, dc);
    Paint();
}
