#pragma once
// The component classes of the layout reader tests, built on the shared reader components
// (tests/support/ReaderComponents.h): a window-like root with published fields and handlers, a
// widget with a property of every kind the shared widget lacks (integer with identifiers,
// sub-objects for dotted paths, a binary defined property), a widget whose
// setter fails, and a class chain for the layout loader.

#include "forms/ClassInfo.h"
#include "forms/TComponent.h"
#include "forms/TStringList.h"
#include "tests/support/ReaderComponents.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace readertest {

using namespace readerkit;

enum THue : int32_t { huRed = 0x0000FF, huWindow = int32_t(0xFF000005) };

const TIdentMap& HueIdents();


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

class TWidget : public readerkit::TKitWidget {
    F2_CLASS(TWidget, readerkit::TKitWidget)
public:
    using TKitWidget::TKitWidget;

    THue Hue() const { return hue_; }
    void SetHue(THue v) { hue_ = v; }
    TTitle* Title() const { return title_.get(); }
    TBlob* Blob() const { return blob_.get(); }

private:
    THue hue_ = huRed;
    std::unique_ptr<TTitle> title_ = std::make_unique<TTitle>();
    std::unique_ptr<TBlob> blob_ = std::make_unique<TBlob>();
};

// A widget whose read fails on a property that raises from its setter.
class TFragile : public TWidget {
    F2_CLASS(TFragile, TWidget)
public:
    using TWidget::TWidget;
    int Limit() const { return 0; }
    void SetLimit(int v);
};

// A root like a window: published component fields and handlers.
class TTestForm : public readerkit::TKitForm {
    F2_CLASS(TTestForm, readerkit::TKitForm)
public:
    using TKitForm::TKitForm;

    TWidget* Partner() const { return partner_; }
    void SetPartner(TWidget* v) { partner_ = v; }

    void Widget1Tick(TObject*, int& amount) { ticks += amount; }
    void WrongShape(TObject*) {}

    TWidget* Widget1 = nullptr;
    TWidget* Widget2 = nullptr;
    TWidget* Widget3 = nullptr;
    int ticks = 0;

private:
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

F2_INTEGER_TYPE(readertest::THue, &readertest::HueIdents());
