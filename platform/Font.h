#pragma once
// One face at one pixel size: its cell metrics and its cache of rendered glyphs.
//
// Cell metrics follow the desktop convention: ascent and descent come from the face's
// line-box extremes (the OS/2 "win" values, else the horizontal header), scaled to the em size
// and rounded outward, so accents and descenders of the face fit inside the cell. A font made
// for a positive (cell) height instead gets exactly that cell, split in the face's proportion;
// a face standing in for another can be given a fixed cell-to-em ratio the same way.
//
// Glyphs are rendered once, with light hinting (vertical only, which keeps small UI text crisp
// without distorting widths) into 8-bit coverage, and kept for the life of the font; advances
// are whole pixels and text is not kerned, so extents add up exactly.

#include "platform/DeviceContext.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace platform {

struct Glyph {
    int advance = 0;   // pixels to the next pen position
    int left = 0;      // bitmap column offset from the pen position
    int top = 0;       // bitmap rows above the baseline
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;   // width x height, 0..255
};

struct FontSizing {
    int64_t em26 = 11 * 64;        // em size in 1/64 pixel; 0 with a cell height: derived from it
    int cellHeight = 0;            // > 0: the cell is exactly this high
    double cellPerEm = 0;          // > 0: the cell is round(em x this) high
    bool emboldenSynthetic = false;
    bool slantSynthetic = false;
};

class Font {
public:
    // Takes ownership of the face, which must be scalable.
    Font(FT_FaceRec_* face, const FontSizing& sizing);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const TextMetrics& Metrics() const { return metrics_; }
    std::string Family() const;
    bool HasGlyph(char32_t cp) const;
    // Rows of the cell (0 = top) that underline and strike-out lines occupy.
    int UnderlineRow() const { return underlineRow_; }
    int StrikeOutRow() const { return strikeOutRow_; }

    const Glyph& GlyphFor(char32_t cp);
    int TextWidth(std::string_view utf8);

private:
    const Glyph& Render(char32_t cp);

    FT_FaceRec_* face_;
    FontSizing sizing_;
    TextMetrics metrics_;
    int underlineRow_ = 0;
    int strikeOutRow_ = 0;
    static constexpr char32_t kDirect = 0x500;   // Latin, Greek and Cyrillic: a flat table
    std::vector<const Glyph*> direct_;
    std::unordered_map<char32_t, const Glyph*> others_;
    std::deque<Glyph> store_;   // stable addresses
};

} // namespace platform
