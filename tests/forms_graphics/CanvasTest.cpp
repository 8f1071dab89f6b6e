#include "forms/TBitmap.h"
#include "forms/TCanvas.h"
#include "forms/TIcon.h"
#include "forms/TMemoryStream.h"
#include "platform/SystemColors.h"
#include "rtl/Exception.h"
#include "tests/forms_graphics/ImageFiles.h"

#include <gtest/gtest.h>

namespace {

const platform::Pixel kWhite = platform::MakePixel(255, 255, 255);
const platform::Pixel kRed = platform::MakePixel(255, 0, 0);
const platform::Pixel kBlue = platform::MakePixel(0, 0, 255);

// Opaque colour of a raster pixel, alpha ignored.
platform::Pixel Rgb(platform::Pixel p) { return p | 0xFF000000u; }

} // namespace

TEST(Canvas, WithoutDeviceContextDrawingIsRefused)
{
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    try {
        canvas.LineTo(5, 5);
        FAIL() << "drawing without a device context must raise";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
    }
    EXPECT_THROW(canvas.TextWidth("x"), EInvalidOperation);
    EXPECT_THROW(canvas.Handle(), EInvalidOperation);

    platform::Raster raster(4, 4, kWhite);
    platform::DeviceContext dc(raster);
    canvas.SetHandle(&dc);
    canvas.SetPixel(1, 1, clRed);
    EXPECT_EQ(Rgb(raster.At(1, 1)), kRed);
    canvas.SetHandle(nullptr);
    EXPECT_THROW(canvas.Pixel(1, 1), EInvalidOperation);
}

TEST(Canvas, HandleSelectsFontPenAndBrushWithTheirBackgroundRules)
{
    platform::Raster raster(8, 8, kWhite);
    platform::DeviceContext dc(raster);
    TCanvas canvas;
    canvas.SetHandle(&dc);

    canvas.Brush()->SetColor(clRed);
    canvas.Font()->SetColor(clBlue);
    canvas.Font()->SetHeight(-16);
    canvas.Pen()->SetWidth(3);
    canvas.Pen()->SetMode(pmXor);
    platform::DeviceContext& h = canvas.Handle();
    EXPECT_EQ(&h, &dc);
    EXPECT_EQ(h.BackMode(), platform::BackgroundMode::Opaque);
    EXPECT_EQ(Rgb(h.BackColor()), kRed);
    EXPECT_EQ(Rgb(h.TextColor()), kBlue);
    EXPECT_EQ(h.Font().height, -16);
    EXPECT_EQ(h.Pen().width, 3);
    EXPECT_EQ(h.Pen().mode, platform::PenMode::Xor);
    EXPECT_EQ(h.Brush().style, platform::BrushStyle::Solid);

    canvas.Brush()->SetStyle(bsClear);
    EXPECT_EQ(canvas.Handle().BackMode(), platform::BackgroundMode::Transparent);
    canvas.Brush()->SetStyle(bsCross);
    EXPECT_EQ(canvas.Handle().BackMode(), platform::BackgroundMode::Transparent);

    // A system text colour is resolved through the palette.
    canvas.Font()->SetColor(clWindowText);
    EXPECT_EQ(Rgb(canvas.Handle().TextColor()), Rgb(platform::SystemColor(platform::syscolor::WindowText)));
}

TEST(Canvas, SelectionIsLazySoDirectContextSettingsSurviveUntilTheObjectChanges)
{
    platform::Raster raster(8, 8, kWhite);
    platform::DeviceContext dc(raster);
    TCanvas canvas;
    canvas.SetHandle(&dc);
    canvas.Handle().SetBackMode(platform::BackgroundMode::Transparent);   // solid brush selected
    canvas.Handle().SetTextColor(kRed);
    EXPECT_EQ(canvas.Handle().BackMode(), platform::BackgroundMode::Transparent);
    EXPECT_EQ(Rgb(canvas.Handle().TextColor()), kRed);
    canvas.Brush()->SetColor(clBlue);
    EXPECT_EQ(canvas.Handle().BackMode(), platform::BackgroundMode::Opaque);
    EXPECT_EQ(Rgb(canvas.Handle().TextColor()), kRed);   // font unchanged
    canvas.Font()->SetColor(clBlack);
    EXPECT_EQ(Rgb(canvas.Handle().TextColor()), platform::MakePixel(0, 0, 0));

    // A newly attached context gets everything selected afresh.
    platform::Raster other(4, 4);
    platform::DeviceContext dc2(other);
    canvas.SetHandle(&dc2);
    EXPECT_EQ(Rgb(canvas.Handle().BackColor()), kBlue);
    EXPECT_EQ(canvas.Handle().BackMode(), platform::BackgroundMode::Opaque);
}

TEST(Canvas, DrawingThroughABitmapCanvasLandsInItsRaster)
{
    TBitmap bitmap;
    bitmap.SetSize(20, 10);
    EXPECT_EQ(bitmap.Image().At(19, 9), kWhite);   // a new bitmap is white
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetColor(clRed);
    c.FillRect({2, 2, 5, 5});
    EXPECT_EQ(Rgb(bitmap.Image().At(2, 2)), kRed);
    EXPECT_EQ(Rgb(bitmap.Image().At(4, 4)), kRed);
    EXPECT_EQ(Rgb(bitmap.Image().At(5, 5)), kWhite);   // right/bottom exclusive
    EXPECT_EQ(c.Pixel(3, 3), clRed);

    c.Pen()->SetColor(clBlue);
    c.MoveTo(0, 8);
    c.LineTo(10, 8);
    EXPECT_EQ(c.PenPos(), (platform::Point{10, 8}));
    EXPECT_EQ(Rgb(bitmap.Image().At(0, 8)), kBlue);
    EXPECT_EQ(Rgb(bitmap.Image().At(9, 8)), kBlue);
    EXPECT_EQ(Rgb(bitmap.Image().At(10, 8)), kWhite);   // the end point is not drawn

    c.Brush()->SetColor(clBlue);
    c.FrameRect({12, 1, 18, 7});
    EXPECT_EQ(Rgb(bitmap.Image().At(12, 1)), kBlue);
    EXPECT_EQ(Rgb(bitmap.Image().At(17, 6)), kBlue);
    EXPECT_EQ(Rgb(bitmap.Image().At(14, 3)), kWhite);   // only the frame

    // Growing keeps what was drawn and the canvas goes on drawing into the new raster.
    bitmap.SetSize(30, 12);
    EXPECT_EQ(Rgb(bitmap.Image().At(3, 3)), kRed);
    EXPECT_EQ(bitmap.Image().At(25, 11), kWhite);
    c.SetPixel(29, 11, clRed);
    EXPECT_EQ(Rgb(bitmap.Image().At(29, 11)), kRed);
    EXPECT_EQ(c.ClipRect(), (platform::Rect{0, 0, 30, 12}));
}

TEST(Canvas, TextRectStaysInsideItsRectangle)
{
    TBitmap bitmap;
    bitmap.SetSize(60, 30);
    TCanvas& c = *bitmap.Canvas();
    c.Font()->SetColor(clBlack);
    c.Font()->SetHeight(-16);
    c.Brush()->SetColor(clRed);
    const platform::Rect box{5, 5, 15, 25};
    c.TextRect(box, 6, 6, "WWWWWWWW");
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const platform::Pixel p = Rgb(bitmap.Image().At(x, y));
            if (!box.Contains({x, y}))
                ASSERT_EQ(p, kWhite) << x << "," << y;
            else if (p != kRed)
                ++dark;
        }
    EXPECT_GT(dark, 0);   // some of the text is there
    EXPECT_EQ(Rgb(bitmap.Image().At(5, 5)), kRed);   // a solid brush fills the box first
    EXPECT_GT(c.TextWidth("WW"), c.TextWidth("W"));
    EXPECT_GT(c.TextHeight("W"), 0);
}

TEST(Canvas, CopyRectAndDrawGraphics)
{
    TBitmap source;
    source.SetSize(4, 4);
    source.Canvas()->SetPixel(1, 2, clRed);
    TBitmap target;
    target.SetSize(10, 10);
    target.Canvas()->CopyRect({5, 5, 9, 9}, *source.Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(Rgb(target.Image().At(6, 7)), kRed);
    EXPECT_EQ(Rgb(target.Image().At(5, 5)), kWhite);
    target.Canvas()->CopyRect({0, 0, 8, 8}, *source.Canvas(), {0, 0, 4, 4});   // doubled
    EXPECT_EQ(Rgb(target.Image().At(2, 4)), kRed);
    EXPECT_EQ(Rgb(target.Image().At(3, 5)), kRed);

    // An icon leaves its masked pixels alone; Draw places it at its own size.
    const auto ico = imagefiles::Ico16({{0, 0, 0}, {0, 0, 255}}, [](int, int) { return 1; },
                                       [](int x, int) { return x >= 16; });
    TMemoryStream stream(ico);
    TIcon icon;
    icon.LoadFromStream(stream);
    TBitmap canvasBitmap;
    canvasBitmap.SetSize(40, 40);
    canvasBitmap.Canvas()->Brush()->SetColor(clRed);
    canvasBitmap.Canvas()->FillRect({0, 0, 40, 40});
    canvasBitmap.Canvas()->Draw(4, 4, icon);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(4, 4)), kBlue);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(19, 35)), kBlue);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(20, 4)), kRed);   // transparent half
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(36, 4)), kRed);   // outside the icon

    // A stretched bitmap covers the whole rectangle.
    canvasBitmap.Canvas()->StretchDraw({0, 0, 8, 8}, source);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(2, 4)), kRed);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(7, 7)), kWhite);

    // A transparent bitmap lets the background show where it has its bottom-left colour,
    // stretched or not.
    source.SetTransparent(true);
    canvasBitmap.Canvas()->Brush()->SetColor(clBlue);
    canvasBitmap.Canvas()->FillRect({0, 0, 40, 40});
    canvasBitmap.Canvas()->Draw(0, 0, source);
    canvasBitmap.Canvas()->StretchDraw({10, 10, 18, 18}, source);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(1, 2)), kRed);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(0, 0)), kBlue);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(12, 14)), kRed);
    EXPECT_EQ(Rgb(canvasBitmap.Image().At(17, 17)), kBlue);
}
