#include "platform/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace platform {

namespace {

struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
    bool cyrillic = false;
};

std::string Lower(std::string_view s)
{
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return r;
}

// Candidates for the window face, in order of preference.
constexpr const char* kWindowCandidates[] = {"Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans", "Nimbus Sans"};

// Names the dialog face goes by.
bool IsDialogFamily(const std::string& lower)
{
    return lower.empty() || lower == "ms sans serif" || lower == "ms shell dlg" || lower == "ms shell dlg 2" ||
           lower == "system";
}

// Metric-compatible stand-ins for common families.
const char* MetricSubstitute(const std::string& lower)
{
    if (lower == "arial" || lower == "helvetica")
        return "Liberation Sans";
    if (lower == "times new roman" || lower == "times")
        return "Liberation Serif";
    if (lower == "courier new" || lower == "courier")
        return "Liberation Mono";
    return nullptr;
}

} // namespace

struct FontEngine::Impl {
    FT_Library library = nullptr;
    bool windowChosen = false;
    std::string windowFamily;
    double windowCellPerEm = 0;
    std::unordered_map<std::string, Font*> byRequest;
    std::map<std::tuple<std::string, int, int64_t, int, double, bool, bool>, std::unique_ptr<Font>> bySize;
    std::map<std::tuple<std::string, bool, bool, bool>, std::optional<FaceFile>> matches;

    // The installed face of a family; with `exact`, only when fontconfig's best match really
    // belongs to that family (fontconfig otherwise answers with whatever is closest).
    std::optional<FaceFile> Match(const std::string& family, bool bold, bool italic, bool exact)
    {
        const auto key = std::make_tuple(Lower(family), bold, italic, exact);
        auto it = matches.find(key);
        if (it != matches.end())
            return it->second;
        std::optional<FaceFile> found;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        if (match != nullptr) {
            bool familyOk = !exact;
            FcChar8* name = nullptr;
            for (int i = 0; !familyOk && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
                familyOk = Lower(reinterpret_cast<const char*>(name)) == Lower(family);
            FcChar8* file = nullptr;
            if (familyOk && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
                FaceFile face;
                face.path = reinterpret_cast<const char*>(file);
                int value = 0;
                if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch)
                    face.index = value;
                face.bold = FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch &&
                            value >= FC_WEIGHT_DEMIBOLD;
                face.italic = FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch &&
                              value != FC_SLANT_ROMAN;
                FcCharSet* chars = nullptr;
                face.cyrillic = FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch &&
                                FcCharSetHasChar(chars, 0x0416) && FcCharSetHasChar(chars, 0x044F);
                found = face;
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        matches.emplace(key, found);
        return found;
    }
};

FontEngine& FontEngine::Instance()
{
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() : impl_(std::make_unique<Impl>())
{
    FcInit();
    if (FT_Init_FreeType(&impl_->library) != 0)
        impl_->library = nullptr;
}

FontEngine::~FontEngine()
{
    // Fonts hold faces of the library: release them first.
    impl_->byRequest.clear();
    impl_->bySize.clear();
    if (impl_->library != nullptr)
        FT_Done_FreeType(impl_->library);
    // The engine is the process's only fontconfig user; releasing the configuration at exit
    // keeps leak checkers quiet about it.
    FcFini();
}

std::unique_ptr<Font> FontEngine::Open(const std::string& file, int index, const FontSizing& sizing)
{
    if (impl_->library == nullptr)
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(impl_->library, file.c_str(), index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    return std::make_unique<Font>(face, sizing);
}

std::string FontEngine::WindowFamily()
{
    Impl& d = *impl_;
    if (d.windowChosen)
        return d.windowFamily;
    d.windowChosen = true;
    std::string firstCyrillic;
    for (const char* candidate : kWindowCandidates) {
        const auto face = d.Match(candidate, false, false, true);
        if (!face || !face->cyrillic)
            continue;
        FontSizing sizing;
        sizing.em26 = kWindowEm * 64;
        const auto font = Open(face->path, face->index, sizing);
        if (!font)
            continue;
        if (font->Metrics().height == kWindowCell) {
            d.windowFamily = candidate;
            return d.windowFamily;
        }
        if (firstCyrillic.empty())
            firstCyrillic = candidate;
    }
    if (!firstCyrillic.empty()) {
        d.windowFamily = firstCyrillic;
        d.windowCellPerEm = double(kWindowCell) / kWindowEm;
        return d.windowFamily;
    }
    // No candidate at all: whatever sans face fontconfig offers, with its own metrics.
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            d.windowFamily = reinterpret_cast<const char*>(name);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return d.windowFamily;
}

std::string FontEngine::ResolveFamily(const std::string& requested)
{
    const std::string lower = Lower(requested);
    if (IsDialogFamily(lower))
        return WindowFamily();
    const char* substitute = MetricSubstitute(lower);
    const std::string family = substitute != nullptr ? substitute : requested;
    if (impl_->Match(family, false, false, true))
        return family;
    return WindowFamily();
}

Font* FontEngine::Get(const FontSpec& request)
{
    Impl& d = *impl_;
    std::string key = Lower(request.family);
    key += '\x1f';
    key += std::to_string(request.height);
    key += request.bold ? 'b' : '-';
    key += request.italic ? 'i' : '-';
    auto it = d.byRequest.find(key);
    if (it != d.byRequest.end())
        return it->second;

    Font* result = nullptr;
    const std::string family = ResolveFamily(request.family);
    auto face = family.empty() ? std::nullopt : d.Match(family, request.bold, request.italic, true);
    if (!face && !family.empty())
        face = d.Match(family, request.bold, request.italic, false);
    if (face) {
        // Sizes beyond any screen's need are capped so that a glyph stays a sane allocation.
        constexpr int kMaxPixels = 1000;
        FontSizing sizing;
        if (request.height < 0) {
            sizing.em26 = int64_t(std::min(-int64_t(request.height), int64_t(kMaxPixels))) * 64;
            if (family == d.windowFamily)
                sizing.cellPerEm = d.windowCellPerEm;
        } else if (request.height > 0) {
            sizing.em26 = 0;
            sizing.cellHeight = std::min(request.height, kMaxPixels);
        } else {
            sizing.em26 = kWindowEm * 64;
            if (family == d.windowFamily)
                sizing.cellPerEm = d.windowCellPerEm;
        }
        sizing.emboldenSynthetic = request.bold && !face->bold;
        sizing.slantSynthetic = request.italic && !face->italic;
        const auto sizeKey = std::make_tuple(face->path, face->index, sizing.em26, sizing.cellHeight,
                                             sizing.cellPerEm, sizing.emboldenSynthetic, sizing.slantSynthetic);
        auto sized = d.bySize.find(sizeKey);
        if (sized == d.bySize.end())
            sized = d.bySize.emplace(sizeKey, Open(face->path, face->index, sizing)).first;
        result = sized->second.get();
    }
    d.byRequest.emplace(std::move(key), result);
    return result;
}

} // namespace platform
