#pragma once
// A picture painted by its parent. With AutoSize the control takes the picture's size; with
// Stretch the picture fills the control; with Center it is centred; otherwise it sits at the
// top-left corner, clipped.
//
// A window scaled for a denser screen enlarges the picture by whole pixels (PixelZoom): a
// drawing of fine lines stays sharp.

#include "forms/TGraphicControl.h"
#include "forms/TPicture.h"

#include <memory>

class TImage : public TGraphicControl {
    F2_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* picture) { picture_->Assign(picture); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value) { Store(stretch_, value); }
    bool Center() const { return center_; }
    void SetCenter(bool value) { Store(center_, value); }
    void Loaded() override;

protected:
    void Paint() override;
    void AdjustSize() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
};
