#pragma once
// The series of one chart in the order in which they joined it. The list does not own the
// series (their owner does); it knows its chart.

#include <vector>

class TChartSeries;
class TCustomAxisPanel;

class TChartSeriesList {
public:
    explicit TChartSeriesList(TCustomAxisPanel* chart) : chart_(chart) {}

    TCustomAxisPanel* Chart() const { return chart_; }
    int Count() const { return int(series_.size()); }
    TChartSeries* At(int index) const;   // EListError "List index out of bounds (%d)"
    int IndexOf(const TChartSeries* series) const;
    void Add(TChartSeries* series);
    void Remove(TChartSeries* series);
    int ActiveCount() const;

    auto begin() const { return series_.begin(); }
    auto end() const { return series_.end(); }

private:
    TCustomAxisPanel* chart_;
    std::vector<TChartSeries*> series_;
};
