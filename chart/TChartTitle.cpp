#include "chart/TChartTitle.h"

#include "chart/TChartCanvas3D.h"
#include "chart/TChartHiddenPen.h"
#include "forms/TBrush.h"
#include "forms/TFont.h"
#include "forms/TStringList.h"

#include <algorithm>

F2_DEFINE_CLASS(TChartTitle, TChartFontObject, F2_NO_FACTORY)
{
    using T = TChartTitle;
    c.Property("Alignment", &T::Alignment, &T::SetAlignment).Default(taCenter);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("Text", &T::Text, &T::SetText);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(1);
}

TChartTitle::TChartTitle(TNotifyEvent onChange)
    : TChartFontObject(std::move(onChange)), text_(std::make_unique<TStringList>()),
      frame_(std::make_unique<TChartHiddenPen>([this](TObject*) { Changed(); }))
{
    text_->SetOnChange([this](TObject*) { Changed(); });
}

TChartTitle::~TChartTitle() = default;

TStrings* TChartTitle::Text() const { return text_.get(); }
void TChartTitle::SetText(TStrings* value) { text_->Assign(value); }
void TChartTitle::SetFrame(TChartHiddenPen* value) { frame_->Assign(value); }

void TChartTitle::Draw(TChartCanvas3D& surface, platform::Rect& plot, bool atBottom) const
{
    const int frameWidth = frame_->Visible() ? frame_->Width() : 0;
    const int lines = text_->Count();
    int height = 0;
    if (lines > 0) {
        surface.Font()->Assign(Font());
        const int lineHeight = surface.FontPixelHeight();
        height = lines * lineHeight;
        surface.Brush()->SetStyle(bsClear);
        surface.ApplyBackMode(platform::BackgroundMode::Transparent);
        int y = atBottom ? plot.bottom - frameWidth - height : plot.top + frameWidth;
        for (int i = 0; i < lines; ++i, y += lineHeight) {
            const std::string line = text_->Get(i);
            int x = plot.left;
            uint32_t align = platform::textalign::Left;
            if (alignment_ == taCenter) {
                x = (plot.left + plot.right) / 2;
                align = platform::textalign::Center;
            } else if (alignment_ == taRightJustify) {
                x = plot.right;
                align = platform::textalign::Right;
            }
            surface.ApplyTextAlign(align | platform::textalign::Top);
            surface.PutText(x, y, line);
        }
        if (frameWidth > 0) {
            surface.ApplyChartPen(frame_.get());
            const int top = atBottom ? plot.bottom - 2 * frameWidth - height : plot.top;
            surface.DrawBox(plot.left, top, plot.right, top + height + 2 * frameWidth);
        }
    }
    // The 5 pixels of spacing are only taken together with some text.
    const int room = height + 2 * frameWidth + (lines > 0 ? 5 : 0);
    if (atBottom)
        plot.bottom -= room;
    else
        plot.top += room;
}

void TChartTitle::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartTitle*>(source)) {
        text_->Assign(other->text_.get());
        SetVisible(other->visible_);
        SetAlignment(other->alignment_);
        frame_->Assign(other->frame_.get());
    }
    TChartFontObject::Assign(source);
}
