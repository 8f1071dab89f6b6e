#include "forms/TPicture.h"

#include "forms/TBitmap.h"
#include "forms/TFiler.h"
#include "forms/TIcon.h"
#include "forms/TStream.h"
#include "rtl/Exception.h"

#include <map>
#include <strings.h>

F2_DEFINE_CLASS(TPicture, TPersistent, F2_NO_FACTORY) {}

namespace {

struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

std::map<std::string, TPicture::GraphicFactory, NoCase>& Formats()
{
    static std::map<std::string, TPicture::GraphicFactory, NoCase> formats{
        {"TBitmap", [] { return std::unique_ptr<TGraphic>(new TBitmap); }},
        {"TIcon", [] { return std::unique_ptr<TGraphic>(new TIcon); }},
    };
    return formats;
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFormat(const std::string& className, GraphicFactory factory)
{
    Formats()[className] = std::move(factory);
}

std::unique_ptr<TGraphic> TPicture::CreateFormat(std::string_view className)
{
    const auto it = Formats().find(std::string(className));
    return it == Formats().end() ? nullptr : it->second();
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->SetOnChange([this](TObject*) { Changed(); });
    Changed();
}

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (graphic == graphic_.get())
        return;
    std::unique_ptr<TGraphic> copy;
    if (graphic) {
        copy = CreateFormat(graphic->ClassName());
        if (!copy)
            throw EInvalidGraphic("Unknown picture format " + graphic->ClassName());
        copy->Assign(graphic);
    }
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(graphic_.get()))
        Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(graphic_.get()))
        Adopt(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty("Data", [this](TStream& stream) { ReadData(stream); });
}

void TPicture::ReadData(TStream& stream)
{
    uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string className(length, '\0');
    stream.ReadBuffer(className.data(), length);
    std::unique_ptr<TGraphic> graphic = CreateFormat(className);
    if (graphic)
        graphic->ReadData(stream);   // a fault here leaves the picture as it was
    Adopt(std::move(graphic));
}

void TPicture::Changed()
{
    if (onChange_)
        onChange_(this);
}
