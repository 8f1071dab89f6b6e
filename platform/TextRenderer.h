#pragma once
// Text output of the device context.
//
// The text is first laid out horizontally into an 8-bit coverage buffer (glyphs side by side
// at whole-pixel advances, underline and strike-out as one-pixel rows across the advance
// width). The buffer covers the text cell, widened where ink overhangs it. It is then written
// to the raster: at multiples of 90 degrees by exact index mapping (so rotated text is the same
// pixels, turned), at other angles by inverse mapping with bilinear sampling. The reference
// point is the aligned point of the unrotated text (left/centre/right x top/baseline/bottom) and
// the whole text turns counter-clockwise around it: at 90 degrees the text reads upward and
// lies above and to the right of a left/top reference point. An opaque background fills the
// (turned) cell first; ink blends the text colour over what lies beneath.

#include "platform/Font.h"
#include "platform/PaintTarget.h"

#include <string_view>

namespace platform {

struct TextStyle {
    Pixel color = MakePixel(0, 0, 0);
    Pixel back = MakePixel(255, 255, 255);
    bool opaque = false;
    uint32_t align = 0;
    int escapement = 0;   // tenths of a degree, counter-clockwise
    bool underline = false;
    bool strikeOut = false;
};

class TextRenderer {
public:
    void Draw(const PaintTarget& target, Font& font, int x, int y, std::string_view utf8, const TextStyle& style);

private:
    // Lays the text out into the scratch buffer; returns the advance width.
    int Layout(Font& font, std::string_view utf8, const TextStyle& style);
    template <typename Map>
    void Composite(const PaintTarget& target, const Rect& device, const TextStyle& style, Map&& toBuffer);

    // Scratch, reused from call to call (no allocation once warmed up).
    std::vector<const Glyph*> glyphs_;
    std::vector<int> pens_;
    std::vector<uint8_t> coverage_;
    int bufferWidth_ = 0, bufferHeight_ = 0;
    int originX_ = 0, originY_ = 0;   // cell position of buffer pixel (0, 0)
    int cellWidth_ = 0, cellHeight_ = 0;
};

} // namespace platform
