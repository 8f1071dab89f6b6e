#include "platform/PngFile.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

// A scratch file that is removed however the test ends.
struct TempFile {
    std::string path;
    explicit TempFile(const char* name)
        : path((std::filesystem::temp_directory_path() /
                (std::to_string(::getpid()) + "-" + name)).string())
    {
    }
    ~TempFile() { std::remove(path.c_str()); }
};

Raster Pattern(int width, int height, bool withAlpha)
{
    Raster r(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            r.Set(x, y, MakePixel(uint8_t(x * 37), uint8_t(y * 91), uint8_t(x ^ y),
                                  withAlpha ? uint8_t(x * y * 13) : 0xFF));
    return r;
}

void ExpectSame(const Raster& a, const Raster& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.At(x, y), b.At(x, y)) << "at " << x << "," << y;
}

} // namespace

TEST(PngFile, OpaqueAndTranslucentRastersRoundTripExactly)
{
    TempFile opaque("opaque.png"), translucent("alpha.png");
    Raster rgb = Pattern(7, 5, false);
    Raster rgba = Pattern(9, 4, true);
    WritePng(opaque.path, rgb);
    WritePng(translucent.path, rgba);
    ExpectSame(ReadPng(opaque.path), rgb);
    ExpectSame(ReadPng(translucent.path), rgba);
}

TEST(PngFile, OpaqueImagesAreStoredWithoutAlpha)
{
    // Colour type byte of the IHDR chunk: 2 = RGB, 6 = RGBA.
    TempFile opaque("type2.png"), translucent("type6.png");
    WritePng(opaque.path, Pattern(3, 3, false));
    WritePng(translucent.path, Pattern(3, 3, true));
    auto colourType = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        char header[26] = {};
        in.read(header, sizeof header);
        return int(header[25]);
    };
    EXPECT_EQ(colourType(opaque.path), 2);
    EXPECT_EQ(colourType(translucent.path), 6);
}

TEST(PngFile, FailuresRaiseClearErrors)
{
    EXPECT_THROW(WritePng("/tmp/never.png", Raster()), EInvalidGraphic);

    try {
        ReadPng("/nonexistent-dir/missing.png");
        FAIL() << "no exception";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message().find("/nonexistent-dir/missing.png"), std::string::npos);
    }

    EXPECT_THROW(WritePng("/nonexistent-dir/out.png", Pattern(2, 2, false)), EStreamError);

    TempFile garbage("garbage.png");
    std::ofstream(garbage.path) << "this is not an image";
    EXPECT_THROW(ReadPng(garbage.path), EInvalidGraphic);

    // A real PNG cut off in the middle of its data.
    TempFile truncated("truncated.png");
    WritePng(truncated.path, Pattern(64, 64, true));
    std::filesystem::resize_file(truncated.path, std::filesystem::file_size(truncated.path) / 2);
    EXPECT_THROW(ReadPng(truncated.path), EInvalidGraphic);
}
