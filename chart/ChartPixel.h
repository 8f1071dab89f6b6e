#pragma once
// Real numbers become pixel coordinates by taking the nearest integer, halves to the even
// neighbour, everywhere in the chart.

#include "rtl/NumberText.h"

inline int NearestPixel(long double value)
{
    return int(rtl::RoundHalfEven(value));
}
