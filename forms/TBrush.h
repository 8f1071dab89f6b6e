#pragma once
// The brush shapes are filled with: colour and style, and an optional pattern bitmap.
// Setters return early when nothing changes and otherwise raise OnChange once.

#include "forms/TChangeNotifier.h"
#include "forms/TColor.h"
#include "platform/DeviceContext.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };
F2_ENUM_TYPE(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
             "bsBDiagonal", "bsCross", "bsDiagCross");

class TBrush : public TChangeNotifier {
    F2_CLASS(TBrush, TChangeNotifier)
public:
    TBrush() = default;

    TColor Color() const { return color_; }
    // Setting a colour turns a clear brush solid (a colour is meant to be seen).
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { Store(style_, style); }
    // Not published and not owned: the bitmap stays the caller's. The platform has no pattern
    // brushes, so a brush with a bitmap fills with its colour.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap) { Store(bitmap_, bitmap); }

    void Assign(TPersistent* source) override;
    virtual platform::BrushSpec PlatformSpec() const;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};
