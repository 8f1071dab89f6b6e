#pragma once
// What a form's popup layer can hold: a popup menu or the list of a drop-down box. Each kind is
// a state machine that turns mouse and keys (in form coordinates) into a repaint request and,
// at most once, a chosen id; each paints itself. The layer forwards input while it is open and
// acts on the result; the content itself never calls back.

#include "forms/ClassicPalette.h"
#include "platform/DeviceContext.h"

#include <cstdint>
#include <optional>

struct PopupResult {
    bool handled = false;        // the popup used the input; the owner must not act on it too
    bool repaint = false;        // the popup's look changed, or it closed and uncovered the window
    std::optional<int> chosen;   // the id of the chosen item (the popup has closed)
};

class PopupContent {
public:
    virtual ~PopupContent() = default;

    virtual bool IsOpen() const = 0;
    virtual platform::Rect Bounds() const = 0;   // form coordinates
    virtual void Close() = 0;

    virtual PopupResult MouseMove(platform::Point p) = 0;
    // A press outside closes the popup and is swallowed (the press that dismisses a popup does
    // nothing else); a press inside moves the highlight as a mouse move does.
    virtual PopupResult MouseDown(platform::Point p)
    {
        if (!IsOpen())
            return {};
        if (!Bounds().Contains(p)) {
            Close();
            return {true, true, std::nullopt};
        }
        return MouseMove(p);
    }
    virtual PopupResult MouseUp(platform::Point p) = 0;
    // A key-down; alt tells that Alt was held (a system key).
    virtual PopupResult Key(uint16_t key, bool alt) = 0;
    // The wheel turned by notches (positive away from the user).
    virtual PopupResult Wheel(int notches)
    {
        (void)notches;
        return {true, false, std::nullopt};
    }

    virtual void Paint(platform::DeviceContext& dc, const ClassicPalette& palette) const = 0;
};
