// Bitmaps, icons and pictures loading from streams, the way a layout's "Data" values reach
// them. The first byte picks the route, the rest is the stream:
//   0 TBitmap::LoadFromStream   1 TBitmap::ReadData (4-byte size, then the file)
//   2 TIcon::LoadFromStream     3 TPicture::ReadData (class name, then the graphic's data)
// Bad data raises EInvalidGraphic or EReadError and nothing else. A successful read consumes
// exactly its data and yields a graphic that can be drawn; a failed picture read keeps the
// picture it had.

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

#include "forms/TBitmap.h"
#include "forms/TIcon.h"
#include "forms/TMemoryStream.h"
#include "forms/TPicture.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <string>
#include <vector>

namespace fuzz {
namespace {

constexpr const char* kName = "graphic_streams";

// A drawing into a rectangle of another size takes the stretching path as well.
void DrawSomewhere(TGraphic& graphic)
{
    TBitmap target;
    target.SetSize(9, 7);
    graphic.Draw(*target.Canvas(), platform::Rect{1, 1, 8, 5});
    graphic.Draw(*target.Canvas(), platform::Rect{0, 0, graphic.Width(), graphic.Height()});
}

void CheckLoaded(TGraphic& graphic, TStream& stream, int64_t expectedEnd)
{
    F2_FUZZ_CHECK(kName, !graphic.Empty() && graphic.Width() > 0 && graphic.Height() > 0,
                  "a successful read left the graphic empty");
    // As in the decoder targets: plain pixel data needs a bit per pixel, run-length data has
    // a fixed cap.
    const int64_t pixels = int64_t(graphic.Width()) * graphic.Height();
    F2_FUZZ_CHECK(kName, pixels <= std::max<int64_t>(stream.Size() * 8, int64_t(1) << 22),
                  std::to_string(pixels) + " pixels from " + std::to_string(stream.Size()) + " bytes");
    F2_FUZZ_CHECK(kName, stream.Position() == expectedEnd,
                  "the read stopped at " + std::to_string(stream.Position()) + ", not at " +
                      std::to_string(expectedEnd));
    DrawSomewhere(graphic);
}

uint32_t StoredSize(const std::vector<uint8_t>& bytes, size_t at)
{
    if (bytes.size() < at + 4)
        return 0;
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

void ReadPicture(TMemoryStream& stream, const std::vector<uint8_t>& bytes)
{
    TPicture picture;
    picture.Bitmap()->SetSize(3, 2);
    try {
        picture.ReadData(stream);
    } catch (const Exception&) {
        F2_FUZZ_CHECK(kName, picture.Graphic() != nullptr && picture.Width() == 3 && picture.Height() == 2,
                      "a failed picture read changed the picture");
        throw;
    }
    if (!picture.Graphic())
        return;   // a class name that is not a picture format
    const size_t nameEnd = 1 + size_t(bytes.empty() ? 0 : bytes[0]);
    const bool bitmap = dynamic_cast<TBitmap*>(picture.Graphic()) != nullptr;
    CheckLoaded(*picture.Graphic(), stream,
                bitmap ? int64_t(nameEnd) + 4 + StoredSize(bytes, nameEnd) : int64_t(bytes.size()));
}

} // namespace

int GraphicStreams(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    TMemoryStream stream(bytes);
    try {
        switch (data[0] % 4) {
        case 0: {
            TBitmap bitmap;
            bitmap.LoadFromStream(stream);
            CheckLoaded(bitmap, stream, int64_t(bytes.size()));
            break;
        }
        case 1: {
            TBitmap bitmap;
            bitmap.ReadData(stream);
            CheckLoaded(bitmap, stream, 4 + int64_t(StoredSize(bytes, 0)));
            break;
        }
        case 2: {
            TIcon icon;
            icon.LoadFromStream(stream);
            CheckLoaded(icon, stream, int64_t(bytes.size()));
            break;
        }
        default:
            ReadPicture(stream, bytes);
            break;
        }
    } catch (const EInvalidGraphic&) {
    } catch (const EReadError&) {
    } catch (const std::exception& error) {
        Broken(kName, std::string("unexpected exception: ") + error.what());
    }
    return 0;
}

} // namespace fuzz
