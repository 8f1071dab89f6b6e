#include "forms/TColor.h"
#include "forms/TCursor.h"
#include "forms/TFont.h"
#include "forms/TFontCharset.h"
#include "platform/SystemColors.h"

#include <gtest/gtest.h>

#include <set>

TEST(Colors, IdentifiersMapBothWaysWithoutRegardToCase)
{
    TColor c = clBlack;
    ASSERT_TRUE(IdentToColor("clBtnFace", c));
    EXPECT_EQ(uint32_t(c), 0xFF00000Fu);
    ASSERT_TRUE(IdentToColor("CLRED", c));
    EXPECT_EQ(c, 0x0000FF);
    ASSERT_TRUE(IdentToColor("clblue", c));
    EXPECT_EQ(c, 0xFF0000);
    ASSERT_TRUE(IdentToColor("clNone", c));
    EXPECT_EQ(c, 0x1FFFFFFF);
    EXPECT_FALSE(IdentToColor("clPink", c));
    EXPECT_FALSE(IdentToColor("", c));

    std::string ident;
    ASSERT_TRUE(ColorToIdent(clWindowText, ident));
    EXPECT_EQ(ident, "clWindowText");
    EXPECT_FALSE(ColorToIdent(TColor(0x123456), ident));
    EXPECT_EQ(ColorToString(clMaroon), "clMaroon");
    EXPECT_EQ(ColorToString(TColor(0x123456)), "$00123456");
}

TEST(Colors, EveryMapHasDistinctNamesAndValuesThatRoundTrip)
{
    struct Case {
        const TIdentMap& map;
        size_t count;
    } cases[] = {{ColorIdents(), 51}, {CharsetIdents(), 17}, {CursorIdents(), 21}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.map.Entries().size(), c.count);
        std::set<int64_t> values;
        for (const auto& [value, name] : c.map.Entries()) {
            values.insert(value);
            int64_t back = 0;
            ASSERT_TRUE(c.map.IdentToInt(name, back)) << name;
            EXPECT_EQ(back, value) << name;
        }
        EXPECT_EQ(values.size(), c.count);   // no value named twice
    }
    int64_t v = 0;
    ASSERT_TRUE(CharsetIdents().IdentToInt("default_charset", v));
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(CursorIdents().IdentToInt("crHandPoint", v));
    EXPECT_EQ(v, -21);
}

TEST(Colors, PublishedTypesCarryTheirIdentifierMaps)
{
    // This is what lets a layout store Font.Color = clMaroon or Font.Charset = DEFAULT_CHARSET.
    const TClassInfo& font = TFont::StaticClass();
    const TTypeInfo* color = font.FindProperty("Color")->type;
    ASSERT_EQ(color->Kind(), TTypeKind::Integer);
    ASSERT_EQ(color->IdentMap(), &ColorIdents());
    const TTypeInfo* charset = font.FindProperty("charset")->type;
    ASSERT_EQ(charset->IdentMap(), &CharsetIdents());
    EXPECT_EQ(TypeInfoOf<TCursor>()->IdentMap(), &CursorIdents());

    TFont f;
    font.FindProperty("Color")->setOrd(&f, int64_t(int32_t(clBtnFace)));
    EXPECT_EQ(f.Color(), clBtnFace);
    EXPECT_EQ(font.FindProperty("Color")->getOrd(&f), int32_t(0xFF00000F));
    font.FindProperty("Charset")->setOrd(&f, RUSSIAN_CHARSET);
    EXPECT_EQ(f.Charset(), RUSSIAN_CHARSET);
    font.FindProperty("Style")->setOrd(&f, 0b101);
    EXPECT_TRUE(f.Style().Contains(fsBold) && f.Style().Contains(fsUnderline));
}

TEST(Colors, SystemColorsResolveThroughThePalette)
{
    for (int index : {5, 8, 15, 16, 20, 21}) {
        const TColor system = TColor(int32_t(0xFF000000u | uint32_t(index)));
        const platform::Pixel p = platform::SystemColor(index);
        EXPECT_EQ(ColorToRGB(system), MakeColor(platform::PixelRed(p), platform::PixelGreen(p), platform::PixelBlue(p)));
        EXPECT_EQ(ColorToPixel(system), p | 0xFF000000u);
    }
    EXPECT_EQ(ColorToPixel(clRed), platform::MakePixel(255, 0, 0));
    EXPECT_EQ(ColorToPixel(clBlue), platform::MakePixel(0, 0, 255));
    EXPECT_EQ(ColorToPixel(clOlive), platform::MakePixel(128, 128, 0));
    EXPECT_EQ(PixelToColor(platform::MakePixel(1, 2, 3)), MakeColor(1, 2, 3));
    // The markers stay recognisable after resolving.
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}
