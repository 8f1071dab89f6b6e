#include "forms/TImage.h"

#include "forms/TCanvas.h"

F2_DEFINE_CLASS(TImage, TGraphicControl, F2_FACTORY(TImage))
{
    c.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    c.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(0);
    c.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(0);
    c.Property("Center", &TImage::Center, &TImage::SetCenter).Default(0);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>())
{
    InitBounds(105, 105);
    picture_->SetOnChange([this](TObject*) {
        AdjustSize();
        Invalidate();
    });
}

TImage::~TImage()
{
    picture_->SetOnChange(nullptr);
}

void TImage::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TImage::AdjustSize()
{
    if (!AutoSize() || IsLoading() || !picture_->Graphic() || picture_->Graphic()->Empty())
        return;
    SetBounds(Left(), Top(), picture_->Width() * PixelZoom(), picture_->Height() * PixelZoom());
}

void TImage::Paint()
{
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty())
        return;
    const platform::Rect client = ClientRect();
    if (stretch_) {
        Canvas()->StretchDraw(client, *graphic);
        return;
    }
    const int zoom = PixelZoom();
    const int width = graphic->Width() * zoom, height = graphic->Height() * zoom;
    int x = 0, y = 0;
    if (center_) {
        x = (client.Width() - width) / 2;
        y = (client.Height() - height) / 2;
    }
    if (zoom == 1)
        Canvas()->Draw(x, y, *graphic);
    else
        Canvas()->StretchDraw({x, y, x + width, y + height}, *graphic);
}
