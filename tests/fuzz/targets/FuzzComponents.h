#pragma once
// Small component classes for the layout reader fuzz target: a window-like root with
// published fields and handlers, a widget publishing a property of every kind the reader
// knows (integer with and without identifiers, character, enumeration, set, floats, 64-bit
// integer, string, variant, object references, sub-objects, text lists, a picture, a
// collection whose items hold object references, events), and a registered panel class that is found only through the class
// registry. Every instance is counted, so that the target can tell what a failed read left
// behind.

#include "forms/ClassInfo.h"
#include "forms/TCollection.h"
#include "forms/TCollectionItem.h"
#include "forms/TColor.h"
#include "forms/TComponent.h"
#include "forms/TCursor.h"
#include "forms/TFont.h"
#include "forms/TNotifyEvent.h"
#include "forms/TPicture.h"
#include "forms/TStringList.h"
#include "forms/TVariant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fuzz {

enum TFuzzShade { fsLight, fsMedium, fsDark };
enum TFuzzTrait { ftRound, ftShiny, ftHeavy };
using TFuzzTraits = TSet<TFuzzTrait>;
using TFuzzTickEvent = std::function<void(TObject* sender, int& amount)>;

// Instances alive and Loaded calls, over all fuzz component classes.
struct FuzzCounters {
    static int& Alive();
    static int& LoadedCalls();
};

class TFuzzWidget;

// A collection item; its Partner is a component reference held by an object that is no
// component, and that a second read of its collection frees.
class TFuzzItem : public TCollectionItem {
    F2_CLASS(TFuzzItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    TFuzzWidget* Partner() const { return partner_; }
    void SetPartner(TFuzzWidget* v) { partner_ = v; }

private:
    std::string caption_;
    int width_ = 0;
    TFuzzWidget* partner_ = nullptr;
};

class TFuzzWidget : public TComponent {
    F2_CLASS(TFuzzWidget, TComponent)
public:
    explicit TFuzzWidget(TComponent* owner);
    ~TFuzzWidget() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TFuzzShade Shade() const { return shade_; }
    void SetShade(TFuzzShade v) { shade_ = v; }
    TFuzzTraits Traits() const { return traits_; }
    void SetTraits(TFuzzTraits v) { traits_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    long double Precise() const { return precise_; }
    void SetPrecise(long double v) { precise_ = v; }
    int64_t Big() const { return big_; }
    void SetBig(int64_t v) { big_ = v; }
    char Letter() const { return letter_; }
    void SetLetter(char v) { letter_ = v; }
    bool Flag() const { return flag_; }
    void SetFlag(bool v) { flag_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v) { cursor_ = v; }
    TVariant Value() const { return value_; }
    void SetValue(const TVariant& v) { value_ = v; }
    TFuzzWidget* Partner() const { return partner_; }
    void SetPartner(TFuzzWidget* v);
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& v) { onClick_ = v; }
    const TFuzzTickEvent& OnTick() const { return onTick_; }
    void SetOnTick(const TFuzzTickEvent& v) { onTick_ = v; }
    TFont* Font() const { return font_.get(); }
    TStrings* Lines() const { return lines_.get(); }
    TPicture* Picture() const { return picture_.get(); }
    TCollection* Entries() const { return entries_.get(); }
    void SetEntries(TCollection*) {}

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TFuzzWidget* parent_ = nullptr;
    std::vector<TFuzzWidget*> children_;
    int left_ = 0;
    std::string caption_;
    TFuzzShade shade_ = fsLight;
    TFuzzTraits traits_;
    double ratio_ = 0;
    long double precise_ = 0;
    int64_t big_ = 0;
    char letter_ = 0;
    bool flag_ = false;
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    TVariant value_;
    TFuzzWidget* partner_ = nullptr;
    TNotifyEvent onClick_;
    TFuzzTickEvent onTick_;
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
    std::unique_ptr<TCollection> entries_;
};

// Found through the class registry only: no root field has this class.
class TFuzzPanel : public TFuzzWidget {
    F2_CLASS(TFuzzPanel, TFuzzWidget)
public:
    using TFuzzWidget::TFuzzWidget;
};

// The root: like a window, registered process-wide while it lives, so that root names are
// made unique and references may name components of other roots ("Form2.Edit1").
class TFuzzForm : public TComponent {
    F2_CLASS(TFuzzForm, TComponent)
public:
    explicit TFuzzForm(TComponent* owner = nullptr);
    ~TFuzzForm() override;
    void Loaded() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TFont* Font() const { return font_.get(); }
    TFuzzWidget* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TFuzzWidget* v);
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& v) { onShow_ = v; }

    void FormShow(TObject*) {}
    void WidgetClick(TObject*) {}
    void WidgetTick(TObject*, int& amount) { amount = 0; }

    TFuzzWidget* Widget1 = nullptr;
    TFuzzWidget* Widget2 = nullptr;
    TFuzzWidget* Edit1 = nullptr;

    void Notification(TComponent* component, TOperation operation) override;

private:
    int left_ = 0;
    std::string caption_;
    TColor color_ = clBtnFace;
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    TFuzzWidget* activeControl_ = nullptr;
    TNotifyEvent onShow_;
};

} // namespace fuzz

F2_ENUM_TYPE(fuzz::TFuzzShade, "fsLight", "fsMedium", "fsDark");
F2_ENUM_TYPE(fuzz::TFuzzTrait, "ftRound", "ftShiny", "ftHeavy");
F2_SET_TYPE(TFuzzTraits, fuzz::TFuzzTrait);
