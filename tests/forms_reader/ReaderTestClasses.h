#pragma once
// Small component classes for the layout reader tests: a window-like root with published
// fields and handlers, a widget with one property of every kind, a sub-object for dotted
// paths, a binary defined property and a collection. Every widget logs its Loaded call and
// counts its instances, so that tests can see what was created and freed.

#include "forms/ClassInfo.h"
#include "forms/TCollection.h"
#include "forms/TComponent.h"
#include "forms/TStringList.h"
#include "forms/TVariant.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace readertest {

enum TShade { shLight, shMedium, shDark };
enum TTrait { trRound, trShiny, trHeavy };
enum THue : int32_t { huRed = 0x0000FF, huWindow = int32_t(0xFF000005) };

const TIdentMap& HueIdents();

using TTraits = TSet<TTrait>;
using TTickEvent = std::function<void(TObject* sender, int& amount)>;

// Everything the tests observe across instances.
struct Log {
    static std::vector<std::string>& Loaded();   // "Name" of each Loaded call, in order
    static int& Alive();                           // widgets and forms currently alive
    // Called by each widget's Loaded (after it is logged); empty unless a test sets it.
    static std::function<void(TComponent* loaded)>& OnLoaded();
    static void Reset();
};

class TFontLike : public TPersistent {
    F2_CLASS(TFontLike, TPersistent)
public:
    int Height() const { return height_; }
    void SetHeight(int v) { height_ = v; }
    std::string Face() const { return face_; }
    void SetFace(const std::string& v) { face_ = v; }

private:
    int height_ = 0;
    std::string face_;
};

class TTitle : public TPersistent {
    F2_CLASS(TTitle, TPersistent)
public:
    TFontLike* Font() const { return font_.get(); }
    TStrings* Text() const { return text_.get(); }

private:
    std::unique_ptr<TFontLike> font_ = std::make_unique<TFontLike>();
    std::unique_ptr<TStringList> text_ = std::make_unique<TStringList>();
};

// A persistent that stores bytes through a binary defined property, like a picture.
class TBlob : public TPersistent {
    F2_CLASS(TBlob, TPersistent)
public:
    void DefineProperties(TFiler& filer) override;
    std::vector<uint8_t> data;
    int reads = 0;
};

class TWidget;

// A collection item; its Partner is a component reference held by an object that is no
// component.
class TEntry : public TCollectionItem {
    F2_CLASS(TEntry, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    TWidget* Partner() const { return partner_; }
    void SetPartner(TWidget* v) { partner_ = v; }

private:
    std::string caption_;
    int width_ = 0;
    TWidget* partner_ = nullptr;
};

class TWidget : public TComponent {
    F2_CLASS(TWidget, TComponent)
public:
    explicit TWidget(TComponent* owner);
    ~TWidget() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    TTraits Traits() const { return traits_; }
    void SetTraits(TTraits v) { traits_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    long double Precise() const { return precise_; }
    void SetPrecise(long double v) { precise_ = v; }
    THue Hue() const { return hue_; }
    void SetHue(THue v) { hue_ = v; }
    bool Flag() const { return flag_; }
    void SetFlag(bool v) { flag_ = v; }
    int64_t Big() const { return big_; }
    void SetBig(int64_t v) { big_ = v; }
    char Letter() const { return letter_; }
    void SetLetter(char v) { letter_ = v; }
    TVariant Value() const { return value_; }
    void SetValue(const TVariant& v) { value_ = v; }
    TWidget* Partner() const { return partner_; }
    void SetPartner(TWidget* v) { partner_ = v; }
    const TTickEvent& OnTick() const { return onTick_; }
    void SetOnTick(const TTickEvent& v) { onTick_ = v; }
    TTitle* Title() const { return title_.get(); }
    TStrings* Lines() const { return lines_.get(); }
    TBlob* Blob() const { return blob_.get(); }
    TCollection* Entries() const { return entries_.get(); }
    // Collection properties have setters (that would copy another collection); the reader
    // fills the held collection in place and never calls it.
    void SetEntries(TCollection*) { ++entriesAssigned; }
    int entriesAssigned = 0;

    // Parent relation as the reader sets it.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;

    std::vector<TWidget*> children;
    bool loadingWhileRead = false;
    int lineChanges = 0;

private:
    TWidget* parent_ = nullptr;
    int left_ = 0;
    std::string caption_;
    TShade shade_ = shLight;
    TTraits traits_;
    double ratio_ = 0;
    long double precise_ = 0;
    THue hue_ = huRed;
    bool flag_ = false;
    int64_t big_ = 0;
    char letter_ = 0;
    TVariant value_;
    TWidget* partner_ = nullptr;
    TTickEvent onTick_;
    std::unique_ptr<TTitle> title_ = std::make_unique<TTitle>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TBlob> blob_ = std::make_unique<TBlob>();
    std::unique_ptr<TCollection> entries_;
};

// A widget whose read fails on a property that raises from its setter.
class TFragile : public TWidget {
    F2_CLASS(TFragile, TWidget)
public:
    using TWidget::TWidget;
    int Limit() const { return 0; }
    void SetLimit(int v);
};

// A root like a window: published component fields and handlers, registered process-wide.
class TTestForm : public TComponent {
    F2_CLASS(TTestForm, TComponent)
public:
    explicit TTestForm(TComponent* owner = nullptr);
    ~TTestForm() override;
    void Loaded() override;

    int Left() const { return left_; }
    void SetLeft(int v) { left_ = v; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TWidget* Partner() const { return partner_; }
    void SetPartner(TWidget* v) { partner_ = v; }

    void Widget1Tick(TObject*, int& amount) { ticks += amount; }
    void WrongShape(TObject*) {}

    TWidget* Widget1 = nullptr;
    TWidget* Widget2 = nullptr;
    TWidget* Widget3 = nullptr;
    int ticks = 0;

private:
    int left_ = 0;
    std::string caption_;
    TWidget* partner_ = nullptr;
};

// Class chain for the layout loader: TTestForm is the generic window class.
class TMidForm : public TTestForm {
    F2_CLASS(TMidForm, TTestForm)
public:
    using TTestForm::TTestForm;
};

class TLeafForm : public TMidForm {
    F2_CLASS(TLeafForm, TMidForm)
public:
    using TMidForm::TMidForm;
};

// A registered non-visual component: no field of any root has its class.
class TNonVisual : public TComponent {
    F2_CLASS(TNonVisual, TComponent)
public:
    using TComponent::TComponent;
};

// A published-field class that is no component: must not be creatable from a layout.
class TNotAComponent : public TPersistent {
    F2_CLASS(TNotAComponent, TPersistent)
};

// Layout text -> stream bytes.
std::vector<uint8_t> Compile(const std::string& text);

// Hand-made stream pieces.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& Raw(std::initializer_list<uint8_t> bytes) { b.insert(b.end(), bytes); return *this; }
    Bytes& Sig() { return Raw({'T', 'P', 'F', '0'}); }
    Bytes& Str(const std::string& s);
    Bytes& End() { return Raw({0}); }
};

} // namespace readertest

F2_ENUM_TYPE(readertest::TShade, "shLight", "shMedium", "shDark");
F2_ENUM_TYPE(readertest::TTrait, "trRound", "trShiny", "trHeavy");
F2_SET_TYPE(TTraits, readertest::TTrait);
F2_INTEGER_TYPE(readertest::THue, &readertest::HueIdents());
