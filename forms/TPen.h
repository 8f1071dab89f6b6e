#pragma once
// The pen lines and outlines are drawn with: colour, raster mode, dash style and width.
// Setters return early when nothing changes and otherwise raise OnChange once. Classes that
// derive from it (the chart's pens) publish more properties and may adjust PlatformSpec().

#include "forms/TChangeNotifier.h"
#include "forms/TColor.h"
#include "platform/DeviceContext.h"

enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
F2_ENUM_TYPE(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
             "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
             "pmNotMask", "pmXor", "pmNotXor");

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
F2_ENUM_TYPE(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
             "psInsideFrame");

class TPen : public TChangeNotifier {
    F2_CLASS(TPen, TChangeNotifier)
public:
    TPen() = default;

    TColor Color() const { return color_; }
    void SetColor(TColor color) { Store(color_, color); }
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode) { Store(mode_, mode); }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style) { Store(style_, style); }
    int Width() const { return width_; }
    void SetWidth(int width);   // values below 1 become 1
    // Not published: a cosmetic pen that sets every other pixel (the chart's small dots).
    bool Alternate() const { return alternate_; }
    void SetAlternate(bool alternate) { Store(alternate_, alternate); }

    // Copies colour, mode, style, width and the alternate flag from another TPen (a derived
    // pen's own extra properties are not copied), with one OnChange when anything differed.
    void Assign(TPersistent* source) override;
    // The platform pen. Modes the platform lacks draw as pmCopy; pmNop draws nothing (as
    // psClear); pmBlack and pmWhite paint black and white.
    virtual platform::PenSpec PlatformSpec() const;

private:
    TColor color_ = clBlack;
    TPenMode mode_ = pmCopy;
    TPenStyle style_ = psSolid;
    int width_ = 1;
    bool alternate_ = false;
};
