// The calculator's window on a desktop of twice the standard density (a desktop scaled by 2):
// drawn at the scale in real pixels, every control exactly twice as large, the text rendered
// at twice the height, the schematics enlarged by whole pixels, the charts drawing their curves.

#include "ProgramHarness.h"
#include "forms/TControl.h"
#include "forms/TForm.h"
#include "forms/TLabel.h"
#include "app/Unit1.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using platform::Pixel;
using platform::Raster;

namespace {

struct Bounds {
    int left, top, width, height;
    bool fitsText = false;   // an auto-sized label: its size is its text's
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

void PrintTo(const Bounds& b, std::ostream* os)
{
    *os << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

// Every control of the main window by name, with its bounds in its parent.
std::map<std::string, Bounds> AllBounds()
{
    std::map<std::string, Bounds> bounds{{"Form1", {0, 0, Form1->Width(), Form1->Height()}}};
    for (int i = 0; i < Form1->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(Form1->Components(i)))
            bounds[control->Name()] = {control->Left(), control->Top(), control->Width(), control->Height(),
                                       control->AutoSize() && dynamic_cast<TLabel*>(control)};
    return bounds;
}

// Rows and columns of the frame in the rectangle that hold a pixel of the colour.
struct Ink {
    int rows = 0;
    int pixels = 0;
};

Ink InkOf(const Raster& frame, platform::Rect r, bool (*colour)(Pixel))
{
    Ink ink;
    for (int y = r.top; y < r.bottom; ++y) {
        int inRow = 0;
        for (int x = r.left; x < r.right; ++x)
            inRow += colour(frame.At(x, y));
        ink.rows += inRow > 0;
        ink.pixels += inRow;
    }
    return ink;
}

bool IsMaroon(Pixel p)
{
    return platform::PixelRed(p) >= 100 && platform::PixelGreen(p) < 60 && platform::PixelBlue(p) < 60;
}
bool IsRed(Pixel p) { return platform::PixelRed(p) > 200 && platform::PixelGreen(p) < 60 && platform::PixelBlue(p) < 60; }
bool IsBlue(Pixel p) { return platform::PixelBlue(p) > 200 && platform::PixelRed(p) < 60 && platform::PixelGreen(p) < 60; }
bool IsBlack(Pixel p) { return (p & 0xFFFFFFu) == 0; }

platform::Rect OnForm(const std::string& name)
{
    const TControl* c = dynamic_cast<TControl*>(Form1->FindComponent(name));
    platform::Rect r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    for (const TControl* p = c->Parent(); p && p != Form1; p = p->Parent())
        r = r.Offset(p->Left(), p->Top());
    return r;
}

struct Rendering {
    std::map<std::string, Bounds> bounds;
    Ink title;        // the maroon heading
    Ink schematic;    // the black lines of the low-pass schematic
    int redInLowPass = 0;
    int blueInHighPass = 0;
    int frameWidth = 0;
    int frameHeight = 0;
};

// The window at the density, before and after "Go".
Rendering Render(int pixelsPerInch)
{
    ProgramHarness program(pixelsPerInch);
    Rendering result;
    result.bounds = AllBounds();
    result.title = InkOf(program.Frame(), OnForm("Label1"), IsMaroon);
    result.schematic = InkOf(program.Frame(), OnForm("Image1"), IsBlack);
    program.Click("Button2");
    const Raster& frame = program.Frame();
    result.frameWidth = frame.Width();
    result.frameHeight = frame.Height();
    result.redInLowPass = InkOf(frame, OnForm("Chart2"), IsRed).pixels;
    result.blueInHighPass = InkOf(frame, OnForm("Chart3"), IsBlue).pixels;
    return result;
}

} // namespace

TEST(ScaledWindow, AtTwiceTheDensityTheWholeWindowIsDrawnAtTwiceTheSize)
{
    const Rendering standard = Render(96);
    const Rendering doubled = Render(192);

    ASSERT_EQ(standard.bounds.size(), doubled.bounds.size());
    for (const auto& [name, b] : standard.bounds) {
        const Bounds& d = doubled.bounds.at(name);
        if (!b.fitsText) {
            EXPECT_EQ(d, (Bounds{2 * b.left, 2 * b.top, 2 * b.width, 2 * b.height})) << name;
            continue;
        }
        // A label that fits its text takes the size of the text rendered at twice the height,
        // which hinting makes a few pixels more or less than twice the small one's: its place
        // doubles exactly, its size within a tenth.
        EXPECT_EQ(d.left, 2 * b.left) << name;
        EXPECT_EQ(d.top, 2 * b.top) << name;
        EXPECT_NEAR(d.width, 2 * b.width, 2 * b.width / 10 + 1) << name;
        EXPECT_NEAR(d.height, 2 * b.height, 2 * b.height / 10 + 1) << name;
    }
    EXPECT_EQ(doubled.frameWidth, 1492);
    EXPECT_EQ(doubled.frameHeight, 986);

    // Text rendered at twice the height, not the standard one (nor an enlarged bitmap: the
    // ink of a glyph enlarged by pixels would be exactly twice as tall).
    ASSERT_GT(standard.title.rows, 5);
    const double taller = double(doubled.title.rows) / standard.title.rows;
    EXPECT_GT(taller, 1.7);
    EXPECT_LT(taller, 2.3);
    // The schematic enlarged by whole pixels: each black pixel a 2 x 2 block.
    EXPECT_EQ(doubled.schematic.pixels, 4 * standard.schematic.pixels);
    EXPECT_EQ(doubled.schematic.rows, 2 * standard.schematic.rows);
    // The charts draw their curves at the new size.
    EXPECT_GT(standard.redInLowPass, 100);
    EXPECT_GT(doubled.redInLowPass, standard.redInLowPass * 3 / 2);
    EXPECT_GT(doubled.blueInHighPass, standard.blueInHighPass * 3 / 2);
}

TEST(ScaledWindow, AtOneAndAHalfTheDensityMeasuresFollowTheDensityAndTheSchematicStaysWhole)
{
    const Rendering standard = Render(96);
    const Rendering scaled = Render(144);
    const auto times = [](int v) { return int(v * 3 / 2.0 + 0.5); };
    EXPECT_EQ(scaled.bounds.at("Form1").width, times(746));
    EXPECT_EQ(scaled.bounds.at("Form1").height, times(493));
    // A picture pixel cannot be one and a half screen pixels: the schematic keeps its own.
    EXPECT_EQ(scaled.schematic.pixels, standard.schematic.pixels);
    EXPECT_GT(scaled.redInLowPass, standard.redInLowPass);
}
