#pragma once
// A wall of a chart (back, left, bottom): a colour, a brush and a pen for its outline. In
// 2-D only the back wall is drawn, as the outline of the plot rectangle; the left and bottom
// walls take part in 3-D views only. Changes repaint the chart through the change handler.

#include "forms/TColor.h"
#include "forms/TChangeNotifier.h"

#include <memory>

class TChartBrush;
class TChartPen;

class TChartWall : public TChangeNotifier {
    F2_CLASS(TChartWall, TChangeNotifier)
public:
    explicit TChartWall(TNotifyEvent onChange = {});
    ~TChartWall() override;

    // clDefault: the wall takes no colour of its own (a solid brush then draws nothing).
    TColor Color() const { return color_; }
    void SetColor(TColor value) { Store(color_, value); }
    TChartBrush* Brush() const { return brush_.get(); }
    void SetBrush(TChartBrush* value);
    TChartPen* Pen() const { return pen_.get(); }
    void SetPen(TChartPen* value);
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { Store(dark3D_, value); }
    int Size() const { return size_; }
    void SetSize(int value) { Store(size_, value); }

    void Assign(TPersistent* source) override;

private:
    TColor color_ = clDefault;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
    bool dark3D_ = true;
    int size_ = 0;
};
