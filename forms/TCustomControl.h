#pragma once
// A windowed control that draws itself on a canvas (buttons, edits, panels, charts).

#include "forms/TControlCanvas.h"
#include "forms/TWinControl.h"

#include <memory>

class TCustomControl : public TWinControl {
    F2_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return canvas_.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(platform::DeviceContext& dc) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
