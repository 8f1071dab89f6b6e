#pragma once
// Painters of the classic desktop look: bevels, the sunken edge of edit boxes, button faces,
// radio circles and check boxes, etched group frames, embossed disabled text and focus frames.
// They draw through a device context with colours from a palette and know nothing of controls,
// so each control's paint stays a few calls and every painter can be tested on a raster.
//
// Edge convention of every bevel, as classic frames are drawn: the top-left colour owns the top
// row and the left column except their far ends; the bottom-right colour owns the whole right
// column and the whole bottom row, corners included.

#include "forms/ClassicPalette.h"
#include "platform/DeviceContext.h"

#include <string_view>

enum class BevelKind { None, Lowered, Raised, Space };

struct ButtonLook {
    bool pressed = false;
    bool isDefault = false;     // the default button (or a button with the focus) has a black frame
    bool focused = false;       // draws the dotted focus frame inside the face
};

class ClassicLook {
public:
    static constexpr int kRadioSize = 13;     // the cell of a radio circle or check box
    static constexpr int kButtonFocusInset = 4;
    static constexpr int kGroupCaptionIndent = 8;

    explicit ClassicLook(platform::DeviceContext& dc, const ClassicPalette& palette = ClassicPalette::System())
        : dc_(dc), palette_(palette)
    {
    }
    const ClassicPalette& Palette() const { return palette_; }

    // A frame `width` pixels wide; returns the rectangle inside it.
    platform::Rect Frame3D(const platform::Rect& rect, platform::Pixel topLeft,
                           platform::Pixel bottomRight, int width);
    // A panel bevel: lowered is shadow over highlight, raised the reverse, space only insets.
    platform::Rect DrawBevel(const platform::Rect& rect, BevelKind kind, int width);
    // The 2-pixel sunken client edge of an edit box; returns the client rectangle.
    platform::Rect DrawEdgeSunken(const platform::Rect& rect);
    // A push button's frame and face; returns where the caption goes (shifted when pressed).
    platform::Rect DrawButtonFace(const platform::Rect& rect, const ButtonLook& look);
    // A 12-pixel radio circle in the 13 x 13 cell at (x, y); with a zoom, each of its pixels
    // a zoom x zoom block (in a cell zoom times as large).
    void DrawRadio(int x, int y, bool checked, bool enabled, int zoom = 1);
    // A 13 x 13 check box at (x, y).
    void DrawCheck(int x, int y, bool checked, bool enabled);
    // An etched frame whose top runs through the middle of the caption, with a gap for it
    // starting kGroupCaptionIndent pixels from the left; returns the caption's rectangle.
    platform::Rect DrawGroupFrame(const platform::Rect& rect, int captionWidth, int captionHeight);
    // Text in the embossed look of disabled controls (current font of the context).
    void DrawDisabledText(int x, int y, std::string_view utf8);
    void DrawFocusRect(const platform::Rect& rect) { dc_.DrawFocusRect(rect); }

private:
    void Fill(int left, int top, int right, int bottom, platform::Pixel color);
    void Outline(const platform::Rect& rect, platform::Pixel color);

    platform::DeviceContext& dc_;
    ClassicPalette palette_;
};
