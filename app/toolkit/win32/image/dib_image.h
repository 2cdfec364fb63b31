#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/controls.h"

namespace win32 {

// A picture ready for the GDI: a device-independent bitmap's header with its masks and colour
// table, and its rows of pixels.
class DibImage {
  public:
    DibImage() = default;
    DibImage(std::vector<std::uint32_t> info, std::vector<unsigned char> pixels);

    bool Empty() const { return pixels_.empty(); }
    int Width() const;
    int Height() const;  // always positive, whichever way the rows run
    // Draws the whole picture into target, scaled to fit it exactly.
    void Draw(HDC dc, const RECT& target) const;

  private:
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info_.data()); }

    std::vector<std::uint32_t> info_;  // 32-bit words keep the header aligned
    std::vector<unsigned char> pixels_;
};

// The picture in the bytes of an image file: a BMP file read here, other formats through the
// system's imaging component; empty when the bytes are no picture it knows.
DibImage ReadPicture(const ui::Bytes& bytes);

// The two readers behind ReadPicture.
DibImage ReadBmpFile(const ui::Bytes& bytes);
DibImage ReadWithImagingComponent(const ui::Bytes& bytes);

}  // namespace win32
