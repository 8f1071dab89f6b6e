// The bitmap and icon decoders on arbitrary bytes. A decoder either returns a raster whose
// size the header promised within sane bounds, or raises EInvalidGraphic; it never reads
// outside the bytes (AddressSanitizer watches) nor allocates for sizes the bytes cannot hold
// (checked below, and the rss limit of the fuzz run catches it too).

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

#include "platform/ImageCodecs.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <span>
#include <string>

namespace fuzz {
namespace {

using Decoder = platform::Raster (*)(std::span<const uint8_t>);

constexpr int64_t kMaxRunLengthPixels = int64_t(1) << 22;

void Decode(const char* name, Decoder decoder, const uint8_t* data, size_t size, bool opaque)
{
    try {
        const platform::Raster raster = decoder(std::span<const uint8_t>(data, size));
        F2_FUZZ_CHECK(name, raster.Width() > 0 && raster.Height() > 0 && raster.Width() <= 65535 &&
                                raster.Height() <= 65535,
                      "decoded raster of " + std::to_string(raster.Width()) + " x " + std::to_string(raster.Height()));
        // Plain pixel data holds at least one bit per pixel; only run-length data can claim
        // more, and for it the decoders keep a fixed cap. A few bytes never buy a huge raster.
        const int64_t pixels = int64_t(raster.Width()) * raster.Height();
        F2_FUZZ_CHECK(name, pixels <= std::max<int64_t>(int64_t(size) * 8, kMaxRunLengthPixels),
                      std::to_string(pixels) + " pixels from " + std::to_string(size) + " bytes");
        // Touch every pixel, so that a raster shorter than its size would be caught.
        uint32_t alphaAnd = 0xFF;
        for (int y = 0; y < raster.Height(); ++y)
            for (int x = 0; x < raster.Width(); ++x)
                alphaAnd &= platform::PixelAlpha(raster.At(x, y));
        if (opaque)
            F2_FUZZ_CHECK(name, alphaAnd == 0xFF, "a bitmap pixel is not opaque");
    } catch (const EInvalidGraphic&) {
    }
}

} // namespace

int BmpDecoder(const uint8_t* data, size_t size)
{
    Decode("bmp_decoder", &platform::DecodeBmp, data, size, true);
    return 0;
}

int IcoDecoder(const uint8_t* data, size_t size)
{
    Decode("ico_decoder", &platform::DecodeIco, data, size, false);
    return 0;
}

} // namespace fuzz
