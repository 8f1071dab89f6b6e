#include "forms/TPen.h"

F2_DEFINE_CLASS(TPen, TChangeNotifier, F2_NO_FACTORY)
{
    c.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
    c.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    c.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    c.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
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

platform::PenSpec TPen::PlatformSpec() const
{
    platform::PenSpec request;
    request.color = ColorToPixel(color_);
    request.width = width_;
    request.style = platform::PenStyle(style_);   // same order
    request.alternate = alternate_;
    switch (mode_) {
    case pmBlack: request.mode = platform::PenMode::Black; break;
    case pmWhite: request.mode = platform::PenMode::White; break;
    case pmNot: request.mode = platform::PenMode::Not; break;
    case pmXor: request.mode = platform::PenMode::Xor; break;
    case pmNotXor: request.mode = platform::PenMode::NotXor; break;
    case pmNop: request.style = platform::PenStyle::Clear; break;   // leaves the screen as it is
    default: request.mode = platform::PenMode::Copy; break;
    }
    return request;
}
