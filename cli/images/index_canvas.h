// A surface of palette indices: the few colours a symbol drawing uses, one byte per pixel.
// Feeds the PNG writer and the reader that checks the vector formats.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pixel_canvas.h"

namespace qrcli {

class IndexCanvas final : public qrplat::PixelCanvas {
  public:
    // Nothing when the pixels cannot be had. The surface starts in the initial colour.
    static std::unique_ptr<IndexCanvas> Create(int width, int height, int dpi,
                                               qrplat::ColorRef initial);

    // Colours in the order they were first drawn, the initial one first.
    const std::vector<qrplat::ColorRef>& palette() const { return palette_; }
    // Row-major indices into the palette.
    const std::vector<uint8_t>& indices() const { return indices_; }

    // Luminance of every pixel, row-major, for a QR reader.
    std::vector<uint8_t> Grey() const;

  private:
    IndexCanvas(int width, int height, int dpi, qrplat::ColorRef initial,
                std::vector<uint8_t> indices)
        : PixelCanvas(width, height, dpi, dpi), palette_{initial}, indices_(std::move(indices)) {}
    void FillSpan(int y, int x0, int x1, qrplat::ColorRef color) override;
    // A module's rows in one colour: its palette index looked up once.
    void FillClipped(int x0, int y0, int x1, int y1, qrplat::ColorRef color) override;
    uint8_t IndexOf(qrplat::ColorRef color);

    std::vector<qrplat::ColorRef> palette_;
    std::vector<uint8_t> indices_;
};

uint8_t Luminance(qrplat::ColorRef color);

}  // namespace qrcli
