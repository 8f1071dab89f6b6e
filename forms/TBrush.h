#pragma once
// The brush shapes are filled with: colour and style, and an optional pattern bitmap.
// Setters return early when nothing changes and otherwise raise OnChange once.

#include "forms/TColor.h"
#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"
#include "platform/DeviceContext.h"
#include "rtl/StoreProperty.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };
F2_ENUM_TYPE(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
             "bsBDiagonal", "bsCross", "bsDiagCross");

class TBrush : public TPersistent {
    F2_CLASS(TBrush, TPersistent)
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

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    void Assign(TPersistent* source) override;
    virtual platform::BrushSpec PlatformSpec() const;

protected:
    virtual void Changed();

private:
    // Every simple setter: nothing happens for the value already held, otherwise Changed() runs.
    template <class T>
    void Store(T& field, T value) { rtl::StoreProperty(field, value, [this] { Changed(); }); }

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    TNotifyEvent onChange_;
};
