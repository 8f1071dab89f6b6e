#pragma once
// Component classes that the layout-reader tests and the reader's fuzz target read layouts
// into, and build their own on: a collection item holding a component reference, a widget with
// a parent relation and the properties of the common kinds (integers, strings, floats, a
// 64-bit integer, a character, a boolean, a variant, an enumeration, a set, a component
// reference, an event, a text list, a collection), and a root like a window. Every instance is counted and every Loaded call
// logged, so that a test can tell what a read created, notified and left behind.

#include "forms/ClassInfo.h"
#include "forms/TCollection.h"
#include "forms/TCollectionItem.h"
#include "forms/TComponent.h"
#include "forms/TStringList.h"
#include "forms/TVariant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace readerkit {

// What happened to the instances of every class below, derived ones included.
struct Census {
    static int& Alive();
    static std::vector<std::string>& Loaded();   // the names, in the order of the Loaded calls
    // Called after each Loaded is logged; empty unless a test sets it.
    static std::function<void(TComponent* loaded)>& OnLoaded();
    static void Reset();   // forgets the names and the hook
};

class TKitWidget;

// A reference a holder keeps to a component that may live in another root: the holder hears
// of the target's end and, passing its notifications on to Forget, lets go of it.
template <class T>
class WatchedReference {
public:
    explicit WatchedReference(TComponent* holder) : holder_(holder) {}
    T* Get() const { return target_; }
    void Set(T* target)
    {
        if (target_)
            target_->RemoveFreeNotification(holder_);
        target_ = target;
        if (target_)
            target_->FreeNotification(holder_);
    }
    void Forget(TComponent* component, TOperation operation)
    {
        if (operation == opRemove && component == target_)
            target_ = nullptr;
    }

private:
    TComponent* holder_;
    T* target_ = nullptr;
};

enum TShade { shLight, shMedium, shDark };
enum TTrait { trRound, trShiny, trHeavy };
using TTraits = TSet<TTrait>;

using TTickEvent = std::function<void(TObject* sender, int& amount)>;

// A collection item; its Partner is a component reference held by an object that is no
// component, and that a second read of its collection frees.
class TKitItem : public TCollectionItem {
    F2_CLASS(TKitItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    TKitWidget* Partner() const { return partner_; }
    void SetPartner(TKitWidget* v) { partner_ = v; }

private:
    std::string caption_;
    int width_ = 0;
    TKitWidget* partner_ = nullptr;
};

class TKitWidget : public TComponent {
    F2_CLASS(TKitWidget, TComponent)
public:
    explicit TKitWidget(TComponent* owner);
    ~TKitWidget() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
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
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    TTraits Traits() const { return traits_; }
    void SetTraits(TTraits v) { traits_ = v; }
    TVariant Value() const { return value_; }
    void SetValue(const TVariant& v) { value_ = v; }
    TKitWidget* Partner() const { return partner_.Get(); }
    void SetPartner(TKitWidget* v) { partner_.Set(v); }
    const TTickEvent& OnTick() const { return onTick_; }
    void SetOnTick(const TTickEvent& v) { onTick_ = v; }
    TStrings* Lines() const { return lines_.get(); }
    TCollection* Entries() const { return entries_.get(); }
    // Collection properties have setters (that would copy another collection); the reader
    // fills the held collection in place and never calls it.
    void SetEntries(TCollection*) { ++entriesAssigned; }

    // Parent relation as the reader sets it.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;

    std::vector<TKitWidget*> children;
    bool loadingWhileRead = false;   // Loaded came while the widget was still loading
    int lineChanges = 0;
    int entriesAssigned = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TKitWidget* parent_ = nullptr;
    int left_ = 0;
    std::string caption_;
    double ratio_ = 0;
    long double precise_ = 0;
    int64_t big_ = 0;
    char letter_ = 0;
    bool flag_ = false;
    TShade shade_ = shLight;
    TTraits traits_;
    TVariant value_;
    WatchedReference<TKitWidget> partner_{this};
    TTickEvent onTick_;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TCollection> entries_;
};

// A root like a window: registered process-wide while it lives, so that root names are made
// unique and references may name components of other roots ("Form2.Edit1").
class TKitForm : public TComponent {
    F2_CLASS(TKitForm, TComponent)
public:
    explicit TKitForm(TComponent* owner = nullptr);
    ~TKitForm() override;
    void Loaded() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }

private:
    int left_ = 0;
    std::string caption_;
};

} // namespace readerkit

F2_ENUM_TYPE(readerkit::TShade, "shLight", "shMedium", "shDark");
F2_ENUM_TYPE(readerkit::TTrait, "trRound", "trShiny", "trHeavy");
F2_SET_TYPE(TTraits, readerkit::TTrait);
