// A surface held directly as the bytes of a BMP file of 1 or 4 bits per pixel: each colour drawn
// becomes the nearest entry of the file's colour table.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pixel_canvas.h"

namespace qrplat {

class DibCanvas final : public PixelCanvas {
  public:
    // Nothing when the size is not positive, the file would be too large for its header's
    // 32-bit fields, or the memory cannot be had. The surface starts black.
    static std::unique_ptr<DibCanvas> Create(int width, int height, int bitsPerPixel, int dpiX,
                                             int dpiY);

    static int64_t Stride(int width, int bitsPerPixel);

    // The whole file: file header, information header, colour table, rows bottom first.
    const std::vector<uint8_t>& FileBytes() const { return file_; }

    // Colour-table index of a pixel (for tests and readers).
    int IndexAt(int x, int y) const;

  private:
    DibCanvas(int width, int height, int bitsPerPixel, int dpiX, int dpiY,
              std::vector<uint8_t> file);
    void FillSpan(int y, int x0, int x1, ColorRef color) override;
    void FillClipped(int x0, int y0, int x1, int y1, ColorRef color) override;
    uint8_t NearestIndex(ColorRef color);

    int bitsPerPixel_;
    size_t stride_;
    size_t rowsOffset_;
    std::vector<ColorRef> palette_;
    ColorRef lastColor_ = 0;
    uint8_t lastIndex_ = 0;
    std::vector<uint8_t> file_;
};

}  // namespace qrplat
