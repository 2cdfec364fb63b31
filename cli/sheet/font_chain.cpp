#include "font_chain.h"

#include <fontconfig/fontconfig.h>
#include <hb-ft.h>
#include <hb-ot.h>
#include <hb.h>

#include <strings.h>

namespace qrsheet {

// One font of fontconfig's sorted list: where it is and what it covers.
struct FontChain::Fallback {
    std::string file;
    int index = 0;
    FcCharSet* characters = nullptr;
    int opened = -1;  // its number in fonts_, once opened
    ~Fallback() {
        if (characters != nullptr) FcCharSetDestroy(characters);
    }
};

struct FontChain::Opened {
    std::unique_ptr<OutlineFont> outlines;
    hb_font_t* shaper = nullptr;
    ~Opened() {
        if (shaper != nullptr) hb_font_destroy(shaper);
    }
};

namespace {

bool HasFamily(FcPattern* font, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (::strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<FontChain> FontChain::Open(const std::string& family, std::string& error) {
    if (FcInit() == FcFalse) {
        error = "fontconfig does not start";
        return nullptr;
    }
    FcPattern* pattern = FcPatternCreate();
    const std::string asked = family.empty() ? "sans-serif" : family;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(asked.c_str()));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    FcPatternDestroy(pattern);
    std::unique_ptr<FontChain> chain(new FontChain());
    for (int i = 0; sorted != nullptr && i < sorted->nfont; ++i) {
        FcPattern* font = sorted->fonts[i];
        if (i == 0 && !family.empty() && !HasFamily(font, family)) {
            error =
                "no installed font has the family \"" + family + "\" (fc-list : family lists them)";
            FcFontSetDestroy(sorted);
            return nullptr;
        }
        FcChar8* file = nullptr;
        FcCharSet* characters = nullptr;
        int index = 0;
        FcBool scalable = FcFalse;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch ||
            (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable)) {
            continue;
        }
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        auto fallback = std::make_unique<Fallback>();
        fallback->file = reinterpret_cast<const char*>(file);
        fallback->index = index;
        fallback->characters = FcCharSetCopy(characters);
        chain->fallbacks_.push_back(std::move(fallback));
    }
    if (sorted != nullptr) FcFontSetDestroy(sorted);
    if (chain->fallbacks_.empty()) {
        error = "fontconfig finds no font with outlines";
        return nullptr;
    }
    return chain;
}

FontChain::~FontChain() = default;

int FontChain::OpenFont(const std::string& file, int index) {
    std::string error;
    auto outlines = OutlineFont::Open(file, index, error);
    if (!outlines) return -1;
    auto opened = std::make_unique<Opened>();
    opened->shaper = hb_ft_font_create_referenced(outlines->Face());
    // Shaped with the font's own tables, in font units, free of any hinting or pixel size.
    hb_ot_font_set_funcs(opened->shaper);
    hb_font_set_scale(opened->shaper, outlines->UnitsPerEm(), outlines->UnitsPerEm());
    opened->outlines = std::move(outlines);
    fonts_.push_back(std::move(opened));
    return static_cast<int>(fonts_.size()) - 1;
}

int FontChain::FontFor(char32_t c) {
    const auto known = chosen_.find(c);
    if (known != chosen_.end()) return known->second;
    int found = -1;
    for (auto& fallback : fallbacks_) {
        if (!FcCharSetHasChar(fallback->characters, c)) continue;
        if (fallback->opened < 0) fallback->opened = OpenFont(fallback->file, fallback->index);
        if (fallback->opened >= 0 && Covers(fallback->opened, c)) {
            found = fallback->opened;
            break;
        }
    }
    chosen_.emplace(c, found);
    return found;
}

bool FontChain::Covers(int font, char32_t c) {
    return fonts_[static_cast<size_t>(font)]->outlines->Has(c);
}

hb_font_t* FontChain::Shaper(int font) {
    return fonts_[static_cast<size_t>(font)]->shaper;
}

OutlineFont& FontChain::Outlines(int font) {
    return *fonts_[static_cast<size_t>(font)]->outlines;
}

}  // namespace qrsheet
