#include "platform/ImageCodecs.h"

#include "rtl/Exception.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstring>
#include <memory>

// The pixels come from SDL's bitmap reader and SDL_image's icon reader. Both check their reads,
// but they trust the dimensions in the headers and allocate the surface before reading the
// pixels, so a few bytes claiming a huge image would cost gigabytes before failing. The headers
// are therefore checked here first: every image must fit in the bytes given, and only then is
// the library asked to decode.

namespace platform {
namespace {

constexpr const char* kBadBitmap = "Bitmap image is not valid";
constexpr const char* kBadIcon = "Icon image is not valid";
constexpr int64_t kMaxPixels = int64_t(1) << 26;   // far above any picture the program stores
// Run-length data does not bound the image: an end-of-bitmap code in two bytes leaves the
// whole rest blank, so a 64-byte file could claim 65535 x 1023 pixels and cost hundreds of
// megabytes. Such images get a cap of their own, still far above any stored picture.
constexpr int64_t kMaxRunLengthPixels = int64_t(1) << 22;

uint32_t U16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t S32(std::span<const uint8_t> b, size_t at) { return int32_t(U32(b, at)); }

// Bytes of one row of a device-independent bitmap: bits padded to whole 32-bit words.
int64_t RowBytes(int64_t width, uint32_t bitCount) { return ((width * bitCount + 31) / 32) * 4; }

bool KnownDepth(uint32_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Checks a bitmap info header at `header` within `dib` (the bytes from the header to the end of
// the image data). For icons the stored height covers the colour image and the mask.
void CheckDib(std::span<const uint8_t> dib, size_t header, int64_t pixelOffset, bool icon,
              const char* error)
{
    if (header + 12 > dib.size())
        throw EInvalidGraphic(error);
    const uint32_t headerSize = U32(dib, header);
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = 0, colorsUsed = 0;
    if (headerSize == 12 && !icon) {
        width = U16(dib, header + 4);
        height = int16_t(U16(dib, header + 6));
        bitCount = U16(dib, header + 10);
    } else if (headerSize >= 40 && headerSize <= 124 && header + headerSize <= dib.size()) {
        width = S32(dib, header + 4);
        height = S32(dib, header + 8);
        bitCount = U16(dib, header + 14);
        compression = U32(dib, header + 16);
        colorsUsed = U32(dib, header + 32);
    } else {
        throw EInvalidGraphic(error);
    }
    if (height < 0)
        height = -height;
    if (icon)
        height /= 2;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || width * height > kMaxPixels ||
        !KnownDepth(bitCount))
        throw EInvalidGraphic(error);
    const int64_t colors = bitCount <= 8 ? (colorsUsed ? colorsUsed : int64_t(1) << bitCount) : 0;
    if (colors > 256)
        throw EInvalidGraphic(error);
    // Run-length data is shorter than the image; everything else must be there in full.
    const bool runLength = compression == 1 || compression == 2;
    if (!runLength && compression != 0 && compression != 3)
        throw EInvalidGraphic(error);
    if (runLength && width * height > kMaxRunLengthPixels)
        throw EInvalidGraphic(error);
    int64_t need = runLength ? 0 : RowBytes(width, bitCount) * height;
    if (icon) {
        need += RowBytes(width, 1) * height;   // the transparency mask
        pixelOffset = int64_t(header + headerSize) + colors * 4;
    }
    if (pixelOffset < int64_t(header + headerSize) ||
        pixelOffset > int64_t(dib.size()) || need > int64_t(dib.size()) - pixelOffset)
        throw EInvalidGraphic(error);
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Raster ToRaster(SurfacePtr decoded, bool keepAlpha, const char* error)
{
    if (!decoded)
        throw EInvalidGraphic(error);
    SurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb || SDL_LockSurface(argb.get()) != 0)
        throw EInvalidGraphic(error);
    // SDL's ARGB8888 is a 32-bit value 0xAARRGGBB, the same as a platform pixel.
    Raster raster(argb->w, argb->h);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(argb->pixels) + size_t(y) * size_t(argb->pitch);
        std::memcpy(raster.Row(y), row, size_t(argb->w) * 4);
        if (!keepAlpha)
            for (int x = 0; x < argb->w; ++x)
                raster.Row(y)[x] |= 0xFF000000u;
    }
    SDL_UnlockSurface(argb.get());
    return raster;
}

} // namespace

Raster DecodeBmp(std::span<const uint8_t> bytes)
{
    // SDL counts memory in int; no stored picture comes near that.
    if (bytes.size() < 14 + 12 || bytes.size() > size_t(INT_MAX) || bytes[0] != 'B' || bytes[1] != 'M')
        throw EInvalidGraphic(kBadBitmap);
    CheckDib(bytes, 14, U32(bytes, 10), false, kBadBitmap);
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    return ToRaster(SurfacePtr(SDL_LoadBMP_RW(rw, 1)), false, kBadBitmap);
}

Raster DecodeIco(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 6 || bytes.size() > size_t(INT_MAX) || U16(bytes, 0) != 0 || U16(bytes, 2) != 1)
        throw EInvalidGraphic(kBadIcon);
    const uint32_t count = U16(bytes, 4);
    if (count == 0 || 6 + size_t(count) * 16 > bytes.size())
        throw EInvalidGraphic(kBadIcon);
    // The reader may choose any of the images, so every one of them must be sound.
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + size_t(i) * 16;
        const uint32_t size = U32(bytes, entry + 8);
        const uint32_t offset = U32(bytes, entry + 12);
        if (offset < 6 + size_t(count) * 16 || offset > bytes.size() || size > bytes.size() - offset)
            throw EInvalidGraphic(kBadIcon);
        CheckDib(bytes.subspan(offset, size), 0, 0, true, kBadIcon);
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    SurfacePtr decoded(IMG_LoadICO_RW(rw));
    SDL_RWclose(rw);
    return ToRaster(std::move(decoded), true, kBadIcon);
}

} // namespace platform
