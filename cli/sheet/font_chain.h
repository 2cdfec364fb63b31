// The fonts captions are drawn in, found through fontconfig: the family asked for (or the
// system's sans-serif), then, for a character it lacks, the first font of fontconfig's sorted
// list of alternatives that has it. Each font is opened once, for shaping and for outlines.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "outline_font.h"

struct hb_font_t;

namespace qrsheet {

class FontChain {
  public:
    // Nothing, with the reason, when fontconfig finds no font, or family is given and no
    // installed font has that family name.
    static std::unique_ptr<FontChain> Open(const std::string& family, std::string& error);
    ~FontChain();
    FontChain(const FontChain&) = delete;
    FontChain& operator=(const FontChain&) = delete;

    // The font that draws c, by its number in the order the fonts were opened; -1 when none
    // does.
    int FontFor(char32_t c);
    bool Covers(int font, char32_t c);
    hb_font_t* Shaper(int font);
    OutlineFont& Outlines(int font);

  private:
    struct Fallback;
    struct Opened;
    FontChain() = default;
    int OpenFont(const std::string& file, int index);

    std::vector<std::unique_ptr<Fallback>> fallbacks_;  // fontconfig's order, opened on use
    std::vector<std::unique_ptr<Opened>> fonts_;
    std::unordered_map<char32_t, int> chosen_;
};

}  // namespace qrsheet
