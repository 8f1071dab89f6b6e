#pragma once
// The canvas of a control. It draws on the form's back buffer through the device context the
// paint pipeline hands it, already set to the control's origin and clip; outside painting it
// has no device context.

#include "forms/TCanvas.h"

class TControl;

class TControlCanvas : public TCanvas {
    F2_CLASS(TControlCanvas, TCanvas)
public:
    explicit TControlCanvas(TControl* control) : control_(control) {}
    TControl* Control() const { return control_; }

    // Binds the canvas to dc for the duration of one paint.
    class PaintScope {
    public:
        PaintScope(TControlCanvas& canvas, platform::DeviceContext& dc) : canvas_(canvas) { canvas_.SetHandle(&dc); }
        ~PaintScope() { canvas_.SetHandle(nullptr); }
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;

    private:
        TControlCanvas& canvas_;
    };

private:
    TControl* control_;
};
