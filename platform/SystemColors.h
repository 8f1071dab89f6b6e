#pragma once
// The classic system colour palette: the colours controls are drawn in (faces, bevels, window,
// text, selection, menus), looked up by the desktop's system colour index.

#include "platform/Raster.h"

namespace platform {

// The system colour indexes the framework draws with.
namespace syscolor {
constexpr int Menu = 4, Window = 5, WindowFrame = 6, MenuText = 7, WindowText = 8, Highlight = 13,
              HighlightText = 14, BtnFace = 15, BtnShadow = 16, GrayText = 17, BtnHighlight = 20,
              DarkShadow = 21, Light = 22;
}

// The colour of a system colour index; an unknown index reads as black.
Pixel SystemColor(int index);

} // namespace platform
