#include "chart/TChartSeriesList.h"

#include "chart/TChartSeries.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>

TChartSeries* TChartSeriesList::At(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(rtl::Format("List index out of bounds (%d)", index));
    return series_[size_t(index)];
}

int TChartSeriesList::IndexOf(const TChartSeries* series) const
{
    const auto it = std::find(series_.begin(), series_.end(), series);
    return it == series_.end() ? -1 : int(it - series_.begin());
}

void TChartSeriesList::Add(TChartSeries* series)
{
    if (series && IndexOf(series) < 0)
        series_.push_back(series);
}

void TChartSeriesList::Remove(TChartSeries* series)
{
    const auto it = std::find(series_.begin(), series_.end(), series);
    if (it != series_.end())
        series_.erase(it);
}

int TChartSeriesList::ActiveCount() const
{
    return int(std::count_if(series_.begin(), series_.end(),
                             [](const TChartSeries* s) { return s->Active(); }));
}
