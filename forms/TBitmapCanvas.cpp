#include "forms/TBitmapCanvas.h"

#include "forms/TBitmap.h"

F2_DEFINE_CLASS(TBitmapCanvas, TCanvas, F2_NO_FACTORY) {}

TBitmapCanvas::TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas()
{
    SetHandle(nullptr);
}

void TBitmapCanvas::ImageChanged()
{
    SetHandle(nullptr);
    context_.reset();
}

void TBitmapCanvas::CreateHandle()
{
    if (!context_)
        context_ = std::make_unique<platform::DeviceContext>(bitmap_.Image());
    SetHandle(context_.get());
}
