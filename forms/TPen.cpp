#include "forms/TPen.h"

F2_DEFINE_CLASS(TPen, TPersistent, F2_NO_FACTORY)
{
    c.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
    c.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    c.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    c.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    Changed();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TPen::SetWidth(int width)
{
    if (width < 1)
        width = 1;
    if (width == width_)
        return;
    width_ = width;
    Changed();
}

void TPen::SetAlternate(bool alternate)
{
    if (alternate == alternate_)
        return;
    alternate_ = alternate;
    Changed();
}

void TPen::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPen*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == other->color_ && mode_ == other->mode_ && style_ == other->style_ &&
        width_ == other->width_ && alternate_ == other->alternate_)
        return;
    color_ = other->color_;
    mode_ = other->mode_;
    style_ = other->style_;
    width_ = other->width_;
    alternate_ = other->alternate_;
    Changed();
}

platform::PenSpec TPen::Spec() const
{
    platform::PenSpec spec;
    spec.color = ColorToPixel(color_);
    spec.width = width_;
    spec.style = platform::PenStyle(style_);   // same order
    spec.alternate = alternate_;
    switch (mode_) {
    case pmBlack: spec.mode = platform::PenMode::Black; break;
    case pmWhite: spec.mode = platform::PenMode::White; break;
    case pmNot: spec.mode = platform::PenMode::Not; break;
    case pmXor: spec.mode = platform::PenMode::Xor; break;
    case pmNotXor: spec.mode = platform::PenMode::NotXor; break;
    case pmNop: spec.style = platform::PenStyle::Clear; break;   // leaves the screen as it is
    default: spec.mode = platform::PenMode::Copy; break;
    }
    return spec;
}

void TPen::Changed()
{
    if (onChange_)
        onChange_(this);
}
