#pragma once
// Where the children of a container go when the container changes size.
//
// Align docks a child to a side of the container: the aligned children are placed in the
// order alTop (by their top edge), alBottom (by their bottom edge, lowest first), alLeft,
// alRight, then alClient takes what is left; each docked child takes the whole remaining
// length of its side and keeps its own height (top, bottom) or width (left, right).
// Anchors tie the edges of a child that is not aligned to the same edges of the container:
//   left + right   the child stretches with the container;
//   right only     the child moves with the right edge, keeping its width;
//   neither        the child keeps its centre at the same share of the container;
//   left only      (the default, with top) the child stays where it is.
// Anchored positions are computed from the child's bounds and the container's size at the
// moment the rules were taken (when the child was last placed by code), never from the last
// result, so growing and shrinking back returns every child to its pixel.
// A child with the default anchors (left, top) and no alignment is never touched, so windows
// that use neither behave exactly as if this did not exist.

#include "forms/TypeInfo.h"
#include "platform/Raster.h"

#include <span>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
F2_ENUM_TYPE(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient");
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
F2_ENUM_TYPE(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom");
using TAnchors = TSet<TAnchorKind>;
F2_SET_TYPE(TAnchors, TAnchorKind);

inline constexpr TAnchors kDefaultAnchors{akLeft, akTop};

struct ChildPlacement {
    TAlign align = alNone;
    TAnchors anchors = kDefaultAnchors;
    bool visible = true;
    platform::Rect bounds;            // in: where the child is; out: where it goes
    platform::Rect anchorBounds;      // the child's bounds when its anchor rules were taken
    int anchorParentWidth = 0;        // the container's client size at that moment
    int anchorParentHeight = 0;
};

class ChildLayout {
public:
    // Whether a child with these settings moves at all when its container is resized.
    static bool Follows(TAlign align, TAnchors anchors) { return align != alNone || !(anchors == kDefaultAnchors); }
    // Places every child that follows the container inside client (the container's client
    // rectangle): visible docked children and all anchored ones; the others keep their bounds.
    static void Arrange(const platform::Rect& client, std::span<ChildPlacement> children);

private:
    static void Dock(platform::Rect& space, std::span<ChildPlacement> children, TAlign side);
    static platform::Rect Anchored(const ChildPlacement& child, const platform::Rect& client);
};
