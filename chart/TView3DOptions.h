#pragma once
// How a chart in 3-D is viewed: angles, offsets, zoom and perspective. Each setter stores the
// new value and, when it differs, repaints the chart through the change handler; offsets also
// report a scroll, and Zoom reports the new value before it is stored.

#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"

#include <functional>

class TView3DOptions : public TPersistent {
    F2_CLASS(TView3DOptions, TPersistent)
public:
    using ScrollHandler = std::function<void(bool horizontal)>;
    using ZoomHandler = std::function<void(int newZoom)>;

    explicit TView3DOptions(TNotifyEvent onChange = {}) : onChange_(std::move(onChange)) {}
    void SetOnScroll(ScrollHandler handler) { onScroll_ = std::move(handler); }
    void SetOnZoom(ZoomHandler handler) { onZoom_ = std::move(handler); }

    int Elevation() const { return elevation_; }
    void SetElevation(int value);
    int HorizOffset() const { return horizOffset_; }
    void SetHorizOffset(int value);
    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool value);
    int Perspective() const { return perspective_; }
    void SetPerspective(int value);
    int Rotation() const { return rotation_; }
    void SetRotation(int value);
    int Tilt() const { return tilt_; }
    void SetTilt(int value);
    int VertOffset() const { return vertOffset_; }
    void SetVertOffset(int value);
    int Zoom() const { return zoom_; }   // percent
    void SetZoom(int value);
    bool ZoomText() const { return zoomText_; }
    void SetZoomText(bool value);

    void Assign(TPersistent* source) override;

private:
    // Stores value in field and repaints when it changed; returns whether it changed.
    template <class T>
    bool Store(T& field, T value);

    int elevation_ = 345;
    int horizOffset_ = 0;
    bool orthogonal_ = true;
    int perspective_ = 15;
    int rotation_ = 345;
    int tilt_ = 0;
    int vertOffset_ = 0;
    int zoom_ = 100;
    bool zoomText_ = true;
    TNotifyEvent onChange_;
    ScrollHandler onScroll_;
    ZoomHandler onZoom_;
};
