#include "forms/TBrush.h"
#include "forms/TFont.h"
#include "forms/TPen.h"
#include "platform/SystemColors.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

TEST(Font, DefaultsAndSpec)
{
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
    EXPECT_EQ(f.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(f.Pitch(), fpDefault);
    EXPECT_TRUE(f.Style().IsEmpty());
    f.SetStyle({fsBold, fsUnderline});
    f.SetName("Arial");
    f.SetHeight(-16);
    const platform::FontSpec request = f.PlatformSpec();
    EXPECT_EQ(request.family, "Arial");
    EXPECT_EQ(request.height, -16);
    EXPECT_TRUE(request.bold && request.underline);
    EXPECT_FALSE(request.italic || request.strikeOut);
}

TEST(Font, SizeAndHeightConvertAtTheFontsDensity)
{
    TFont f;
    // Heights of the main window's fonts and their point sizes at 96 ppi.
    const std::pair<int, int> known[] = {{-11, 8}, {-13, 10}, {-16, 12}, {-19, 14}, {-24, 18}};
    for (auto [height, size] : known) {
        f.SetHeight(height);
        EXPECT_EQ(f.Size(), size) << height;
        f.SetHeight(0);
        f.SetSize(size);
        EXPECT_EQ(f.Height(), height) << size;
    }
    for (int size = 1; size <= 72; ++size) {
        f.SetSize(size);
        EXPECT_EQ(f.Size(), size);
    }
    f.SetPixelsPerInch(120);
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -13);
    f.SetPixelsPerInch(0);   // ignored: no division by zero
    EXPECT_EQ(f.PixelsPerInch(), 120);
}

TEST(Font, OnChangeFiresOncePerRealChange)
{
    TFont f;
    int changes = 0;
    f.SetOnChange([&](TObject* sender) {
        EXPECT_EQ(sender, &f);
        ++changes;
    });
    f.SetHeight(-11);
    f.SetSize(8);
    f.SetName("MS Sans Serif");
    f.SetColor(clWindowText);
    f.SetStyle({});
    f.SetCharset(DEFAULT_CHARSET);
    f.SetPitch(fpDefault);
    EXPECT_EQ(changes, 0);
    f.SetHeight(-13);
    f.SetColor(clMaroon);
    f.SetStyle({fsBold});
    f.SetName("Arial");
    f.SetCharset(RUSSIAN_CHARSET);
    f.SetPitch(fpFixed);
    EXPECT_EQ(changes, 6);

    TFont other;
    f.Assign(&other);   // many fields differ: one event
    EXPECT_EQ(changes, 7);
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    f.Assign(&other);   // nothing differs
    EXPECT_EQ(changes, 7);
}

TEST(Font, AssignKeepsPointSizeAcrossDensities)
{
    TFont screen, printer;
    printer.SetPixelsPerInch(192);
    screen.SetHeight(-16);   // 12 points at 96 ppi
    printer.Assign(&screen);
    EXPECT_EQ(printer.Height(), -32);
    EXPECT_EQ(printer.Size(), 12);
    TPen pen;
    EXPECT_THROW(printer.Assign(&pen), EConvertError);
}

TEST(Pen, DefaultsSettersAndSpec)
{
    TPen p;
    int changes = 0;
    p.SetOnChange([&](TObject*) { ++changes; });
    EXPECT_EQ(p.Color(), clBlack);
    EXPECT_EQ(p.Mode(), pmCopy);
    EXPECT_EQ(p.Style(), psSolid);
    EXPECT_EQ(p.Width(), 1);
    p.SetWidth(0);   // clamped to 1: no change
    p.SetColor(clBlack);
    EXPECT_EQ(changes, 0);
    p.SetWidth(2);
    p.SetColor(clRed);
    p.SetStyle(psDot);
    p.SetMode(pmNotXor);
    EXPECT_EQ(changes, 4);
    platform::PenSpec request = p.PlatformSpec();
    EXPECT_EQ(request.width, 2);
    EXPECT_EQ(request.color, platform::MakePixel(255, 0, 0));
    EXPECT_EQ(request.style, platform::PenStyle::Dot);
    EXPECT_EQ(request.mode, platform::PenMode::NotXor);
    EXPECT_FALSE(request.alternate);

    p.SetMode(pmNop);
    EXPECT_EQ(p.PlatformSpec().style, platform::PenStyle::Clear);
    p.SetMode(pmMask);   // not a platform mode: drawn as a plain copy
    EXPECT_EQ(p.PlatformSpec().mode, platform::PenMode::Copy);

    p.SetAlternate(true);
    EXPECT_TRUE(p.PlatformSpec().alternate);
    TPen plain;
    p.Assign(&plain);   // assigning a plain pen takes the small-dot flag away again
    EXPECT_FALSE(p.PlatformSpec().alternate);
    EXPECT_EQ(p.Width(), 1);
    EXPECT_EQ(changes, 8);
}

TEST(Brush, DefaultsColourTurnsAClearBrushSolid)
{
    TBrush b;
    int changes = 0;
    b.SetOnChange([&](TObject*) { ++changes; });
    EXPECT_EQ(b.Color(), clWhite);
    EXPECT_EQ(b.Style(), bsSolid);
    b.SetColor(clWhite);
    EXPECT_EQ(changes, 0);
    b.SetStyle(bsClear);
    b.SetColor(clBtnFace);
    EXPECT_EQ(b.Style(), bsSolid);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(b.PlatformSpec().color, platform::SystemColor(platform::syscolor::BtnFace) | 0xFF000000u);
    b.SetStyle(bsDiagCross);
    EXPECT_EQ(b.PlatformSpec().style, platform::BrushStyle::DiagCross);

    TBrush copy;
    copy.Assign(&b);
    EXPECT_EQ(copy.Color(), clBtnFace);
    EXPECT_EQ(copy.Style(), bsDiagCross);
}
