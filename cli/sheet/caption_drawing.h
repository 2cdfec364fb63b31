// A label's caption on the page: its lines shaped in the fonts fontconfig finds, fitted to
// their room, each glyph drawn from its outline (a form object written once and placed
// wherever the glyph recurs), with the text itself marked on it so that copying and
// searching find it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "caption_fitting.h"
#include "caption_shaping.h"
#include "font_chain.h"
#include "pdf_file.h"

namespace qrsheet {

// Where the fitted lines go: between left and right, the first baseline given, each next
// line kLineSpacing sizes lower; centred, or from the side the text starts on.
struct CaptionPlace {
    double left = 0;
    double right = 0;
    double firstBaseline = 0;
    bool centred = true;
};

// A caption's lines read and shaped, ready to be fitted.
struct ShapedCaption {
    std::vector<std::u32string> lines;
    std::vector<ShapedLine> shaped;
    std::vector<std::vector<double>> advances;
};

class CaptionPainter {
  public:
    // Glyph objects go into file; resources collects their names for the pages.
    CaptionPainter(PdfFile& file, std::string family) : file_(file), family_(std::move(family)) {}

    // The caption's lines ('\n' between them; each UTF-8 or GBK) shaped. Nothing, with the
    // reason, when a character is in no installed font or no font can be found.
    std::optional<ShapedCaption> Shape(std::string_view bytes, std::string& failure);

    // The ellipsis' advance, in thousandths of an em, for fitting.
    double EllipsisAdvance();

    // Appends the operators that draw the fitted lines.
    void Append(std::string& content, const ShapedCaption& caption, const CaptionFit& fit,
                const CaptionPlace& place);

    // "/Gn n 0 R " for every glyph object written, for the pages' shared resources.
    const std::string& GlyphResources() const { return resources_; }

  private:
    FontChain* Fonts(std::string& failure);
    std::string GlyphName(int font, unsigned glyph);

    PdfFile& file_;
    std::string family_;
    std::unique_ptr<FontChain> fonts_;
    std::unique_ptr<CaptionShaper> shaper_;
    std::string fontError_;
    std::map<std::pair<int, unsigned>, std::string> glyphNames_;  // "" for a glyph with no ink
    std::string resources_;
    std::optional<double> ellipsis_;
};

}  // namespace qrsheet
