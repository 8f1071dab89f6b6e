#pragma once
// The marks of a series (small captions next to the points). Hidden in this program; the
// series keeps them only because every data change must keep one position per drawn mark in
// step with the points.

#include "forms/TPersistent.h"
#include "platform/Raster.h"

#include <vector>

class TChartSeries;

class TSeriesMarks : public TPersistent {
    F2_CLASS(TSeriesMarks, TPersistent)
public:
    explicit TSeriesMarks(TChartSeries* series) : series_(series) {}

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Length in pixels of the line from a point to its mark.
    int ArrowLength() const { return arrowLength_; }
    void SetArrowLength(int value);

    int PositionCount() const { return int(positions_.size()); }
    const platform::Point& PositionAt(int index) const;   // EListError for a bad index
    void AddPosition(platform::Point position) { positions_.push_back(position); }
    void RemovePositionAt(int index);                     // ignores a bad index
    void ClearPositions();

    TPersistent* GetOwner() const override;

private:
    TChartSeries* series_;
    bool visible_ = false;
    int arrowLength_ = 8;
    std::vector<platform::Point> positions_;
};
