// A chart that keeps its size renders without allocating: the picture, the tick list and the
// label texts reuse what the first paint set up. Counted through the global allocator, which
// this test program replaces for that purpose.

#include "ChartPaintSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
long allocations = 0;
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace chartpaint;

TEST(ChartPaintCost, ASteadyRenderAllocatesNothing)
{
    ProbeChart chart(nullptr);
    TLineSeries* series = SetUpCalculatorChart(chart, 265, 169, clRed);
    AddLowPassResponse(*series);
    TBitmap target;
    target.SetSize(265, 169);
    for (int i = 0; i < 3; ++i)
        chart.RenderTo(target.Canvas(), {0, 0, 265, 169});
    const long before = allocations;
    chart.RenderTo(target.Canvas(), {0, 0, 265, 169});
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(chart.renders, 4);
}
