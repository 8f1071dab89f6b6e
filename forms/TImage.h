#pragma once
// A picture painted by its parent. With AutoSize the control takes the picture's size; with
// Stretch the picture fills the control; with Center it is centred; otherwise it sits at the
// top-left corner, clipped.
//
// A window scaled for a denser screen (ChangeScale) enlarges the picture too, by the whole
// number of times the scale holds (twice at twice the density, once at one and a half), each
// picture pixel a block of screen pixels: a drawing of fine lines stays sharp.

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
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    void Loaded() override;
    void ChangeScale(int m, int d) override;
    // How many screen pixels each picture pixel takes, each way (1 unless scaled).
    int Zoom() const;

protected:
    void Paint() override;
    void AdjustSize() override;

private:
    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
    double scale_ = 1.0;   // the product of the scalings so far
};
