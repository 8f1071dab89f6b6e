#include "forms/TGraphicControl.h"

F2_DEFINE_CLASS(TGraphicControl, TControl, F2_NO_FACTORY) {}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this))
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam) {
        TControlCanvas::PaintScope scope(*canvas_, *reinterpret_cast<platform::DeviceContext*>(message.WParam));
        Paint();
        return;
    }
    TControl::Dispatch(message);
}
