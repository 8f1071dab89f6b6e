#pragma once
// A text block above (title) or below (foot) the plot: lines of text in their own font,
// optionally framed. Drawing it takes its room from the plot rectangle's top or bottom side.

#include "chart/TChartFontObject.h"
#include "forms/TControl.h"
#include "platform/Raster.h"

#include <memory>

class TChartHiddenPen;
class TChartCanvas3D;
class TStringList;
class TStrings;

class TChartTitle : public TChartFontObject {
    F2_CLASS(TChartTitle, TChartFontObject)
public:
    explicit TChartTitle(TNotifyEvent onChange = {});
    ~TChartTitle() override;

    TStrings* Text() const;
    void SetText(TStrings* value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { Store(alignment_, value); }
    // Hidden by default; a visible frame adds its width on both sides of the text.
    TChartHiddenPen* Frame() const { return frame_.get(); }
    void SetFrame(TChartHiddenPen* value);

    // Draws the lines at the top (or, for a foot, the bottom) of plot and moves that side
    // inward by the room taken: the lines' height plus 5 pixels plus the frame.
    void Draw(TChartCanvas3D& surface, platform::Rect& plot, bool atBottom) const;

    void Assign(TPersistent* source) override;

private:
    std::unique_ptr<TStringList> text_;
    bool visible_ = true;
    TAlignment alignment_ = taCenter;
    std::unique_ptr<TChartHiddenPen> frame_;
};
