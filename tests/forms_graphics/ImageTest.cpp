#include "forms/TBitmap.h"
#include "forms/TIcon.h"
#include "forms/TMemoryStream.h"
#include "platform/ImageCodecs.h"
#include "rtl/Exception.h"
#include "tests/forms_graphics/ImageFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

using imagefiles::Rgb;

namespace {

const platform::Pixel kBlack = platform::MakePixel(0, 0, 0);
const platform::Pixel kWhite = platform::MakePixel(255, 255, 255);

std::vector<uint8_t> Checkerboard1() { return imagefiles::Bmp1(13, 5, [](int x, int y) { return (x + y) % 2 == 1; }); }

std::vector<uint8_t> Gradient24()
{
    return imagefiles::Bmp24(7, 3, [](int x, int y) { return Rgb{uint8_t(x * 30), uint8_t(y * 80), uint8_t(200 - x)}; });
}

std::vector<uint8_t> HalfMaskedIcon()
{
    // Index = column % 16 from a palette of distinct colours; the left half of each row is
    // masked where the row is even.
    std::vector<Rgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back({uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 7)});
    return imagefiles::Ico16(palette, [](int x, int) { return x % 16; },
                             [](int x, int y) { return y % 2 == 0 && x < 16; });
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(ImageCodecs, DecodesOneBitAndTwentyFourBitBitmaps)
{
    const platform::Raster mono = platform::DecodeBmp(Checkerboard1());
    ASSERT_EQ(mono.Width(), 13);
    ASSERT_EQ(mono.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(mono.At(x, y), (x + y) % 2 ? kWhite : kBlack) << x << "," << y;

    const platform::Raster rgb = platform::DecodeBmp(Gradient24());
    ASSERT_EQ(rgb.Width(), 7);
    ASSERT_EQ(rgb.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(rgb.At(x, y), platform::MakePixel(uint8_t(x * 30), uint8_t(y * 80), uint8_t(200 - x)));
}

TEST(ImageCodecs, DecodesAnIconWithItsTransparencyMask)
{
    const platform::Raster icon = platform::DecodeIco(HalfMaskedIcon());
    ASSERT_EQ(icon.Width(), 32);
    ASSERT_EQ(icon.Height(), 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const platform::Pixel p = icon.At(x, y);
            const int i = x % 16;
            if (y % 2 == 0 && x < 16) {
                ASSERT_EQ(platform::PixelAlpha(p), 0) << x << "," << y;
            } else {
                ASSERT_EQ(p, platform::MakePixel(uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 7))) << x << "," << y;
            }
        }
}

TEST(ImageCodecs, TruncatedAndGarbledDataRaiseInvalidGraphic)
{
    const std::vector<uint8_t> files[] = {Checkerboard1(), Gradient24(), HalfMaskedIcon()};
    for (size_t f = 0; f < 3; ++f) {
        const auto decode = [f](std::span<const uint8_t> b) {
            return f < 2 ? platform::DecodeBmp(b) : platform::DecodeIco(b);
        };
        // Every proper prefix, read from a buffer of exactly that size.
        for (size_t n = 0; n < files[f].size(); ++n) {
            const std::vector<uint8_t> prefix(files[f].begin(), files[f].begin() + long(n));
            EXPECT_THROW(decode(prefix), EInvalidGraphic) << "file " << f << " cut at " << n;
        }
        // Header fields set to extreme values: an error, never a crash or a huge allocation.
        for (size_t at = 0; at < 62 && at < files[f].size(); ++at)
            for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
                std::vector<uint8_t> bad = files[f];
                bad[at] = value;
                try {
                    const platform::Raster r = decode(bad);
                    EXPECT_LE(int64_t(r.Width()) * r.Height(), 32 * 32);
                } catch (const EInvalidGraphic&) {
                }
            }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> noise(size_t(random() % 300));
        for (auto& b : noise)
            b = uint8_t(random());
        EXPECT_THROW(platform::DecodeBmp(noise), EInvalidGraphic);
        if (noise.size() > 2) {
            noise[0] = 'B';
            noise[1] = 'M';
        }
        EXPECT_THROW(platform::DecodeBmp(noise), EInvalidGraphic);
        EXPECT_THROW(platform::DecodeIco(noise), EInvalidGraphic);
    }
    // An icon directory pointing outside the file.
    std::vector<uint8_t> icon = HalfMaskedIcon();
    icon[18] = 0xF0;
    EXPECT_THROW(platform::DecodeIco(icon), EInvalidGraphic);
}

TEST(ImageCodecs, DecodesTheProgramsOwnPictures)
{
    const platform::Raster low = platform::DecodeBmp(ReadFile(F2_SOURCE_DIR "/app/pictures/lowpass.bmp"));
    EXPECT_EQ(low.Width(), 244);
    EXPECT_EQ(low.Height(), 149);
    const platform::Raster high = platform::DecodeBmp(ReadFile(F2_SOURCE_DIR "/app/pictures/highpass.bmp"));
    EXPECT_EQ(high.Width(), 244);
    EXPECT_EQ(high.Height(), 150);
    for (const platform::Raster* r : {&low, &high})
        for (int y = 0; y < r->Height(); ++y)
            for (int x = 0; x < r->Width(); ++x)
                ASSERT_TRUE(r->At(x, y) == kBlack || r->At(x, y) == kWhite);

    const std::vector<uint8_t> iconFile = ReadFile(F2_SOURCE_DIR "/app/pictures/mainicon.ico");
    EXPECT_EQ(iconFile.size(), 766u);
    const platform::Raster icon = platform::DecodeIco(iconFile);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    int transparent = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            transparent += platform::PixelAlpha(icon.At(x, y)) == 0;
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32);
}

TEST(Graphics, BitmapAndIconLoadFromStreams)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.SetOnChange([&](TObject*) { ++changes; });
    TMemoryStream mono(Checkerboard1());
    bitmap.LoadFromStream(mono);
    EXPECT_EQ(bitmap.Width(), 13);
    EXPECT_TRUE(bitmap.Monochrome());
    EXPECT_EQ(changes, 1);
    TMemoryStream rgb(Gradient24());
    bitmap.LoadFromStream(rgb);
    EXPECT_FALSE(bitmap.Monochrome());
    EXPECT_EQ(bitmap.Height(), 3);

    // A failed load keeps the previous picture.
    TMemoryStream junk(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
    EXPECT_THROW(bitmap.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 7);

    bitmap.SetMonochrome(true);
    for (int x = 0; x < 7; ++x) {
        const platform::Pixel p = bitmap.Image().At(x, 0);
        EXPECT_TRUE(p == kBlack || p == kWhite);
    }

    TIcon icon;
    TMemoryStream ico(HalfMaskedIcon());
    icon.LoadFromStream(ico);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_TRUE(icon.Transparent());
    EXPECT_NO_THROW(icon.SetWidth(32));
    EXPECT_THROW(icon.SetWidth(16), EInvalidGraphic);
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_EQ(copy.Image().At(3, 3), icon.Image().At(3, 3));
    EXPECT_THROW(copy.Assign(&bitmap), EConvertError);
}
