// The drawing surface that stands in for a device context: rectangles, lines, resolution.
#pragma once

#include <cstdint>

namespace qrplat {

using ColorRef = uint32_t;  // 0x00BBGGRR

inline constexpr uint8_t RedOf(ColorRef c) {
    return static_cast<uint8_t>(c & 0xFF);
}
inline constexpr uint8_t GreenOf(ColorRef c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
inline constexpr uint8_t BlueOf(ColorRef c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
inline constexpr ColorRef MakeColorRef(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

inline constexpr int kScreenDpi = 96;

class Canvas {
  public:
    virtual ~Canvas() = default;
    // Fills left <= x < right, top <= y < bottom.
    virtual void FillRect(int left, int top, int right, int bottom, ColorRef color) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current point with a black pen one pixel wide: the start point is drawn,
    // the end point is not; the end becomes the current point.
    virtual void LineTo(int x, int y) = 0;
    virtual int LogPixelsX() const = 0;
    virtual int LogPixelsY() const = 0;

    // The pixels a surface holds, when it holds any: drawing outside them may be skipped.
    virtual bool Extent(int& width, int& height) const {
        (void)width;
        (void)height;
        return false;
    }
    // True once a recording canvas can take no more.
    virtual bool Saturated() const { return false; }
};

}  // namespace qrplat
