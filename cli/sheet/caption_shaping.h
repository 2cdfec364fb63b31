// A caption line as glyphs: each character given to the first font of the chain that has it,
// the text cut into runs of one font and one script, each run shaped by HarfBuzz (Arabic
// joined and right to left, Thai and Devanagari combined), the runs put in reading order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "font_chain.h"

struct hb_buffer_t;

namespace qrsheet {

struct PlacedGlyph {
    int font = 0;        // its number in the chain
    unsigned glyph = 0;  // its number in the font
    double x = 0;        // from the line's start, in thousandths of an em
    double y = 0;
};

struct ShapedLine {
    std::vector<PlacedGlyph> glyphs;  // left to right as drawn
    double width = 0;                 // in thousandths of an em
    bool rightToLeft = false;         // the line reads from the right
    // For each character, the advance of the shaped cluster it begins (0 inside a cluster):
    // where a line may be broken and how wide each piece is.
    std::vector<double> advances;
};

class CaptionShaper {
  public:
    explicit CaptionShaper(FontChain& fonts);
    ~CaptionShaper();
    CaptionShaper(const CaptionShaper&) = delete;
    CaptionShaper& operator=(const CaptionShaper&) = delete;

    // Nothing when a character is in no font of the chain; missing then holds it.
    std::optional<ShapedLine> Shape(std::u32string_view text, char32_t& missing);

  private:
    FontChain& fonts_;
    hb_buffer_t* buffer_;
};

// "U+0E01" for a character, for messages.
std::string CodePointName(char32_t c);

}  // namespace qrsheet
