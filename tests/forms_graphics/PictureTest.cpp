#include "forms/TBitmap.h"
#include "forms/TFiler.h"
#include "forms/TIcon.h"
#include "forms/TMemoryStream.h"
#include "forms/TPicture.h"
#include "rtl/Exception.h"
#include "tests/forms_graphics/ImageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>

namespace {

// Collects the defined properties an object declares, as the layout reader would.
class TCollectingFiler : public TFiler {
public:
    void DefineProperty(const std::string& name, std::function<void(TReader&)>) override { plain.push_back(name); }
    void DefineBinaryProperty(const std::string& name, std::function<void(TStream&)> read) override
    {
        binary[name] = std::move(read);
    }
    std::vector<std::string> plain;
    std::map<std::string, std::function<void(TStream&)>> binary;
};

void ReadDefined(TPersistent& object, const std::string& name, std::vector<uint8_t> bytes)
{
    TCollectingFiler filer;
    object.DefineProperties(filer);
    ASSERT_TRUE(filer.plain.empty());
    ASSERT_EQ(filer.binary.count(name), 1u);
    TMemoryStream stream(std::move(bytes));
    filer.binary[name](stream);
}

std::vector<uint8_t> SizedBitmap(const std::vector<uint8_t>& file)
{
    std::vector<uint8_t> b;
    imagefiles::Put32(b, uint32_t(file.size()));
    b.insert(b.end(), file.begin(), file.end());
    return b;
}

std::vector<uint8_t> Named(const std::string& cls, const std::vector<uint8_t>& data)
{
    // Sized up front: growing a one-byte vector by insert trips a false array-bounds warning of
    // g++ 12 at -O3.
    std::vector<uint8_t> b(1 + cls.size() + data.size());
    b[0] = uint8_t(cls.size());
    std::copy(cls.begin(), cls.end(), b.begin() + 1);
    std::copy(data.begin(), data.end(), b.begin() + 1 + std::ptrdiff_t(cls.size()));
    return b;
}

const std::vector<uint8_t> kStripes = imagefiles::Bmp1(9, 4, [](int x, int) { return x % 3 == 0; });

} // namespace

TEST(Picture, GraphicDataReadsSizedBitmapsAndPlainIcons)
{
    TBitmap bitmap;
    ReadDefined(bitmap, "Data", SizedBitmap(kStripes));
    EXPECT_EQ(bitmap.Width(), 9);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(bitmap.Image().At(3, 1), platform::MakePixel(255, 255, 255));
    EXPECT_EQ(bitmap.Image().At(4, 1), platform::MakePixel(0, 0, 0));

    // A size beyond the stored bytes is a short stream.
    std::vector<uint8_t> cut = SizedBitmap(kStripes);
    cut.resize(cut.size() - 1);
    TBitmap other;
    EXPECT_THROW(ReadDefined(other, "Data", cut), EReadError);
    EXPECT_TRUE(other.Empty());

    TIcon icon;
    ReadDefined(icon, "Data", imagefiles::Ico16({{255, 0, 0}}, [](int, int) { return 0; }, [](int, int) { return false; }));
    EXPECT_EQ(icon.Image().At(0, 0), platform::MakePixel(255, 0, 0));
}

TEST(Picture, DataNamesTheGraphicClass)
{
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });
    ReadDefined(picture, "Data", Named("TBitmap", SizedBitmap(kStripes)));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 9);
    EXPECT_EQ(picture.Height(), 4);
    EXPECT_EQ(changes, 1);

    // Names compare without regard to case, and the icon format is known too.
    ReadDefined(picture, "Data", Named("ticon", imagefiles::Ico16({}, [](int, int) { return 0; }, [](int, int) { return true; })));
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);

    // An unknown class leaves the picture empty.
    ReadDefined(picture, "Data", Named("TMetafile", {1, 2, 3, 4}));
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);

    // Bad graphic data raises and the picture keeps what it had.
    ReadDefined(picture, "Data", Named("TBitmap", SizedBitmap(kStripes)));
    std::vector<uint8_t> garbled = SizedBitmap(kStripes);
    garbled[4] = 'X';
    EXPECT_THROW(ReadDefined(picture, "Data", Named("TBitmap", garbled)), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 9);
}

TEST(Picture, BitmapOnDemandAssignAndChangeForwarding)
{
    TPicture picture;
    int changes = 0;
    picture.SetOnChange([&](TObject*) { ++changes; });
    TBitmap* bitmap = picture.Bitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(picture.Bitmap(), bitmap);   // the same one while it is a bitmap
    const int afterCreate = changes;
    bitmap->SetSize(5, 6);   // a change of the graphic is a change of the picture
    EXPECT_EQ(changes, afterCreate + 1);

    TPicture copy;
    copy.Assign(&picture);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_NE(copy.Graphic(), picture.Graphic());   // a copy, not shared
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.Height(), 6);

    copy.Icon();   // replaces the bitmap by an empty icon
    EXPECT_NE(dynamic_cast<TIcon*>(copy.Graphic()), nullptr);
    EXPECT_EQ(copy.Width(), 0);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Graphic(), nullptr);
}
