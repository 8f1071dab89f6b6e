#pragma once
// The chart panel with the background extras: the gradient or plain background, the back
// image, and the zoom and panning switches. PaintPanel paints the background, the back image
// (unless it belongs inside the walls) and the bevel frame.

#include "chart/TCustomChartPanel.h"
#include "forms/TypeInfo.h"

#include <memory>

class TChartGradient;
class TPicture;

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
F2_ENUM_TYPE(TPanningMode, "pmNone", "pmHorizontal", "pmVertical", "pmBoth");
enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };
F2_ENUM_TYPE(TBackImageMode, "pbmStretch", "pbmTile", "pbmCenter");

class TCustomChartPanelExtended : public TCustomChartPanel {
    F2_CLASS(TCustomChartPanelExtended, TCustomChartPanel)
public:
    explicit TCustomChartPanelExtended(TComponent* owner);
    ~TCustomChartPanelExtended() override;

    TChartGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TChartGradient* value);
    TPicture* BackImage() const { return backImage_.get(); }
    void SetBackImage(TPicture* value);
    TBackImageMode BackImageMode() const { return backImageMode_; }
    void SetBackImageMode(TBackImageMode value) { Store(backImageMode_, value); }
    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool value) { Store(allowZoom_, value); }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) { Store(allowPanning_, value); }
    bool AnimatedZoom() const { return animatedZoom_; }
    void SetAnimatedZoom(bool value) { Store(animatedZoom_, value); }
    int AnimatedZoomSteps() const { return animatedZoomSteps_; }
    void SetAnimatedZoomSteps(int value) { Store(animatedZoomSteps_, value); }

    // The gradient, or else the panel colour (not when printing).
    virtual void PaintBackground(const platform::Rect& rect);
    // Background, back image (unless drawn inside the walls), then the bevel frame.
    virtual void PaintPanel(const platform::Rect& rect);
    // Draws the back image into rect by BackImageMode.
    virtual void PaintBackImage(const platform::Rect& rect);
    // Whether the back image belongs inside the walls rather than on the panel.
    virtual bool BackImageInsideWalls() const { return false; }
    bool HasBackImage() const;

private:
    std::unique_ptr<TChartGradient> gradient_;
    std::unique_ptr<TPicture> backImage_;
    TBackImageMode backImageMode_ = pbmStretch;
    bool allowZoom_ = true;
    TPanningMode allowPanning_ = pmBoth;
    bool animatedZoom_ = false;
    int animatedZoomSteps_ = 8;
};
