#pragma once
// The component classes of the layout reader fuzz target, built on the shared reader
// components (tests/support/ReaderComponents.h): a widget that adds a property of every kind
// the shared widget lacks (integers with identifier maps, a click event, a font, a picture), a registered panel class that is found only through the class registry, and a
// window-like root with published fields, handlers and an active control. Instances are counted
// by the shared Census, so that the target can tell what a failed read left behind.

#include "forms/ClassInfo.h"
#include "forms/TColor.h"
#include "forms/TCursor.h"
#include "forms/TFont.h"
#include "forms/TNotifyEvent.h"
#include "forms/TPicture.h"
#include "tests/support/ReaderComponents.h"

#include <memory>

namespace fuzz {

class TFuzzWidget : public readerkit::TKitWidget {
    F2_CLASS(TFuzzWidget, readerkit::TKitWidget)
public:
    using TKitWidget::TKitWidget;

    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v) { cursor_ = v; }
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& v) { onClick_ = v; }
    TFont* Font() const { return font_.get(); }
    TPicture* Picture() const { return picture_.get(); }

private:
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    TNotifyEvent onClick_;
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
};

// Found through the class registry only: no root field has this class.
class TFuzzPanel : public TFuzzWidget {
    F2_CLASS(TFuzzPanel, TFuzzWidget)
public:
    using TFuzzWidget::TFuzzWidget;
};

class TFuzzForm : public readerkit::TKitForm {
    F2_CLASS(TFuzzForm, readerkit::TKitForm)
public:
    using TKitForm::TKitForm;

    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TFont* Font() const { return font_.get(); }
    TFuzzWidget* ActiveControl() const { return activeControl_.Get(); }
    void SetActiveControl(TFuzzWidget* v) { activeControl_.Set(v); }
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& v) { onShow_ = v; }

    void FormShow(TObject*) {}
    void WidgetClick(TObject*) {}
    void WidgetTick(TObject*, int& amount) { amount = 0; }

    TFuzzWidget* Widget1 = nullptr;
    TFuzzWidget* Widget2 = nullptr;
    TFuzzWidget* Edit1 = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TColor color_ = clBtnFace;
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    readerkit::WatchedReference<TFuzzWidget> activeControl_{this};
    TNotifyEvent onShow_;
};

} // namespace fuzz
