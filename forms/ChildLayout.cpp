#include "forms/ChildLayout.h"

#include <algorithm>
#include <vector>

using platform::Rect;

void ChildLayout::Arrange(const Rect& client, std::span<ChildPlacement> children)
{
    Rect space = client;
    for (TAlign side : {alTop, alBottom, alLeft, alRight, alClient})
        Dock(space, children, side);
    for (ChildPlacement& child : children)
        // Hidden anchored children move too, so that they are in place when they appear.
        if (child.align == alNone && Follows(alNone, child.anchors))
            child.bounds = Anchored(child, client);
}

void ChildLayout::Dock(Rect& space, std::span<ChildPlacement> children, TAlign side)
{
    std::vector<ChildPlacement*> docked;
    for (ChildPlacement& child : children)
        if (child.visible && child.align == side)
            docked.push_back(&child);
    // Children docked to one side keep their order along it: the one nearest the side first.
    std::stable_sort(docked.begin(), docked.end(), [side](const ChildPlacement* a, const ChildPlacement* b) {
        switch (side) {
        case alTop: return a->bounds.top < b->bounds.top;
        case alBottom: return a->bounds.bottom > b->bounds.bottom;
        case alLeft: return a->bounds.left < b->bounds.left;
        case alRight: return a->bounds.right > b->bounds.right;
        default: return false;
        }
    });
    for (ChildPlacement* child : docked) {
        const int width = child->bounds.Width();
        const int height = child->bounds.Height();
        Rect& r = child->bounds;
        switch (side) {
        case alTop:
            r = {space.left, space.top, space.right, space.top + height};
            space.top = std::min(space.top + height, space.bottom);
            break;
        case alBottom:
            r = {space.left, space.bottom - height, space.right, space.bottom};
            space.bottom = std::max(space.bottom - height, space.top);
            break;
        case alLeft:
            r = {space.left, space.top, space.left + width, space.bottom};
            space.left = std::min(space.left + width, space.right);
            break;
        case alRight:
            r = {space.right - width, space.top, space.right, space.bottom};
            space.right = std::max(space.right - width, space.left);
            break;
        default:
            r = space;
            break;
        }
        // A docked child squeezed past the other side keeps no negative size.
        r.right = std::max(r.right, r.left);
        r.bottom = std::max(r.bottom, r.top);
    }
}

Rect ChildLayout::Anchored(const ChildPlacement& child, const Rect& client)
{
    const Rect& was = child.anchorBounds;
    // One axis: the start and length of the child along it from the anchors of its two edges.
    const auto axis = [](int start, int length, int oldSize, int newSize, bool near, bool far, int& outStart,
                         int& outLength) {
        const int farGap = oldSize - (start + length);
        outStart = start;
        outLength = length;
        if (near && far)
            outLength = std::max(newSize - farGap - start, 0);
        else if (far)
            outStart = newSize - farGap - length;
        else if (!near)
            // Half the change keeps the centre's share; rounded down, in both directions.
            outStart = start + (newSize - oldSize >= 0 ? (newSize - oldSize) / 2 : -((oldSize - newSize + 1) / 2));
    };
    int left, width, top, height;
    axis(was.left, was.Width(), child.anchorParentWidth, client.Width(), child.anchors.Contains(akLeft),
         child.anchors.Contains(akRight), left, width);
    axis(was.top, was.Height(), child.anchorParentHeight, client.Height(), child.anchors.Contains(akTop),
         child.anchors.Contains(akBottom), top, height);
    return {left, top, left + width, top + height};
}
