#pragma once
// Mouse cursor shapes by their classic numbers (negative: built-in shapes).

#include "forms/TypeInfo.h"

#include <cstdint>

enum TCursor : int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
    crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
    crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crNo = -18,
    crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};

// The 21 cursor names.
const TIdentMap& CursorIdents();
F2_INTEGER_TYPE(TCursor, &CursorIdents());
