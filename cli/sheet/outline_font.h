// Glyph outlines from a font file through FreeType: each glyph becomes a filled path, so the
// reader needs no font and the PDF embeds none.
#pragma once

#include <memory>
#include <string>

struct FT_FaceRec_;

namespace qrsheet {

class OutlineFont {
  public:
    struct Glyph {
        std::string path;  // PDF path operators in font units, y up, origin on the baseline
        long left = 0, bottom = 0, right = 0, top = 0;  // the outline's box, in font units
    };

    // Nothing, with the reason, when face index of the file is no font FreeType reads.
    static std::unique_ptr<OutlineFont> Open(const std::string& path, int index,
                                             std::string& error);
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    int UnitsPerEm() const { return unitsPerEm_; }
    FT_FaceRec_* Face() const;
    // Whether the font maps the character to a glyph of its own.
    bool Has(char32_t c) const;
    // The outline of a glyph by its number in the font; empty for a glyph with no ink.
    Glyph Load(unsigned glyphIndex) const;

  private:
    struct Handles;
    explicit OutlineFont(std::unique_ptr<Handles> handles);

    std::unique_ptr<Handles> handles_;
    int unitsPerEm_ = 1000;
};

}  // namespace qrsheet
