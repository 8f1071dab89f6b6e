#pragma once
// A chart part that has a font of its own (axis titles, chart titles). Any change of the
// font, or of the part's own settings through Changed(), calls the change handler, which
// repaints the chart.

#include "forms/TFont.h"
#include "forms/TChangeNotifier.h"

#include <memory>

class TChartFontObject : public TChangeNotifier {
    F2_CLASS(TChartFontObject, TChangeNotifier)
public:
    explicit TChartFontObject(TNotifyEvent onChange = {});
    ~TChartFontObject() override;

    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font) { font_->Assign(font); }

    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TFont> font_;
};
