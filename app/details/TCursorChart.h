#pragma once
// A chart that can show a vertical cursor line at an X value over its plot, drawn over the
// chart's stored picture: moving the cursor repaints only the columns it leaves and enters,
// and the curves are not rendered again. It also tells when the mouse leaves it.

#include "chart/TChart.h"
#include "forms/TNotifyEvent.h"

#include <optional>

class TCursorChart : public TChart {
    F2_CLASS(TCursorChart, TChart)
public:
    explicit TCursorChart(TComponent* owner) : TChart(owner) {}

    // The X value the cursor stands at; nothing removes the cursor.
    std::optional<double> CursorValue() const { return cursor_; }
    void SetCursorValue(std::optional<double> value);
    // The bottom axis's value under a client point of the plot (as last painted), or nothing
    // outside the plot.
    std::optional<double> ValueAt(int x, int y) const;
    // The cursor's column in client coordinates, or -1 when there is none.
    int CursorPixel() const;

    const TNotifyEvent& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(const TNotifyEvent& handler) { onMouseLeave_ = handler; }

protected:
    void Paint() override;
    void MouseLeave() override;

private:
    void InvalidateColumn(int x);

    std::optional<double> cursor_;
    TNotifyEvent onMouseLeave_;
};
