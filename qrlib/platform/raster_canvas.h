// A surface of full colours: what a memory device context draws on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pixel_canvas.h"

namespace qrplat {

class RasterCanvas final : public PixelCanvas {
  public:
    // Nothing when the size is not positive or the pixels cannot be had.
    static std::unique_ptr<RasterCanvas> Create(int width, int height, int dpiX, int dpiY);

    ColorRef Pixel(int x, int y) const;

  private:
    RasterCanvas(int width, int height, int dpiX, int dpiY, std::vector<ColorRef> pixels)
        : PixelCanvas(width, height, dpiX, dpiY), pixels_(std::move(pixels)) {}
    void FillSpan(int y, int x0, int x1, ColorRef color) override;

    std::vector<ColorRef> pixels_;  // row-major, black when made, like a new bitmap
};

}  // namespace qrplat
