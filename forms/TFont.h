#pragma once
// The font of a control or canvas: face name, height, style, colour, charset and pitch.
// Height follows the desktop convention (negative = character height in pixels, positive =
// cell height); Size is the same height in points at the font's PixelsPerInch. Every setter
// returns early when nothing changes and otherwise raises OnChange once.

#include "forms/TChangeNotifier.h"
#include "forms/TColor.h"
#include "forms/TFontCharset.h"
#include "platform/DeviceContext.h"

#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
F2_ENUM_TYPE(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
using TFontStyles = TSet<TFontStyle>;
F2_SET_TYPE(TFontStyles, TFontStyle);

enum TFontPitch { fpDefault, fpVariable, fpFixed };
F2_ENUM_TYPE(TFontPitch, "fpDefault", "fpVariable", "fpFixed");

class TFont : public TChangeNotifier {
    F2_CLASS(TFont, TChangeNotifier)
public:
    TFont() = default;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height) { Store(height_, height); }
    // Points: -Height * 72 / PixelsPerInch rounded to the nearest integer (a positive Height
    // gives a negative Size, as on the classic desktop). Setting it sets Height.
    int Size() const;
    void SetSize(int size);
    // Not published: the density the Size conversion uses. Changing it keeps Height and
    // raises no event.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style) { Store(style_, style); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Store(color_, color); }
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset) { Store(charset_, charset); }
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch) { Store(pitch_, pitch); }

    // Copies everything from another TFont, with one OnChange when anything differed. When
    // the densities differ the point size is kept rather than the pixel height.
    void Assign(TPersistent* source) override;
    // The platform font request (face, height, styles; no rotation).
    virtual platform::FontSpec PlatformSpec() const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int pixelsPerInch_ = 96;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};
