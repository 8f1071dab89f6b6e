// Captions of the main window as they are painted: the words of a caption stand apart, with a
// visible gap where the caption has a blank.

#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "forms/TControl.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Empty columns between two words of these captions: the blank plus the glyphs' side
// bearings. Letters of one word are never that far apart in the window's fonts.
constexpr int WordGap = 3;

class CaptionSpacing : public ::testing::Test {
protected:
    ProgramHarness app;

    // For each column of the control as last presented: whether any pixel differs from the
    // control's background (its most common colour).
    std::vector<bool> InkColumns(const std::string& name)
    {
        const platform::Raster& frame = app.Desktop().FindWindow(Form1->NativeWindow().Id())->LastFrame();
        TControl* control = app.Control(name);
        const platform::Point at = control->ClientOrigin(), form = Form1->ClientOrigin();
        const int left = at.x - form.x, top = at.y - form.y;
        std::map<platform::Pixel, int> colours;
        for (int y = top; y < top + control->Height(); ++y)
            for (int x = left; x < left + control->Width(); ++x)
                ++colours[frame.At(x, y)];
        platform::Pixel background = 0;
        int most = 0;
        for (const auto& [pixel, count] : colours)
            if (count > most) {
                most = count;
                background = pixel;
            }
        std::vector<bool> ink;
        for (int x = left; x < left + control->Width(); ++x) {
            bool any = false;
            for (int y = top; y < top + control->Height(); ++y)
                any = any || frame.At(x, y) != background;
            ink.push_back(any);
        }
        return ink;
    }

    // The number of words a reader sees: runs of ink separated by at least WordGap empty
    // columns.
    int PaintedWords(const std::string& name)
    {
        const std::vector<bool> ink = InkColumns(name);
        int words = 0, blank = WordGap;
        for (const bool column : ink) {
            if (column) {
                words += blank >= WordGap;
                blank = 0;
            } else {
                ++blank;
            }
        }
        return words;
    }

    static int WordsOf(const std::string& caption)
    {
        std::istringstream in(caption);
        int words = 0;
        for (std::string word; in >> word;)
            ++words;
        return words;
    }
};

} // namespace

TEST_F(CaptionSpacing, TheWordsOfTheTitleAndOfAUnitStandApart)
{
    // The title: eight words in a bold face.
    ASSERT_EQ(WordsOf(app.Text("Label1")), 8);
    EXPECT_EQ(PaintedWords("Label1"), 8) << app.Text("Label1");

    // A resistor unit after a calculation: "kOhm", "/" and the Russian unit.
    app.Key("Enter");
    ASSERT_EQ(app.Text("Label17"), "kOhm / кОм");
    EXPECT_EQ(PaintedWords("Label17"), 3);
}
