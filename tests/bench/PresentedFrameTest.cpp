// A paint presents only the parts of the window that changed; the frame the window keeps must
// still be exactly the form's back buffer, whatever changed and wherever.

#include "ProgramHarness.h"

#include "app/Unit1.h"
#include "chart/TChart.h"
#include "forms/TButton.h"
#include "forms/TApplication.h"

#include <gtest/gtest.h>

namespace {

void ExpectFrameIsBackBuffer(ProgramHarness& program, const char* after)
{
    const platform::HeadlessWindow* window = program.Desktop().FindWindow(Form1->NativeWindow().Id());
    ASSERT_NE(window, nullptr);
    const platform::Raster& frame = window->LastFrame();
    const platform::Raster& buffer = Form1->BackBuffer();
    ASSERT_EQ(frame.Width(), buffer.Width()) << after;
    ASSERT_EQ(frame.Height(), buffer.Height()) << after;
    int differing = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            differing += frame.At(x, y) != buffer.At(x, y);
    EXPECT_EQ(differing, 0) << after;
}

TEST(PresentedFrame, StaysTheBackBufferThroughChangesInSeparatePlaces)
{
    ProgramHarness program;
    ExpectFrameIsBackBuffer(program, "start-up");
    const int presented = program.Desktop().FindWindow(Form1->NativeWindow().Id())->PresentCount();

    program.Key("Enter");                  // both charts, far apart, and the result labels
    ExpectFrameIsBackBuffer(program, "Go");
    program.Enter("Edit1", "2500");        // a field, the results reset, the charts stay
    ExpectFrameIsBackBuffer(program, "typing");
    program.Click("RadioButton2");         // the unit, far from the field
    program.Key("Enter");
    ExpectFrameIsBackBuffer(program, "kHz and Go");
    program.Enter("Edit2", "9");           // out of range: banner, marked field, limit text
    program.Key("Enter");
    ExpectFrameIsBackBuffer(program, "out of range");
    EXPECT_GT(program.Desktop().FindWindow(Form1->NativeWindow().Id())->PresentCount(), presented);
}

TEST(PresentedFrame, TwoDistantChangesAroundAnotherControlLeaveAFaithfulFrame)
{
    ProgramHarness program;
    program.Key("Enter");
    // The charts lie left and right of the Go button: their dirty parts stay apart.
    Form1->Chart2->Invalidate();
    Form1->Chart3->Invalidate();
    const platform::Rect box = Form1->DirtyRect();
    const platform::Rect button = Form1->Button2->BoundsInForm();
    ASSERT_FALSE(box.Intersect(button).IsEmpty()) << "the layout no longer puts Go between the charts";
    program.Pump();
    ExpectFrameIsBackBuffer(program, "two charts");
}

} // namespace
