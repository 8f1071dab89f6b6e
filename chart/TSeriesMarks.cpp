#include "chart/TSeriesMarks.h"

#include "chart/TChartSeries.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

F2_DEFINE_CLASS(TSeriesMarks, TPersistent, F2_NO_FACTORY)
{
    c.Property("ArrowLength", &TSeriesMarks::ArrowLength, &TSeriesMarks::SetArrowLength).Default(8);
    c.Property("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible).Default(0);
}

void TSeriesMarks::SetVisible(bool value)
{
    if (value == visible_)
        return;
    visible_ = value;
    if (series_)
        series_->RequestRepaint();
}

void TSeriesMarks::SetArrowLength(int value)
{
    if (value == arrowLength_)
        return;
    arrowLength_ = value;
    if (series_)
        series_->RequestRepaint();
}

const platform::Point& TSeriesMarks::PositionAt(int index) const
{
    if (index < 0 || index >= PositionCount())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return positions_[size_t(index)];
}

void TSeriesMarks::RemovePositionAt(int index)
{
    if (index >= 0 && index < PositionCount())
        positions_.erase(positions_.begin() + index);
}

void TSeriesMarks::ClearPositions()
{
    std::vector<platform::Point>().swap(positions_);
}

TPersistent* TSeriesMarks::GetOwner() const
{
    return series_;
}
