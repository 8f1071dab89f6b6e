#include "chart/ChartPalette.h"

TColor ChartPaletteColor(int index)
{
    static constexpr TColor palette[ChartPaletteSize] = {
        clRed,  clGreen,  clYellow, clBlue, clWhite, clGray,   clFuchsia, clTeal,
        clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,   clBlack,
    };
    const int entry = ((index % ChartPaletteSize) + ChartPaletteSize) % ChartPaletteSize;
    return palette[entry];
}
