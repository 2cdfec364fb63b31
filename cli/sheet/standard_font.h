// Helvetica, one of the fonts every PDF reader has: the invisible letter that carries each
// caption line's text for copying and searching is set in it.
#pragma once

#include <string>
#include <string_view>

namespace qrsheet {

inline constexpr char32_t kEllipsis = 0x2026;

// The advance of a printable ASCII character or the ellipsis, in thousandths of the font size;
// 0 for any other character, which the font is not used for.
int HelveticaWidth(char32_t c);

}  // namespace qrsheet
