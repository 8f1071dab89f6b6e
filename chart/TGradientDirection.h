#pragma once
// Directions of a gradient fill, shared by the drawing surface and the chart's gradient.

#include "forms/TypeInfo.h"

enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter,
                          gdFromTopLeft, gdFromBottomLeft };
F2_ENUM_TYPE(TGradientDirection, "gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft",
             "gdFromCenter", "gdFromTopLeft", "gdFromBottomLeft");
