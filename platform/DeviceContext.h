#pragma once
// A device context over a Raster with the semantics of the classic desktop's drawing calls:
// a current pen, brush and font, text colour, background colour and mode, text alignment,
// a current position, an origin offset and a rectangular clip (the intersection of every
// rectangle clipped to so far).
//
// Pixel rules (the same inputs give the same pixels on every machine):
// - LineTo draws from the current position up to, but not including, the end point.
// - Rectangle outlines with the pen inside the box and fills the interior with the brush;
//   right and bottom are exclusive. FillRect fills [left,right) x [top,bottom).
// - Coordinates are logical; device = logical + origin. The clip is kept in device
//   coordinates; every primitive translates, clips, and returns early when nothing is left.

#include "platform/Raster.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };
// Raster operations of a pen: Copy paints the pen colour; NotXor inverts the xor of pen and
// screen (drawing twice restores); the others as on the classic desktop.
enum class PenMode { Copy, NotXor, Xor, Not, Black, White };
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Text alignment flags (classic values): horizontal Left 0 / Right 2 / Center 6,
// vertical Top 0 / Bottom 8 / Baseline 24.
namespace textalign {
constexpr uint32_t Left = 0, Right = 2, Center = 6, Top = 0, Bottom = 8, Baseline = 24;
constexpr uint32_t HorizontalMask = 6, VerticalMask = 24;
}

struct PenSpec {
    Pixel color = MakePixel(0, 0, 0);
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    bool alternate = false;   // cosmetic pen that sets every other pixel (small dots)
    friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

struct BrushSpec {
    Pixel color = MakePixel(255, 255, 255);
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const BrushSpec&, const BrushSpec&) = default;
};

// A font request. Height follows the desktop convention: negative = character (em) height in
// pixels, positive = cell height (ascent + descent) in pixels, 0 = a default size.
// Family names the machine lacks are substituted ("Arial" -> a metric-compatible face,
// "MS Sans Serif" -> a sans face with Cyrillic whose cell height at -11 is 13).
struct FontSpec {
    std::string family = "MS Sans Serif";
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;        // rotation in tenths of a degree, counter-clockwise
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextMetrics {
    int height = 0;            // cell height: ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;   // height - em size
    int averageCharWidth = 0;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

class DeviceContext {
public:
    explicit DeviceContext(Raster& target);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Raster& Target() { return *target_; }
    void Retarget(Raster& target);   // draw on another raster; resets origin and clip

    // Current objects.
    void SetPen(const PenSpec& pen);
    const PenSpec& Pen() const;
    void SetBrush(const BrushSpec& brush);
    const BrushSpec& Brush() const;
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const;
    void SetTextColor(Pixel color);
    Pixel TextColor() const;
    void SetBackColor(Pixel color);
    Pixel BackColor() const;
    void SetBackMode(BackgroundMode mode);
    BackgroundMode BackMode() const;
    void SetTextAlign(uint32_t flags);
    uint32_t TextAlign() const;

    // Coordinates and clipping.
    void SetOrigin(Point origin);          // device position of logical (0,0)
    Point Origin() const;
    void IntersectClip(const Rect& logical);
    void RemoveClip();                     // the whole raster becomes drawable again
    Rect ClipBox() const;                  // in logical coordinates
    struct SavedState;
    std::unique_ptr<SavedState> Save() const;          // origin, clip and current objects
    void Restore(const SavedState& state);

    // Lines (current pen).
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    Point CurrentPosition() const;
    void Polyline(const Point* points, int count);

    // Shapes: outline with the pen, fill with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(const Point* points, int count);
    // Fills with a brush (or the current brush), no outline.
    void FillRect(const Rect& rect, const BrushSpec& brush);
    void FillRect(const Rect& rect);
    void SetPixel(int x, int y, Pixel color);
    Pixel GetPixel(int x, int y) const;    // logical coordinates; 0 outside the raster
    // Dotted xor frame, as keyboard focus rectangles are drawn; drawing it twice removes it.
    void DrawFocusRect(const Rect& rect);

    // Text (current font, alignment, text colour, background colour and mode).
    void TextOut(int x, int y, std::string_view utf8);
    Size TextExtent(std::string_view utf8);   // width of the advances, cell height
    TextMetrics Metrics();

    // Block copies (honour origin and clip of this context).
    void BitBlt(int x, int y, int width, int height, const Raster& source, int sx, int sy);
    // Draws source over the target by its alpha: 0 is skipped, 255 copied, and anything between
    // blended (icons with a transparency mask, soft icon edges).
    void DrawTransparent(int x, int y, const Raster& source);
    void StretchBlt(const Rect& dest, const Raster& source);

private:
    struct Impl;
    Raster* target_;
    std::unique_ptr<Impl> impl_;
};

// What Save() keeps. A new context starts with the classic defaults: black solid pen of width 1,
// white solid brush, the dialog font, black text on an opaque white background, left/top
// alignment, no origin offset, the whole raster drawable.
struct DeviceContext::SavedState {
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    Pixel textColor = MakePixel(0, 0, 0);
    Pixel backColor = MakePixel(255, 255, 255);
    BackgroundMode backMode = BackgroundMode::Opaque;
    uint32_t align = textalign::Left | textalign::Top;
    Point origin;
    Rect clip;   // device coordinates
};

} // namespace platform
