// A 32-bit top-down DIB section selected into a memory device context: a real GDI target whose
// pixels the checks can read.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qrwin {

class DibSurface {
  public:
    DibSurface(int width, int height, uint32_t fill);
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0x00RRGGBB, as the DIB stores it.
    uint32_t Pixel(int x, int y) const;

  private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

}  // namespace qrwin
