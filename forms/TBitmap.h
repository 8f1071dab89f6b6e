#pragma once
// A bitmap: a raster of 32-bit pixels with a canvas that draws into it. Bitmaps load from
// bitmap files ("BM"); in a layout the "Data" value is a 4-byte little-endian size followed
// by such a file.

#include "forms/TGraphic.h"
#include "platform/Raster.h"

#include <memory>

class TBitmapCanvas;
class TCanvas;

class TBitmap : public TGraphic {
    F2_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return image_.Width(); }
    int Height() const override { return image_.Height(); }
    // Resizing keeps the pixels that still fit and fills new ones with white.
    void SetWidth(int width) override { SetSize(width, image_.Height()); }
    void SetHeight(int height) override { SetSize(image_.Width(), height); }
    void SetSize(int width, int height);
    bool Empty() const override { return image_.IsEmpty(); }

    // Two colours only: setting it turns every pixel black or white by brightness, and
    // later drawing through the canvas is not restricted (the flag travels with the bitmap).
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool monochrome);

    // The canvas that draws into the raster; created on first use.
    TCanvas* Canvas();
    const platform::Raster& Image() const { return image_; }
    platform::Raster& Image() { return image_; }
    // Replaces the pixels (the canvas then draws into the new raster).
    void SetImage(platform::Raster image);

    void Draw(TCanvas& canvas, const platform::Rect& rect) override;
    void LoadFromStream(TStream& stream) override;   // a bitmap file, to the end of the stream
    void ReadData(TStream& stream) override;         // 4-byte size, then the file
    void Assign(TPersistent* source) override;

private:
    platform::Raster image_;
    bool monochrome_ = false;
    std::unique_ptr<TBitmapCanvas> canvas_;
};
