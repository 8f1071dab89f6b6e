#include "platform/Font.h"

#include "rtl/Utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// ceil(a * b / c) for non-negative values.
int CeilScale(int64_t a, int64_t b, int64_t c)
{
    return c > 0 ? int((a * b + c - 1) / c) : 0;
}

} // namespace

Font::Font(FT_FaceRec_* face, const FontSizing& sizing) : face_(face), sizing_(sizing), direct_(kDirect, nullptr)
{
    const int upem = face_->units_per_EM > 0 ? face_->units_per_EM : 2048;
    int64_t wa = face_->ascender, wd = -face_->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        wa = os2->usWinAscent;
        wd = os2->usWinDescent;
    }
    if (wa + wd <= 0) {
        wa = upem * 4 / 5;
        wd = upem / 5;
    }
    // A cell-height request: the em that makes ascent + descent come to the cell.
    if (sizing_.em26 <= 0 && sizing_.cellHeight > 0)
        sizing_.em26 = std::max<int64_t>(64, std::llround(sizing_.cellHeight * 64.0 * upem / double(wa + wd)));
    if (sizing_.em26 <= 0)
        sizing_.em26 = 11 * 64;
    FT_Set_Char_Size(face_, 0, FT_F26Dot6(sizing_.em26), 72, 72);
    const int64_t scaleDen = int64_t(64) * upem;
    const double em = sizing_.em26 / 64.0;

    int cell = sizing_.cellHeight;
    if (cell <= 0 && sizing_.cellPerEm > 0)
        cell = int(std::lround(em * sizing_.cellPerEm));
    if (cell > 0) {
        metrics_.ascent = int(std::lround(double(cell) * double(wa) / double(wa + wd)));
        metrics_.descent = cell - metrics_.ascent;
    } else {
        metrics_.ascent = CeilScale(wa, sizing_.em26, scaleDen);
        metrics_.descent = CeilScale(wd, sizing_.em26, scaleDen);
    }
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internalLeading = metrics_.height - int(std::lround(em));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        metrics_.averageCharWidth = int(std::lround(os2->xAvgCharWidth * em / upem));
    else
        metrics_.averageCharWidth = GlyphFor(U'x').advance;

    // Underline: the first row below the baseline. Strike-out: the face's own position, else
    // a quarter em above the baseline.
    underlineRow_ = std::min(metrics_.ascent, std::max(0, metrics_.height - 1));
    int strike = int(std::lround(em / 4));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0)
        strike = int(std::lround(os2->yStrikeoutPosition * em / upem));
    strikeOutRow_ = std::clamp(metrics_.ascent - std::max(1, strike), 0, std::max(0, metrics_.height - 1));
}

Font::~Font()
{
    FT_Done_Face(face_);
}

std::string Font::Family() const
{
    return face_->family_name != nullptr ? face_->family_name : "";
}

bool Font::HasGlyph(char32_t cp) const
{
    return FT_Get_Char_Index(face_, cp) != 0;
}

const Glyph& Font::GlyphFor(char32_t cp)
{
    if (cp < kDirect) {
        if (direct_[cp] == nullptr)
            direct_[cp] = &Render(cp);
        return *direct_[cp];
    }
    auto it = others_.find(cp);
    if (it != others_.end())
        return *it->second;
    const Glyph& g = Render(cp);
    others_.emplace(cp, &g);
    return g;
}

const Glyph& Font::Render(char32_t cp)
{
    Glyph& g = store_.emplace_back();
    // Control characters take no room and show nothing.
    if (cp < 0x20 || cp == 0x7F)
        return g;
    const FT_UInt index = FT_Get_Char_Index(face_, cp);
    if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0)
        return g;
    FT_GlyphSlot slot = face_->glyph;
    if (sizing_.slantSynthetic && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_GlyphSlot_Oblique(slot);
    if (sizing_.emboldenSynthetic)
        FT_GlyphSlot_Embolden(slot);
    g.advance = int((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return g;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0)
        return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bm.width);
    g.height = int(bm.rows);
    g.coverage.resize(size_t(g.width) * size_t(g.height));
    const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* src = bm.buffer + ptrdiff_t(y) * bm.pitch;
        uint8_t* dst = g.coverage.data() + size_t(y) * size_t(g.width);
        for (int x = 0; x < g.width; ++x)
            dst[x] = levels == 255 ? src[x] : uint8_t(src[x] * 255 / levels);
    }
    return g;
}

int Font::TextWidth(std::string_view utf8)
{
    int width = 0;
    for (size_t pos = 0; pos < utf8.size();)
        width += GlyphFor(rtl::utf8::Next(utf8, pos)).advance;
    return width;
}

} // namespace platform
