#include "forms/TBrush.h"

#include "forms/TBitmap.h"

F2_DEFINE_CLASS(TBrush, TChangeNotifier, F2_NO_FACTORY)
{
    c.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
    c.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::SetColor(TColor color)
{
    const TBrushStyle style = style_ == bsClear ? bsSolid : style_;
    if (color == color_ && style == style_)
        return;
    color_ = color;
    style_ = style;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TBrush*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == other->color_ && style_ == other->style_ && bitmap_ == other->bitmap_)
        return;
    color_ = other->color_;
    style_ = other->style_;
    bitmap_ = other->bitmap_;
    Changed();
}

platform::BrushSpec TBrush::PlatformSpec() const
{
    platform::BrushSpec request;
    request.color = ColorToPixel(color_);
    request.style = platform::BrushStyle(style_);   // same order
    return request;
}
