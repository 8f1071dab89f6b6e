#include "forms/TBitmap.h"

#include "forms/TBitmapCanvas.h"
#include "forms/TCanvas.h"
#include "forms/TStream.h"
#include "platform/ImageCodecs.h"
#include "rtl/Exception.h"

#include <vector>

F2_DEFINE_CLASS(TBitmap, TGraphic, F2_NO_FACTORY) {}

namespace {

const platform::Pixel kWhite = platform::MakePixel(255, 255, 255);
const platform::Pixel kBlack = platform::MakePixel(0, 0, 0);

std::vector<uint8_t> ReadRest(TStream& stream)
{
    const int64_t count = stream.Size() - stream.Position();
    std::vector<uint8_t> bytes(size_t(count > 0 ? count : 0));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

// Bits per pixel of a bitmap file that DecodeBmp accepted (core or extended info header).
int FileBitCount(const std::vector<uint8_t>& file)
{
    const size_t at = file[14] == 12 ? 24 : 28;
    return file[at] | file[at + 1] << 8;
}

} // namespace

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == image_.Width() && height == image_.Height())
        return;
    platform::Raster resized(width, height, kWhite);
    for (int y = 0; y < std::min(height, image_.Height()); ++y)
        for (int x = 0; x < std::min(width, image_.Width()); ++x)
            resized.Set(x, y, image_.At(x, y));
    SetImage(std::move(resized));
}

void TBitmap::SetMonochrome(bool monochrome)
{
    if (monochrome == monochrome_)
        return;
    monochrome_ = monochrome;
    if (monochrome_) {
        // The usual luminance weights; mid-gray and brighter become white.
        platform::Pixel* p = image_.Data();
        for (size_t i = 0, n = size_t(image_.Width()) * size_t(image_.Height()); i < n; ++i) {
            const int luma = (299 * platform::PixelRed(p[i]) + 587 * platform::PixelGreen(p[i]) +
                              114 * platform::PixelBlue(p[i])) / 1000;
            p[i] = luma >= 128 ? kWhite : kBlack;
        }
    }
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return canvas_.get();
}

void TBitmap::SetImage(platform::Raster image)
{
    image_ = std::move(image);
    if (canvas_)
        canvas_->ImageChanged();
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const platform::Rect& rect)
{
    if (image_.IsEmpty() || rect.IsEmpty())
        return;
    platform::DeviceContext& dc = canvas.Handle();
    if (Transparent()) {
        // The bottom-left pixel names the colour that lets the background show through.
        platform::Raster masked = image_;
        const platform::Pixel key = image_.At(0, image_.Height() - 1);
        for (int y = 0; y < masked.Height(); ++y)
            for (int x = 0; x < masked.Width(); ++x)
                if (masked.At(x, y) == key)
                    masked.Set(x, y, key & 0x00FFFFFFu);
        if (rect.Width() != Width() || rect.Height() != Height()) {
            // Nearest-pixel scaling keeps the key pixels see-through after stretching.
            platform::Raster scaled(rect.Width(), rect.Height());
            for (int y = 0; y < scaled.Height(); ++y)
                for (int x = 0; x < scaled.Width(); ++x)
                    scaled.Set(x, y, masked.At(int(int64_t(x) * Width() / scaled.Width()),
                                               int(int64_t(y) * Height() / scaled.Height())));
            masked = std::move(scaled);
        }
        dc.DrawTransparent(rect.left, rect.top, masked);
        return;
    }
    if (rect.Width() == Width() && rect.Height() == Height())
        dc.BitBlt(rect.left, rect.top, Width(), Height(), image_, 0, 0);
    else
        dc.StretchBlt(rect, image_);
}

void TBitmap::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> file = ReadRest(stream);
    platform::Raster image = platform::DecodeBmp(file);
    monochrome_ = FileBitCount(file) == 1;
    SetImage(std::move(image));
}

void TBitmap::ReadData(TStream& stream)
{
    uint8_t sizeBytes[4];
    stream.ReadBuffer(sizeBytes, 4);
    const uint32_t size = uint32_t(sizeBytes[0]) | uint32_t(sizeBytes[1]) << 8 |
                          uint32_t(sizeBytes[2]) << 16 | uint32_t(sizeBytes[3]) << 24;
    // A size beyond the stored bytes is a stream that ends early; do not allocate for it.
    if (int64_t(size) > stream.Size() - stream.Position())
        throw EReadError("Stream read error");
    std::vector<uint8_t> file(size);
    stream.ReadBuffer(file.data(), file.size());
    platform::Raster image = platform::DecodeBmp(file);
    monochrome_ = FileBitCount(file) == 1;
    SetImage(std::move(image));
}

void TBitmap::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this)
        return;
    monochrome_ = other->monochrome_;
    SetTransparent(other->Transparent());
    SetImage(other->image_);
}
