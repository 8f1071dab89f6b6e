#pragma once
// The colours the classic look paints with, already resolved to pixels. Painters take a
// palette instead of looking colours up themselves, so they stay free of the colour type of
// the framework and tests can paint with colours that are easy to tell apart.

#include "platform/Raster.h"

struct ClassicPalette {
    platform::Pixel face = 0;           // button face, dialog background
    platform::Pixel shadow = 0;         // button shadow
    platform::Pixel highlight = 0;      // button highlight (the light edge of a bevel)
    platform::Pixel darkShadow = 0;     // 3-D dark shadow
    platform::Pixel light = 0;          // 3-D light
    platform::Pixel window = 0;         // edit and radio interiors
    platform::Pixel windowText = 0;
    platform::Pixel grayText = 0;       // disabled menu text
    platform::Pixel selection = 0;      // selected text and menu bar background
    platform::Pixel selectionText = 0;
    platform::Pixel menu = 0;
    platform::Pixel menuText = 0;
    platform::Pixel frame = 0;          // the default button's black frame

    // The desktop's system colours.
    static ClassicPalette System();
};
