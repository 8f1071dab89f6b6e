#include "forms/TLabel.h"

#include "forms/ClassicLook.h"
#include "platform/Desktop.h"

F2_DEFINE_CLASS(TLabel, TGraphicControl, F2_FACTORY(TLabel))
{
    c.Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    c.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment).Default(taLeftJustify);
    c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(1);
    c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(0);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    InitBounds(65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::AdjustSize()
{
    if (!AutoSize() || IsLoading())
        return;
    const platform::Size size = TextSize(*Font(), Caption());
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    const platform::Rect client = ClientRect();
    if (!transparent_) {
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(client);
    }
    const std::string text = Caption();
    if (text.empty())
        return;
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    const int width = canvas.TextWidth(text);
    int x = 0;
    if (alignment_ == taRightJustify)
        x = client.right - width;
    else if (alignment_ == taCenter)
        x = (client.right - width) / 2;
    platform::DeviceContext& dc = canvas.Handle();
    dc.SetBackMode(platform::BackgroundMode::Transparent);
    dc.SetTextAlign(platform::textalign::Left | platform::textalign::Top);
    if (Enabled())
        dc.TextOut(x, 0, text);
    else
        ClassicLook(dc).DrawDisabledText(x, 0, text);
}
