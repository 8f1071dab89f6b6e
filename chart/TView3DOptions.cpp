#include "chart/TView3DOptions.h"

#include "rtl/StoreProperty.h"

F2_DEFINE_CLASS(TView3DOptions, TPersistent, F2_NO_FACTORY)
{
    c.Property("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation).Default(345);
    c.Property("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset).Default(0);
    c.Property("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal).Default(1);
    c.Property("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective).Default(15);
    c.Property("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation).Default(345);
    c.Property("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt).Default(0);
    c.Property("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset).Default(0);
    c.Property("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom).Default(100);
    c.Property("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText).Default(1);
}

template <class T>
bool TView3DOptions::Store(T& field, T value)
{
    return rtl::StoreProperty(field, value, [this] {
        if (onChange_)
            onChange_(this);
    });
}

void TView3DOptions::SetElevation(int value) { Store(elevation_, value); }
void TView3DOptions::SetOrthogonal(bool value) { Store(orthogonal_, value); }
void TView3DOptions::SetPerspective(int value) { Store(perspective_, value); }
void TView3DOptions::SetRotation(int value) { Store(rotation_, value); }
void TView3DOptions::SetTilt(int value) { Store(tilt_, value); }
void TView3DOptions::SetZoomText(bool value) { Store(zoomText_, value); }

void TView3DOptions::SetHorizOffset(int value)
{
    if (Store(horizOffset_, value) && onScroll_)
        onScroll_(true);
}

void TView3DOptions::SetVertOffset(int value)
{
    if (Store(vertOffset_, value) && onScroll_)
        onScroll_(false);
}

void TView3DOptions::SetZoom(int value)
{
    if (value == zoom_)
        return;
    if (onZoom_)
        onZoom_(value);
    Store(zoom_, value);
}

void TView3DOptions::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TView3DOptions*>(source)) {
        SetElevation(other->elevation_);
        SetHorizOffset(other->horizOffset_);
        SetOrthogonal(other->orthogonal_);
        SetPerspective(other->perspective_);
        SetRotation(other->rotation_);
        SetTilt(other->tilt_);
        SetVertOffset(other->vertOffset_);
        SetZoom(other->zoom_);
        SetZoomText(other->zoomText_);
        return;
    }
    TPersistent::Assign(source);
}
