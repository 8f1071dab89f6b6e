#pragma once
// The canvas of a TBitmap: its device context draws into the bitmap's raster and is made on
// first use, so a bitmap that is never drawn on costs no context.

#include "forms/TCanvas.h"

#include <memory>

class TBitmap;

class TBitmapCanvas : public TCanvas {
    F2_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap& bitmap);
    ~TBitmapCanvas() override;
    // The bitmap's raster was replaced or resized: the context starts afresh on next use.
    void ImageChanged();

protected:
    void CreateHandle() override;

private:
    TBitmap& bitmap_;
    std::unique_ptr<platform::DeviceContext> context_;
};
