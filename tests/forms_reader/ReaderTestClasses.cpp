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

void TBlob::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty("Data", [this](TStream& stream) {
        data.resize(size_t(stream.Size()));
        stream.ReadBuffer(data.data(), data.size());
        ++reads;
    });
}

void TFragile::SetLimit(int v)
{
    if (v > 10)
        throw EConvertError("Limit too high");
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

F2_DEFINE_CLASS(TWidget, readerkit::TKitWidget, F2_FACTORY(TWidget))
{
    c.Property("Hue", &TWidget::Hue, &TWidget::SetHue);
    c.Property("Title", &TWidget::Title);
    c.Property("Blob", &TWidget::Blob);
    c.Property("ReadOnlyLeft", &TWidget::Left);
}

F2_DEFINE_CLASS(TFragile, TWidget, F2_FACTORY(TFragile))
{
    c.Property("Limit", &TFragile::Limit, &TFragile::SetLimit);
}

F2_DEFINE_CLASS(TTestForm, readerkit::TKitForm, F2_FACTORY(TTestForm))
{
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
