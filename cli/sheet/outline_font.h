// Glyph outlines from a TrueType font through FreeType, for captions the standard font cannot
// show: each glyph becomes a filled path, so the reader needs no font and the PDF embeds none.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

namespace qrsheet {

class OutlineFont {
  public:
    struct Glyph {
        double advance = 0;  // in font units
        std::string path;    // PDF path operators in font units, y up, origin on the baseline
    };

    // Nothing, with the reason, when the file is no font FreeType reads.
    static std::unique_ptr<OutlineFont> Open(const std::string& path, std::string& error);
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    int UnitsPerEm() const { return unitsPerEm_; }
    // A character the font lacks is drawn as its '?'. Kept for the next use of the character.
    const Glyph& GlyphFor(char32_t c);

  private:
    struct Handles;
    explicit OutlineFont(std::unique_ptr<Handles> handles);
    Glyph Load(char32_t c) const;

    std::unique_ptr<Handles> handles_;
    int unitsPerEm_ = 1000;
    std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace qrsheet
