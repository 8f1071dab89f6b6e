#include "app/details/TCursorChart.h"

#include "chart/TChartAxis.h"
#include "forms/TCustomForm.h"

#include <cmath>

F2_DEFINE_CLASS(TCursorChart, TChart, F2_FACTORY(TCursorChart))
{
}

namespace {
constexpr TColor kCursorColor = TColor(0x00404040);
}

int TCursorChart::CursorPixel() const
{
    if (!cursor_ || !std::isfinite(*cursor_))
        return -1;
    const int x = BottomAxis()->ValueToPixel(*cursor_);
    return x >= PlotRect().left && x < PlotRect().right ? x : -1;
}

std::optional<double> TCursorChart::ValueAt(int x, int y) const
{
    const platform::Rect& plot = PlotRect();
    if (x < plot.left || x >= plot.right || y < plot.top || y >= plot.bottom)
        return std::nullopt;
    return BottomAxis()->PixelToValue(x);
}

void TCursorChart::SetCursorValue(std::optional<double> value)
{
    if (value == cursor_)
        return;
    InvalidateColumn(CursorPixel());
    cursor_ = value;
    InvalidateColumn(CursorPixel());
}

// Only the column goes to the form: invalidating the chart itself would render it again.
void TCursorChart::InvalidateColumn(int x)
{
    TCustomForm* form = ParentForm();
    if (x < 0 || !form)
        return;
    const platform::Point origin = ClientOrigin();
    form->InvalidateFormRect({origin.x + x, origin.y + PlotRect().top, origin.x + x + 1, origin.y + PlotRect().bottom});
}

void TCursorChart::Paint()
{
    TChart::Paint();
    const int x = CursorPixel();
    if (x < 0)
        return;
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(kCursorColor);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->MoveTo(x, PlotRect().top);
    canvas->LineTo(x, PlotRect().bottom);
}

void TCursorChart::MouseLeave()
{
    TChart::MouseLeave();
    if (onMouseLeave_)
        onMouseLeave_(this);
}
