#pragma once
// The fuzz targets. Each takes one input of arbitrary bytes and returns 0; a fault aborts.
// libFuzzer calls one of them per executable (LibFuzzerMain.cpp), the replay test calls all
// of them on every file of their corpora, so the inputs found once keep being checked by the
// ordinary build.

#include <cstddef>
#include <cstdint>

namespace fuzz {

using Target = int (*)(const uint8_t* data, size_t size);

int TextToFloat(const uint8_t* data, size_t size);      // rtl::TryTextToFloat, TextToFloat
int LayoutCompiler(const uint8_t* data, size_t size);   // layout text -> stream
int BmpDecoder(const uint8_t* data, size_t size);       // platform::DecodeBmp
int IcoDecoder(const uint8_t* data, size_t size);       // platform::DecodeIco
int GraphicStreams(const uint8_t* data, size_t size);   // TBitmap, TIcon, TPicture from streams
int LayoutReader(const uint8_t* data, size_t size);     // TReader into small test components
int CommandLine(const uint8_t* data, size_t size);      // filter2's arguments, split at NUL bytes

} // namespace fuzz
