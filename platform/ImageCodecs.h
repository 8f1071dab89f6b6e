#pragma once
// Decoding of the two image file formats the program stores: bitmap files ("BM", any depth the
// decoder supports, 1-bit included) and icon files (the first image; its mask becomes alpha 0).
// The result is a Raster of opaque pixels, or for icons pixels with alpha 0 where the mask
// says transparent. Bad data raises EInvalidGraphic; no byte outside the span is read.

#include "platform/Raster.h"

#include <cstdint>
#include <span>

namespace platform {

Raster DecodeBmp(std::span<const uint8_t> bytes);
Raster DecodeIco(std::span<const uint8_t> bytes);

} // namespace platform
