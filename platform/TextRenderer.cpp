#include "platform/TextRenderer.h"

#include "rtl/Utf8.h"

#include <algorithm>
#include <cmath>

namespace platform {

int TextRenderer::Layout(Font& font, std::string_view utf8, const TextStyle& style)
{
    const TextMetrics& m = font.Metrics();
    glyphs_.clear();
    pens_.clear();
    int pen = 0;
    int minX = 0, minY = 0, maxX = 0, maxY = m.height;
    for (size_t pos = 0; pos < utf8.size();) {
        const Glyph& g = font.GlyphFor(rtl::utf8::Next(utf8, pos));
        glyphs_.push_back(&g);
        pens_.push_back(pen);
        if (g.width > 0) {
            minX = std::min(minX, pen + g.left);
            maxX = std::max(maxX, pen + g.left + g.width);
            minY = std::min(minY, m.ascent - g.top);
            maxY = std::max(maxY, m.ascent - g.top + g.height);
        }
        pen += g.advance;
    }
    maxX = std::max(maxX, pen);
    cellWidth_ = pen;
    cellHeight_ = m.height;
    originX_ = minX;
    originY_ = minY;
    bufferWidth_ = maxX - minX;
    bufferHeight_ = maxY - minY;
    coverage_.assign(size_t(bufferWidth_) * size_t(bufferHeight_), 0);

    for (size_t k = 0; k < glyphs_.size(); ++k) {
        const Glyph& g = *glyphs_[k];
        const int bx = pens_[k] + g.left - originX_, by = m.ascent - g.top - originY_;
        for (int y = 0; y < g.height; ++y) {
            const uint8_t* src = g.coverage.data() + size_t(y) * size_t(g.width);
            uint8_t* dst = coverage_.data() + size_t(by + y) * size_t(bufferWidth_) + size_t(bx);
            for (int x = 0; x < g.width; ++x)
                dst[x] = std::max(dst[x], src[x]);
        }
    }
    const auto rule = [&](int row) {
        uint8_t* dst = coverage_.data() + size_t(row - originY_) * size_t(bufferWidth_) + size_t(-originX_);
        std::fill(dst, dst + pen, uint8_t(255));
    };
    if (style.underline && m.height > 0)
        rule(font.UnderlineRow());
    if (style.strikeOut && m.height > 0)
        rule(font.StrikeOutRow());
    return pen;
}

template <typename Map>
void TextRenderer::Composite(const PaintTarget& target, const Rect& device, const TextStyle& style, Map&& sample)
{
    const Rect r = device.Intersect(target.clip);
    for (int Y = r.top; Y < r.bottom; ++Y) {
        Pixel* row = target.raster->Row(Y);
        for (int X = r.left; X < r.right; ++X) {
            unsigned cov = 0;
            bool inCell = false;
            sample(X, Y, cov, inCell);
            if (style.opaque && inCell)
                row[X] = BlendPixel(style.back, style.color, cov);
            else if (cov != 0)
                row[X] = BlendPixel(row[X], style.color, cov);
        }
    }
}

void TextRenderer::Draw(const PaintTarget& target, Font& font, int x, int y, std::string_view utf8,
                        const TextStyle& style)
{
    const int width = Layout(font, utf8, style);
    if (bufferWidth_ <= 0 || bufferHeight_ <= 0)
        return;
    const TextMetrics& m = font.Metrics();
    int ax = 0, ay = 0;
    if ((style.align & textalign::HorizontalMask) == textalign::Center)
        ax = width / 2;
    else if ((style.align & textalign::HorizontalMask) == textalign::Right)
        ax = width;
    if ((style.align & textalign::VerticalMask) == textalign::Baseline)
        ay = m.ascent;
    else if ((style.align & textalign::VerticalMask) == textalign::Bottom)
        ay = m.height;

    // The buffer in reference-relative pixels: p in [p0, p1), q in [q0, q1).
    const int p0 = originX_ - ax, p1 = p0 + bufferWidth_;
    const int q0 = originY_ - ay, q1 = q0 + bufferHeight_;
    const auto at = [&](int p, int q, unsigned& cov, bool& inCell) {
        const int u = p + ax, v = q + ay;
        inCell = u >= 0 && u < cellWidth_ && v >= 0 && v < cellHeight_;
        cov = (p >= p0 && p < p1 && q >= q0 && q < q1)
                  ? coverage_[size_t(q - q0) * size_t(bufferWidth_) + size_t(p - p0)]
                  : 0;
    };

    const int escapement = ((style.escapement % 3600) + 3600) % 3600;
    const auto clampInt = [](int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
    const int64_t X = x, Y = y;
    switch (escapement) {
    case 0: {
        // Unturned text, the common case: buffer rows map straight onto raster rows.
        const Rect r = Rect{clampInt(X + p0), clampInt(Y + q0), clampInt(X + p1), clampInt(Y + q1)}.Intersect(target.clip);
        const Rect cell = Rect{x - ax, y - ay, x - ax + cellWidth_, y - ay + cellHeight_};
        for (int dy = r.top; dy < r.bottom; ++dy) {
            const uint8_t* cov = coverage_.data() + size_t(dy - y - q0) * size_t(bufferWidth_);
            const int shift = x + p0;   // buffer column = device column - shift
            Pixel* row = target.raster->Row(dy);
            const bool cellRow = style.opaque && dy >= cell.top && dy < cell.bottom;
            for (int dx = r.left; dx < r.right; ++dx) {
                const unsigned c = cov[dx - shift];
                if (cellRow && dx >= cell.left && dx < cell.right)
                    row[dx] = BlendPixel(style.back, style.color, c);
                else if (c != 0)
                    row[dx] = BlendPixel(row[dx], style.color, c);
            }
        }
        return;
    }
    case 900:
        Composite(target, {clampInt(X + q0), clampInt(Y - p1), clampInt(X + q1), clampInt(Y - p0)}, style,
                  [&](int dx, int dy, unsigned& c, bool& in) { at(y - dy - 1, dx - x, c, in); });
        return;
    case 1800:
        Composite(target, {clampInt(X - p1), clampInt(Y - q1), clampInt(X - p0), clampInt(Y - q0)}, style,
                  [&](int dx, int dy, unsigned& c, bool& in) { at(x - dx - 1, y - dy - 1, c, in); });
        return;
    case 2700:
        Composite(target, {clampInt(X - q1), clampInt(Y + p0), clampInt(X - q0), clampInt(Y + p1)}, style,
                  [&](int dx, int dy, unsigned& c, bool& in) { at(dy - y, x - dx - 1, c, in); });
        return;
    default:
        break;
    }

    // Any other angle: each device pixel centre maps back into the buffer, where coverage is
    // interpolated between the four nearest buffer pixels.
    const double angle = escapement * M_PI / 1800.0;
    const double cs = std::cos(angle), sn = std::sin(angle);
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    for (const int p : {p0, p1})
        for (const int q : {q0, q1}) {
            const double dx = p * cs + q * sn, dy = -p * sn + q * cs;
            minX = std::min(minX, dx); maxX = std::max(maxX, dx);
            minY = std::min(minY, dy); maxY = std::max(maxY, dy);
        }
    const Rect device{clampInt(X + int64_t(std::floor(minX)) - 1), clampInt(Y + int64_t(std::floor(minY)) - 1),
                      clampInt(X + int64_t(std::ceil(maxX)) + 1), clampInt(Y + int64_t(std::ceil(maxY)) + 1)};
    const auto texel = [&](int i, int j) -> int {
        if (i < 0 || j < 0 || i >= bufferWidth_ || j >= bufferHeight_)
            return 0;
        return coverage_[size_t(j) * size_t(bufferWidth_) + size_t(i)];
    };
    Composite(target, device, style, [&](int dx, int dy, unsigned& c, bool& in) {
        const double rx = dx + 0.5 - x, ry = dy + 0.5 - y;
        const double p = rx * cs - ry * sn, q = rx * sn + ry * cs;
        const double u = p + ax, v = q + ay;
        in = u >= 0 && u < cellWidth_ && v >= 0 && v < cellHeight_;
        const double bu = p - p0 - 0.5, bv = q - q0 - 0.5;
        const int i = int(std::floor(bu)), j = int(std::floor(bv));
        const double fu = bu - i, fv = bv - j;
        const double top = texel(i, j) * (1 - fu) + texel(i + 1, j) * fu;
        const double bottom = texel(i, j + 1) * (1 - fu) + texel(i + 1, j + 1) * fu;
        c = unsigned(std::lround(top * (1 - fv) + bottom * fv));
    });
}

} // namespace platform
