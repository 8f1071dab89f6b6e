#include "platform/PngFile.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// Largest image ReadPng accepts: a corrupt or hostile header must not make us allocate
// gigabytes.
constexpr uint64_t MaxPixels = uint64_t(1) << 26;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// png_image must be freed on every path, including the exceptional ones.
struct ImageGuard {
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

bool AllOpaque(const Raster& raster)
{
    const Pixel* p = raster.Data();
    const Pixel* end = p + size_t(raster.Width()) * size_t(raster.Height());
    for (; p != end; ++p)
        if (PixelAlpha(*p) != 0xFF)
            return false;
    return true;
}

} // namespace

void WritePng(const std::string& path, const Raster& raster)
{
    if (raster.IsEmpty())
        throw EInvalidGraphic(rtl::Format("Cannot write an empty image to \"%s\"", path));

    const bool alpha = !AllOpaque(raster);
    const int channels = alpha ? 4 : 3;
    std::vector<png_byte> bytes(size_t(raster.Width()) * size_t(raster.Height()) * channels);
    png_byte* out = bytes.data();
    for (int y = 0; y < raster.Height(); ++y) {
        const Pixel* row = raster.Row(y);
        for (int x = 0; x < raster.Width(); ++x) {
            *out++ = PixelRed(row[x]);
            *out++ = PixelGreen(row[x]);
            *out++ = PixelBlue(row[x]);
            if (alpha)
                *out++ = PixelAlpha(row[x]);
        }
    }

    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw EStreamError(rtl::Format("Cannot create file \"%s\". %s", path, std::strerror(errno)));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(raster.Width());
    image.height = png_uint_32(raster.Height());
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    bool written;
    {
        ImageGuard guard{image};
        written = png_image_write_to_stdio(&image, file.get(), 0, bytes.data(), 0, nullptr) != 0;
    }
    std::string reason = written ? std::string() : std::string(image.message);
    // fclose flushes: a full disk shows up here, not earlier.
    if (std::fclose(file.release()) != 0 && written) {
        written = false;
        reason = std::strerror(errno);
    }
    if (!written) {
        std::remove(path.c_str());
        throw EStreamError(rtl::Format("Cannot write file \"%s\". %s", path, reason));
    }
}

Raster ReadPng(const std::string& path)
{
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EStreamError(rtl::Format("Cannot open file \"%s\". %s", path, std::strerror(errno)));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ImageGuard guard{image};
    if (!png_image_begin_read_from_stdio(&image, file.get()))
        throw EInvalidGraphic(rtl::Format("\"%s\" is not a readable PNG image: %s", path, image.message));
    if (image.width == 0 || image.height == 0 ||
        uint64_t(image.width) * uint64_t(image.height) > MaxPixels)
        throw EInvalidGraphic(rtl::Format("\"%s\": image size %ux%u is not supported", path,
                                          unsigned(image.width), unsigned(image.height)));

    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr))
        throw EInvalidGraphic(rtl::Format("\"%s\" is not a readable PNG image: %s", path, image.message));

    Raster raster(int(image.width), int(image.height));
    const png_byte* in = bytes.data();
    for (int y = 0; y < raster.Height(); ++y) {
        Pixel* row = raster.Row(y);
        for (int x = 0; x < raster.Width(); ++x, in += 4)
            row[x] = MakePixel(in[0], in[1], in[2], in[3]);
    }
    return raster;
}

} // namespace platform
