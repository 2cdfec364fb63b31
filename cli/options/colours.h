// Colours with transparency. The library passes a drawing's colours through to the canvas
// untouched, so the command line's own canvases (PNG, SVG) carry how transparent a colour is
// in the byte the library leaves zero: 0 opaque, 255 fully transparent. Opaque colours stay
// the library's 0x00BBGGRR values.
#pragma once

#include <cstdint>
#include <string>

namespace qrcli {

inline constexpr uint32_t WithAlpha(uint32_t bgr, uint8_t alpha) {
    return (bgr & 0xFFFFFF) | (static_cast<uint32_t>(255 - alpha) << 24);
}
inline constexpr uint8_t AlphaOf(uint32_t colour) {
    return static_cast<uint8_t>(255 - (colour >> 24));
}
inline constexpr uint32_t OpaquePart(uint32_t colour) {
    return colour & 0xFFFFFF;
}

// #RRGGBB, or #RRGGBBAA when not opaque.
std::string ColourText(uint32_t colour);

}  // namespace qrcli
