#pragma once
// PNG files for rasters: screenshots and reference images of the pixel tests.

#include "platform/Raster.h"

#include <string>

namespace platform {

// Writes the raster as an 8-bit PNG: RGB when every pixel is opaque, RGBA otherwise.
// Raises EStreamError when the file cannot be created or written (a partly written file is
// removed) and EInvalidGraphic for an empty raster.
void WritePng(const std::string& path, const Raster& raster);

// Reads any PNG into a raster (grey, palette and 16-bit images are converted; images
// without alpha come back opaque). Raises EStreamError when the file cannot be opened and
// EInvalidGraphic when it is not a readable PNG.
Raster ReadPng(const std::string& path);

} // namespace platform
