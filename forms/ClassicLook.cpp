#include "forms/ClassicLook.h"

#include <algorithm>
#include <array>

using platform::Pixel;
using platform::Rect;

namespace {

// The classic 12-pixel radio circle: 'o' outer ring, 'i' inner ring, 'w' interior, 'd' the dot
// (interior when unchecked), '.' untouched. The map is symmetric left-right, top-bottom and
// about both diagonals, so the circle looks the same from every side.
constexpr std::array<const char*, 12> kRadioMap = {
    "....oooo....",
    "..ooiiiioo..",
    ".oiiwwwwiio.",
    ".oiwwwwwwio.",
    "oiwwwddwwwio",
    "oiwwddddwwio",
    "oiwwddddwwio",
    "oiwwwddwwwio",
    ".oiwwwwwwio.",
    ".oiiwwwwiio.",
    "..ooiiiioo..",
    "....oooo....",
};

// The check mark inside a check box, 7 x 7 at offset (3, 3).
constexpr std::array<const char*, 7> kCheckMap = {
    "......X",
    ".....XX",
    "X...XXX",
    "XX.XXX.",
    "XXXXX..",
    ".XXX...",
    "..X....",
};

} // namespace

void ClassicLook::Fill(int left, int top, int right, int bottom, Pixel color)
{
    dc_.FillRect(Rect{left, top, right, bottom}, platform::BrushSpec{color, platform::BrushStyle::Solid});
}

void ClassicLook::Outline(const Rect& r, Pixel color)
{
    if (r.IsEmpty())
        return;
    Fill(r.left, r.top, r.right, r.top + 1, color);
    Fill(r.left, r.bottom - 1, r.right, r.bottom, color);
    Fill(r.left, r.top, r.left + 1, r.bottom, color);
    Fill(r.right - 1, r.top, r.right, r.bottom, color);
}

Rect ClassicLook::Frame3D(const Rect& rect, Pixel topLeft, Pixel bottomRight, int width)
{
    Rect r = rect;
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        Fill(r.left, r.top, r.right - 1, r.top + 1, topLeft);
        Fill(r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
        Fill(r.right - 1, r.top, r.right, r.bottom, bottomRight);
        Fill(r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
        r = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    return r;
}

Rect ClassicLook::DrawBevel(const Rect& rect, BevelKind kind, int width)
{
    switch (kind) {
    case BevelKind::Lowered:
        return Frame3D(rect, palette_.shadow, palette_.highlight, width);
    case BevelKind::Raised:
        return Frame3D(rect, palette_.highlight, palette_.shadow, width);
    case BevelKind::Space:
        return Rect{rect.left + width, rect.top + width, rect.right - width, rect.bottom - width};
    case BevelKind::None:
        break;
    }
    return rect;
}

Rect ClassicLook::DrawEdgeSunken(const Rect& rect)
{
    const Rect inner = Frame3D(rect, palette_.shadow, palette_.highlight, 1);
    return Frame3D(inner, palette_.darkShadow, palette_.light, 1);
}

Rect ClassicLook::DrawButtonFace(const Rect& rect, const ButtonLook& look)
{
    Rect r = rect;
    if (look.isDefault) {
        Outline(r, palette_.frame);
        r = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    Rect content;
    if (look.pressed) {
        // Pressed: a flat shadow frame, and the caption moves one pixel right and down.
        Outline(r, palette_.shadow);
        content = Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        Fill(content.left, content.top, content.right, content.bottom, palette_.face);
        content = content.Offset(1, 1);
    } else {
        const Rect outer = Frame3D(r, palette_.highlight, palette_.darkShadow, 1);
        content = Frame3D(outer, palette_.light, palette_.shadow, 1);
        Fill(content.left, content.top, content.right, content.bottom, palette_.face);
    }
    if (look.focused) {
        const int inset = kButtonFocusInset;
        DrawFocusRect(Rect{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset});
    }
    return content;
}

void ClassicLook::DrawRadio(int x, int y, bool checked, bool enabled, int zoom)
{
    const Pixel interior = enabled ? palette_.window : palette_.face;
    const Pixel dot = !checked ? interior : enabled ? palette_.windowText : palette_.shadow;
    for (int row = 0; row < 12; ++row) {
        for (int col = 0; col < 12; ++col) {
            // The ring is lit from the top left: the half above the anti-diagonal is in shadow.
            const bool upperLeft = row + col <= 10;
            Pixel color;
            switch (kRadioMap[size_t(row)][col]) {
            case 'o': color = upperLeft ? palette_.shadow : palette_.highlight; break;
            case 'i': color = upperLeft ? palette_.darkShadow : palette_.light; break;
            case 'w': color = interior; break;
            case 'd': color = dot; break;
            default: continue;
            }
            if (zoom == 1)
                dc_.SetPixel(x + col, y + row, color);
            else
                Fill(x + col * zoom, y + row * zoom, x + (col + 1) * zoom, y + (row + 1) * zoom, color);
        }
    }
}

void ClassicLook::DrawCheck(int x, int y, bool checked, bool enabled)
{
    const Rect inside = DrawEdgeSunken(Rect{x, y, x + kRadioSize, y + kRadioSize});
    Fill(inside.left, inside.top, inside.right, inside.bottom, enabled ? palette_.window : palette_.face);
    if (!checked)
        return;
    const Pixel mark = enabled ? palette_.windowText : palette_.shadow;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (kCheckMap[size_t(row)][col] == 'X')
                dc_.SetPixel(x + 3 + col, y + 3 + row, mark);
}

Rect ClassicLook::DrawGroupFrame(const Rect& rect, int captionWidth, int captionHeight)
{
    const int top = rect.top + captionHeight / 2;
    const Rect caption{rect.left + kGroupCaptionIndent, rect.top,
                       rect.left + kGroupCaptionIndent + std::max(captionWidth, 0), rect.top + captionHeight};
    // The etched line: a highlight frame one pixel right and down, then the shadow frame over
    // it; the top rows leave out the caption's span.
    const auto frame = [&](const Rect& r, Pixel color) {
        if (r.IsEmpty())
            return;
        if (caption.IsEmpty()) {
            Fill(r.left, r.top, r.right, r.top + 1, color);
        } else {
            Fill(r.left, r.top, std::min(caption.left, r.right), r.top + 1, color);
            Fill(std::max(caption.right, r.left), r.top, r.right, r.top + 1, color);
        }
        Fill(r.left, r.bottom - 1, r.right, r.bottom, color);
        Fill(r.left, r.top, r.left + 1, r.bottom, color);
        Fill(r.right - 1, r.top, r.right, r.bottom, color);
    };
    frame(Rect{rect.left + 1, top + 1, rect.right, rect.bottom}, palette_.highlight);
    frame(Rect{rect.left, top, rect.right - 1, rect.bottom - 1}, palette_.shadow);
    return caption;
}

void ClassicLook::DrawDisabledText(int x, int y, std::string_view utf8)
{
    const auto saved = dc_.Save();
    dc_.SetBackMode(platform::BackgroundMode::Transparent);
    dc_.SetTextColor(palette_.highlight);
    dc_.TextOut(x + 1, y + 1, utf8);
    dc_.SetTextColor(palette_.shadow);
    dc_.TextOut(x, y, utf8);
    dc_.Restore(*saved);
}
