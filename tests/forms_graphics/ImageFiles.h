#pragma once
// Builders of small bitmap and icon files for the tests, written byte by byte so that each test
// knows exactly which pixels the file holds.

#include <cstdint>
#include <functional>
#include <vector>

namespace imagefiles {

inline void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct Rgb {
    uint8_t r, g, b;
};

inline void PutInfoHeader(std::vector<uint8_t>& b, int width, int height, int bitCount, int colors)
{
    Put32(b, 40);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height));
    Put16(b, 1);
    Put16(b, uint32_t(bitCount));
    Put32(b, 0);   // no compression
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, uint32_t(colors));
    Put32(b, 0);
}

inline int RowBytes(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// The file header and the info header of a bitmap file whose colour table has `colors`
// entries; its rows follow the table.
inline std::vector<uint8_t> BmpHeaders(int width, int height, int bitCount, int colors)
{
    const uint32_t pixelsAt = 54 + 4 * uint32_t(colors);
    std::vector<uint8_t> b{'B', 'M'};
    Put32(b, pixelsAt + uint32_t(RowBytes(width, bitCount) * height));
    Put32(b, 0);
    Put32(b, pixelsAt);
    PutInfoHeader(b, width, height, bitCount, colors);
    return b;
}

// A bottom-up 24-bit bitmap file; pixel(x, y) with y = 0 at the top.
inline std::vector<uint8_t> Bmp24(int width, int height, const std::function<Rgb(int, int)>& pixel)
{
    const int row = RowBytes(width, 24);
    std::vector<uint8_t> b = BmpHeaders(width, height, 24, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            b.insert(b.end(), {c.b, c.g, c.r});
        }
        b.resize(b.size() + size_t(row - width * 3), 0);
    }
    return b;
}

// A bottom-up 1-bit bitmap file with index 0 black and index 1 white; bit(x, y) gives the index.
inline std::vector<uint8_t> Bmp1(int width, int height, const std::function<bool(int, int)>& bit)
{
    const int row = RowBytes(width, 1);
    std::vector<uint8_t> b = BmpHeaders(width, height, 1, 2);
    Put32(b, 0x00000000);
    Put32(b, 0x00FFFFFF);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> bits(size_t(row), 0);
        for (int x = 0; x < width; ++x)
            if (bit(x, y))
                bits[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), bits.begin(), bits.end());
    }
    return b;
}

// An icon file with one 32 x 32 16-colour image: index(x, y) picks from palette, masked(x, y)
// makes the pixel transparent.
inline std::vector<uint8_t> Ico16(const std::vector<Rgb>& palette, const std::function<int(int, int)>& index,
                                  const std::function<bool(int, int)>& masked)
{
    const int size = 32;
    const uint32_t imageBytes = 40 + 16 * 4 + uint32_t(RowBytes(size, 4) + RowBytes(size, 1)) * size;
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 1);
    b.insert(b.end(), {uint8_t(size), uint8_t(size), 16, 0});
    Put16(b, 1);
    Put16(b, 4);
    Put32(b, imageBytes);
    Put32(b, 22);
    PutInfoHeader(b, size, size * 2, 4, 0);
    for (int i = 0; i < 16; ++i) {
        const Rgb c = i < int(palette.size()) ? palette[size_t(i)] : Rgb{0, 0, 0};
        b.insert(b.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; x += 2)
            b.push_back(uint8_t(index(x, y) << 4 | index(x + 1, y)));
    for (int y = size - 1; y >= 0; --y) {
        uint8_t bits[4] = {0, 0, 0, 0};
        for (int x = 0; x < size; ++x)
            if (masked(x, y))
                bits[x / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), bits, bits + 4);
    }
    return b;
}

} // namespace imagefiles
