#include "forms/TIcon.h"

#include "forms/TCanvas.h"
#include "forms/TStream.h"
#include "platform/ImageCodecs.h"
#include "rtl/Exception.h"

#include <vector>

F2_DEFINE_CLASS(TIcon, TGraphic, F2_NO_FACTORY) {}

TIcon::TIcon()
{
    // An icon always lets the background show through its masked pixels.
    SetTransparent(true);
}

void TIcon::SetWidth(int width)
{
    if (width != image_.Width())
        throw EInvalidGraphic("Cannot change the size of an icon");
}

void TIcon::SetHeight(int height)
{
    if (height != image_.Height())
        throw EInvalidGraphic("Cannot change the size of an icon");
}

void TIcon::Draw(TCanvas& canvas, const platform::Rect& rect)
{
    if (image_.IsEmpty() || rect.IsEmpty())
        return;
    platform::DeviceContext& dc = canvas.Handle();
    if (rect.Width() == Width() && rect.Height() == Height()) {
        dc.DrawTransparent(rect.left, rect.top, image_);
        return;
    }
    // Nearest-pixel scaling that keeps the alpha, so the mask survives the stretch.
    platform::Raster scaled(rect.Width(), rect.Height());
    for (int y = 0; y < scaled.Height(); ++y)
        for (int x = 0; x < scaled.Width(); ++x)
            scaled.Set(x, y, image_.At(int(int64_t(x) * Width() / scaled.Width()),
                                       int(int64_t(y) * Height() / scaled.Height())));
    dc.DrawTransparent(rect.left, rect.top, scaled);
}

void TIcon::LoadFromStream(TStream& stream)
{
    const int64_t count = stream.Size() - stream.Position();
    std::vector<uint8_t> bytes(size_t(count > 0 ? count : 0));
    stream.ReadBuffer(bytes.data(), bytes.size());
    image_ = platform::DecodeIco(bytes);
    Changed();
}

void TIcon::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TIcon*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this)
        return;
    image_ = other->image_;
    Changed();
}
