#include "forms/TFont.h"

#include "rtl/NumberText.h"

F2_DEFINE_CLASS(TFont, TChangeNotifier, F2_NO_FACTORY)
{
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
    c.Property("Color", &TFont::Color, &TFont::SetColor);
    c.Property("Height", &TFont::Height, &TFont::SetHeight);
    c.Property("Name", &TFont::Name, &TFont::SetName);
    c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    c.Property("Size", &TFont::Size, &TFont::SetSize);
    c.Property("Style", &TFont::Style, &TFont::SetStyle);
}

void TFont::SetName(const std::string& name)
{
    // An empty face name would leave the font engine guessing; keep the current face.
    if (name.empty() || name == name_)
        return;
    name_ = name;
    Changed();
}

int TFont::Size() const
{
    return -rtl::MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int size)
{
    SetHeight(-rtl::MulDiv(size, pixelsPerInch_, 72));
}

void TFont::SetPixelsPerInch(int ppi)
{
    // A density of 0 or less cannot convert sizes; ignore it rather than divide by it.
    if (ppi > 0)
        pixelsPerInch_ = ppi;
}

void TFont::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TFont*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    const int height = pixelsPerInch_ == other->pixelsPerInch_
                           ? other->height_
                           : -rtl::MulDiv(other->Size(), pixelsPerInch_, 72);
    const bool differs = name_ != other->name_ || height_ != height || style_ != other->style_ ||
                         color_ != other->color_ || charset_ != other->charset_ ||
                         pitch_ != other->pitch_;
    if (!differs)
        return;
    name_ = other->name_;
    height_ = height;
    style_ = other->style_;
    color_ = other->color_;
    charset_ = other->charset_;
    pitch_ = other->pitch_;
    Changed();
}

platform::FontSpec TFont::PlatformSpec() const
{
    platform::FontSpec request;
    request.family = name_;
    request.height = height_;
    request.bold = style_.Contains(fsBold);
    request.italic = style_.Contains(fsItalic);
    request.underline = style_.Contains(fsUnderline);
    request.strikeOut = style_.Contains(fsStrikeOut);
    return request;
}
