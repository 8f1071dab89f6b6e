#pragma once
// An icon: a 32-bit raster whose alpha says which pixels are transparent, decoded from an
// icon file image (the window icon: one 32 x 32 image with 16 colours and a mask). In a
// layout the "Data" value is the icon file as it is.

#include "forms/TGraphic.h"
#include "platform/Raster.h"

class TIcon : public TGraphic {
    F2_CLASS(TIcon, TGraphic)
public:
    TIcon();

    int Width() const override { return image_.Width(); }
    int Height() const override { return image_.Height(); }
    // An icon's size comes from its image: raises EInvalidGraphic "Cannot change the size of
    // an icon" for any other size.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override { return image_.IsEmpty(); }

    const platform::Raster& Image() const { return image_; }

    // Draws the opaque pixels only (stretched when the rectangle has another size).
    void Draw(TCanvas& canvas, const platform::Rect& rect) override;
    void LoadFromStream(TStream& stream) override;   // an icon file, to the end of the stream
    void Assign(TPersistent* source) override;

private:
    platform::Raster image_;
};
