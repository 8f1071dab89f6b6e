// Where docked and anchored children go when their container changes size, computed without
// any control: the rules alone.

#include "forms/ChildLayout.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Rect;

namespace {

ChildPlacement Docked(TAlign align, Rect bounds)
{
    ChildPlacement child;
    child.align = align;
    child.bounds = bounds;
    return child;
}

// A child placed at `bounds` in a container of w x h, with the given anchors.
ChildPlacement Anchored(TAnchors anchors, Rect bounds, int w, int h)
{
    ChildPlacement child;
    child.anchors = anchors;
    child.bounds = bounds;
    child.anchorBounds = bounds;
    child.anchorParentWidth = w;
    child.anchorParentHeight = h;
    return child;
}

Rect ArrangedIn(int w, int h, ChildPlacement child)
{
    ChildLayout::Arrange({0, 0, w, h}, std::span<ChildPlacement>(&child, 1));
    return child.bounds;
}

} // namespace

TEST(ChildLayout, DockedChildrenTakeTheSidesInClassicOrderAndClientTakesTheRest)
{
    // Listed out of order on purpose: the order comes from the sides and the positions.
    std::vector<ChildPlacement> children = {
        Docked(alClient, {5, 5, 10, 10}),
        Docked(alTop, {0, 50, 10, 70}),       // second from the top (its top is lower)
        Docked(alLeft, {0, 0, 40, 10}),
        Docked(alBottom, {0, 0, 10, 30}),
        Docked(alTop, {0, 10, 10, 35}),       // first from the top
        Docked(alRight, {0, 0, 25, 10}),
    };
    ChildLayout::Arrange({0, 0, 300, 200}, children);
    EXPECT_EQ(children[4].bounds, (Rect{0, 0, 300, 25}));
    EXPECT_EQ(children[1].bounds, (Rect{0, 25, 300, 45}));
    EXPECT_EQ(children[3].bounds, (Rect{0, 170, 300, 200}));
    EXPECT_EQ(children[2].bounds, (Rect{0, 45, 40, 170}));
    EXPECT_EQ(children[5].bounds, (Rect{275, 45, 300, 170}));
    EXPECT_EQ(children[0].bounds, (Rect{40, 45, 275, 170}));
}

TEST(ChildLayout, HiddenDockedChildrenLeaveTheirRoomAndSqueezedOnesKeepNoNegativeSize)
{
    std::vector<ChildPlacement> children = {Docked(alTop, {0, 0, 10, 30}), Docked(alClient, {0, 0, 1, 1}),
                                            Docked(alBottom, {0, 0, 10, 500})};
    children[0].visible = false;
    ChildLayout::Arrange({0, 0, 100, 80}, children);
    EXPECT_EQ(children[0].bounds, (Rect{0, 0, 10, 30}));     // untouched while hidden
    EXPECT_EQ(children[2].bounds, (Rect{0, -420, 100, 80})); // keeps its height, takes everything
    EXPECT_EQ(children[1].bounds, (Rect{0, 0, 100, 0}));     // nothing left, but not inverted
}

TEST(ChildLayout, AnchorsMoveOrStretchEachAxisOnItsOwn)
{
    const Rect r{200, 150, 260, 175};   // in 300 x 200
    EXPECT_EQ(ArrangedIn(400, 260, Anchored({akRight, akBottom}, r, 300, 200)), (Rect{300, 210, 360, 235}));
    EXPECT_EQ(ArrangedIn(400, 260, Anchored({akLeft, akTop, akRight}, r, 300, 200)), (Rect{200, 150, 360, 175}));
    EXPECT_EQ(ArrangedIn(400, 260, Anchored({akLeft, akTop, akRight, akBottom}, r, 300, 200)),
              (Rect{200, 150, 360, 235}));
    // Neither edge: the centre keeps its share (half the change), rounded down both ways.
    EXPECT_EQ(ArrangedIn(401, 201, Anchored({}, r, 300, 200)), (Rect{250, 150, 310, 175}));
    EXPECT_EQ(ArrangedIn(299, 199, Anchored({}, r, 300, 200)), (Rect{199, 149, 259, 174}));
    // A stretch past zero leaves an empty child, never a negative one.
    EXPECT_EQ(ArrangedIn(100, 200, Anchored({akLeft, akTop, akRight}, r, 300, 200)), (Rect{200, 150, 200, 175}));
}

TEST(ChildLayout, AnchoredPositionsComeFromTheRulesSoResizingBackRestoresEveryPixel)
{
    ChildPlacement child = Anchored({akLeft, akTop, akRight, akBottom}, {10, 20, 290, 180}, 300, 200);
    for (int w : {301, 517, 303, 999, 300}) {
        ChildLayout::Arrange({0, 0, w, w * 2 / 3}, std::span<ChildPlacement>(&child, 1));
    }
    ChildLayout::Arrange({0, 0, 300, 200}, std::span<ChildPlacement>(&child, 1));
    EXPECT_EQ(child.bounds, (Rect{10, 20, 290, 180}));
}

TEST(ChildLayout, OnlyAlignedOrNonDefaultAnchoredChildrenFollow)
{
    EXPECT_FALSE(ChildLayout::Follows(alNone, {akLeft, akTop}));
    EXPECT_TRUE(ChildLayout::Follows(alNone, {akLeft}));
    EXPECT_TRUE(ChildLayout::Follows(alNone, {akLeft, akTop, akRight}));
    EXPECT_TRUE(ChildLayout::Follows(alClient, {akLeft, akTop}));
    // A default child keeps its bounds even when its container shrinks to nothing.
    ChildPlacement still = Anchored({akLeft, akTop}, {10, 10, 50, 50}, 300, 200);
    still.bounds = {11, 12, 13, 14};
    EXPECT_EQ(ArrangedIn(0, 0, still), (Rect{11, 12, 13, 14}));
}
