#include "chart/TChartFontObject.h"

F2_DEFINE_CLASS(TChartFontObject, TChangeNotifier, F2_NO_FACTORY)
{
    c.Property("Font", &TChartFontObject::Font, &TChartFontObject::SetFont);
}

TChartFontObject::TChartFontObject(TNotifyEvent onChange)
    : TChangeNotifier(std::move(onChange)), font_(std::make_unique<TFont>())
{
    // The chart's texts start in Arial, 8 points, black.
    font_->SetName("Arial");
    font_->SetSize(8);
    font_->SetColor(clBlack);
    font_->SetOnChange([this](TObject*) { Changed(); });
}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartFontObject*>(source)) {
        font_->Assign(other->font_.get());
        return;
    }
    TPersistent::Assign(source);
}
