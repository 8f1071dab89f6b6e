#include "ReaderTestClasses.h"

#include "forms/TFiler.h"
#include "forms/TStream.h"
#include "rtl/Exception.h"

namespace readertest {

const TIdentMap& HueIdents()
{
    static const TIdentMap map{{huRed, "huRed"}, {huWindow, "huWindow"}};
    return map;
}

std::vector<std::string>& Log::Loaded()
{
    static std::vector<std::string> names;
    return names;
}

int& Log::Alive()
{
    static int count = 0;
    return count;
}

std::function<void(TComponent*)>& Log::OnLoaded()
{
    static std::function<void(TComponent*)> hook;
    return hook;
}

void Log::Reset()
{
    Loaded().clear();
    OnLoaded() = nullptr;
}

void TBlob::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty("Data", [this](TStream& stream) {
        data.resize(size_t(stream.Size()));
        stream.ReadBuffer(data.data(), data.size());
        ++reads;
    });
}

TWidget::TWidget(TComponent* owner)
    : TComponent(owner), entries_(std::make_unique<TCollection>([](TCollection* c) { return new TEntry(c); }))
{
    ++Log::Alive();
    lines_->SetOnChange([this](TObject*) { ++lineChanges; });
}

TWidget::~TWidget()
{
    if (parent_)
        std::erase(parent_->children, this);
    for (TWidget* child : children)
        child->parent_ = nullptr;
    --Log::Alive();
}

void TWidget::SetParentComponent(TComponent* parent)
{
    if (parent_)
        std::erase(parent_->children, this);
    parent_ = dynamic_cast<TWidget*>(parent);
    if (parent_)
        parent_->children.push_back(this);
}

void TWidget::Loaded()
{
    loadingWhileRead = loadingWhileRead || IsLoading();
    TComponent::Loaded();
    Log::Loaded().push_back(Name());
    if (Log::OnLoaded())
        Log::OnLoaded()(this);
}

void TFragile::SetLimit(int v)
{
    if (v > 10)
        throw EConvertError("Limit too high");
}

TTestForm::TTestForm(TComponent* owner) : TComponent(owner)
{
    ++Log::Alive();
    RegisterGlobalComponent(this);
}

TTestForm::~TTestForm()
{
    UnregisterGlobalComponent(this);
    DestroyComponents();
    --Log::Alive();
}

void TTestForm::Loaded()
{
    TComponent::Loaded();
    Log::Loaded().push_back(Name());
}

std::vector<uint8_t> Compile(const std::string& text)
{
    return layoutc::LayoutCompiler::Compile(text, "test.layout", ".").bytes;
}

Bytes& Bytes::Str(const std::string& s)
{
    b.push_back(uint8_t(s.size()));
    b.insert(b.end(), s.begin(), s.end());
    return *this;
}

} // namespace readertest

using namespace readertest;

F2_DEFINE_CLASS(TFontLike, TPersistent, F2_NO_FACTORY)
{
    c.Property("Height", &TFontLike::Height, &TFontLike::SetHeight);
    c.Property("Name", &TFontLike::Face, &TFontLike::SetFace);
}

F2_DEFINE_CLASS(TTitle, TPersistent, F2_NO_FACTORY)
{
    c.Property("Font", &TTitle::Font);
    c.Property("Text", &TTitle::Text);
}

F2_DEFINE_CLASS(TBlob, TPersistent, F2_NO_FACTORY) {}

F2_DEFINE_CLASS(TEntry, TCollectionItem, F2_NO_FACTORY)
{
    c.Property("Caption", &TEntry::Caption, &TEntry::SetCaption);
    c.Property("Width", &TEntry::Width, &TEntry::SetWidth);
    c.Property("Partner", &TEntry::Partner, &TEntry::SetPartner);
}

F2_DEFINE_CLASS(TWidget, TComponent, F2_FACTORY(TWidget))
{
    c.Property("Left", &TWidget::Left, &TWidget::SetLeft);
    c.Property("Caption", &TWidget::Caption, &TWidget::SetCaption);
    c.Property("Shade", &TWidget::Shade, &TWidget::SetShade);
    c.Property("Traits", &TWidget::Traits, &TWidget::SetTraits);
    c.Property("Ratio", &TWidget::Ratio, &TWidget::SetRatio);
    c.Property("Precise", &TWidget::Precise, &TWidget::SetPrecise);
    c.Property("Hue", &TWidget::Hue, &TWidget::SetHue);
    c.Property("Flag", &TWidget::Flag, &TWidget::SetFlag);
    c.Property("Big", &TWidget::Big, &TWidget::SetBig);
    c.Property("Letter", &TWidget::Letter, &TWidget::SetLetter);
    c.Property("Value", &TWidget::Value, &TWidget::SetValue);
    c.Property("Partner", &TWidget::Partner, &TWidget::SetPartner);
    c.Property("OnTick", &TWidget::OnTick, &TWidget::SetOnTick);
    c.Property("Title", &TWidget::Title);
    c.Property("Lines", &TWidget::Lines);
    c.Property("Blob", &TWidget::Blob);
    c.Property("Entries", &TWidget::Entries, &TWidget::SetEntries);
    c.Property("ReadOnlyLeft", &TWidget::Left);
}

F2_DEFINE_CLASS(TFragile, TWidget, F2_FACTORY(TFragile))
{
    c.Property("Limit", &TFragile::Limit, &TFragile::SetLimit);
}

F2_DEFINE_CLASS(TTestForm, TComponent, F2_FACTORY(TTestForm))
{
    c.Property("Left", &TTestForm::Left, &TTestForm::SetLeft);
    c.Property("Caption", &TTestForm::Caption, &TTestForm::SetCaption);
    c.Property("Partner", &TTestForm::Partner, &TTestForm::SetPartner);
    c.Field("Widget1", &TTestForm::Widget1);
    c.Field("Widget2", &TTestForm::Widget2);
    c.Field("Widget3", &TTestForm::Widget3);
    c.Method("Widget1Tick", &TTestForm::Widget1Tick);
    c.Method("WrongShape", &TTestForm::WrongShape);
}

F2_DEFINE_CLASS(TMidForm, TTestForm, F2_FACTORY(TMidForm)) {}
F2_DEFINE_CLASS(TLeafForm, TMidForm, F2_FACTORY(TLeafForm)) {}
F2_DEFINE_CLASS(TNonVisual, TComponent, F2_FACTORY(TNonVisual)) {}
F2_DEFINE_CLASS(TNotAComponent, TPersistent, F2_NO_FACTORY) {}
