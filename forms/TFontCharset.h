#pragma once
// Character sets a font may ask for. Kept for the layout (every font of the main window stores
// DEFAULT_CHARSET); text is UTF-8 throughout, so the value does not change how text is drawn.

#include "forms/TypeInfo.h"

#include <cstdint>

enum TFontCharset : uint8_t {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77,
    SHIFTJIS_CHARSET = 128, HANGEUL_CHARSET = 129, GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136,
    GREEK_CHARSET = 161, TURKISH_CHARSET = 162, HEBREW_CHARSET = 177, ARABIC_CHARSET = 178,
    BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238,
    OEM_CHARSET = 255,
};

// The 17 charset names.
const TIdentMap& CharsetIdents();
F2_INTEGER_TYPE(TFontCharset, &CharsetIdents());
