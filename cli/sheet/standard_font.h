// Helvetica, one of the fonts every PDF reader has: ASCII captions are real text in it, so
// they stay searchable and cost a few bytes each.
#pragma once

#include <string>
#include <string_view>

namespace qrsheet {

inline constexpr char32_t kEllipsis = 0x2026;

// The advance of a printable ASCII character or the ellipsis, in thousandths of the font size;
// 0 for any other character, which the font is not used for.
int HelveticaWidth(char32_t c);

// The text as a PDF string in the font's WinAnsi encoding, brackets and backslashes escaped.
std::string HelveticaString(std::u32string_view text);

}  // namespace qrsheet
