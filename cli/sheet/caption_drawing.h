// A label's caption on the page: Helvetica text when it is plain ASCII, glyph outlines of a
// CJK font otherwise, centred, and cut with an ellipsis where it is wider than its room.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "outline_font.h"

namespace qrsheet {

// How many characters, by their advances, stay within room; cut tells that an ellipsis of the
// given advance follows them (it then fits as well). Spaces before the ellipsis are dropped.
size_t FittingCount(std::span<const double> advances, std::u32string_view text, double ellipsis,
                    double room, bool& cut);

struct CaptionPlace {
    double centreX = 0;
    double baseline = 0;
    double size = 0;  // in points
    double room = 0;  // the widest it may be
};

class CaptionPainter {
  public:
    // The font is opened at the first caption that needs it.
    explicit CaptionPainter(std::string outlineFontPath) : fontPath_(std::move(outlineFontPath)) {}

    // Appends the operators that draw the caption of these bytes (UTF-8 or GBK).
    void Append(std::string& content, std::string_view bytes, const CaptionPlace& place);

    // Once, the reason the outline font could not be opened; such captions then show their
    // ASCII characters and a '?' for each other.
    std::optional<std::string> TakeProblem();

  private:
    OutlineFont* Font();
    void AppendStandard(std::string& content, std::u32string text, const CaptionPlace& place);
    void AppendOutlines(std::string& content, OutlineFont& font, std::u32string_view text,
                        const CaptionPlace& place);

    std::string fontPath_;
    std::unique_ptr<OutlineFont> font_;
    bool fontTried_ = false;
    std::optional<std::string> problem_;
};

}  // namespace qrsheet
