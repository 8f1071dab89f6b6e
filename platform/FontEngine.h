#pragma once
// Finds the face for a font request and keeps every sized font it has made.
//
// Faces come from fontconfig by family name. Families the machine lacks are substituted:
// "Arial" by its metric-compatible face, the dialog face ("MS Sans Serif", or no name) by the
// window face, and any other unknown family by the window face too. The window face is the
// first installed candidate sans face that covers Cyrillic and whose cell at an em of 11 pixels
// is 13 pixels high, so that forms laid out for a 13-pixel text height keep their geometry;
// when no candidate measures 13, the first one with Cyrillic is used with its cell fixed at
// 13/11 of the em.
//
// Fonts are cached by request and faces by file and size; nothing is ever evicted, so a Font
// pointer stays valid for the life of the process. Single-threaded, like all drawing.

#include "platform/DeviceContext.h"
#include "platform/Font.h"

#include <memory>
#include <string>

namespace platform {

class FontEngine {
public:
    static FontEngine& Instance();
    ~FontEngine();

    // The font for a request (family, height, bold, italic; the decorations and the rotation
    // are drawing attributes); nullptr only when the machine has no usable face at all.
    Font* Get(const FontSpec& request);
    // The family the dialog face maps to, and the family any request maps to.
    std::string WindowFamily();
    std::string ResolveFamily(const std::string& requested);

    // Opens a face file at a size directly, outside the caches (for measurements and tests).
    std::unique_ptr<Font> Open(const std::string& file, int index, const FontSizing& sizing);

    // The dialog face's design size: an em of 11 pixels gives a 13-pixel cell.
    static constexpr int kWindowEm = 11;
    static constexpr int kWindowCell = 13;

private:
    FontEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
