#include "forms/TGraphic.h"

#include "forms/TFiler.h"

F2_DEFINE_CLASS(TGraphic, TPersistent, F2_NO_FACTORY) {}

void TGraphic::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    Changed();
}

void TGraphic::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty("Data", [this](TStream& stream) { ReadData(stream); });
}

void TGraphic::Changed()
{
    if (onChange_)
        onChange_(this);
}
