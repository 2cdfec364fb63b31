// PNG files: written by our own chunk writer, 1-bit grey for black on white (or white on
// black), else a palette of the drawing's own colours at the smallest bit depth that holds
// them; read through libpng.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "images/grey_image.h"
#include "images/index_canvas.h"

namespace qrcli {

// An image as the file stores it: rows of samples packed at the bit depth, each behind its
// filter byte (0, none: filters do not pay on one-bit pictures).
struct PngPicture {
    int width = 0;
    int height = 0;
    int bitDepth = 1;
    bool greyscale = true;                  // samples 0 black, 1 white
    std::vector<qrplat::ColorRef> palette;  // when not greyscale: the colour of each sample
    std::vector<uint8_t> scanlines;
    // When not empty: scanlines holds each run of equal rows once, and this how many rows each
    // stands for, top to bottom.
    std::vector<size_t> rowRepeats;
};

// The bytes of a file of the picture at the resolution (in its pHYs chunk), or nothing when
// memory runs out.
std::optional<std::vector<uint8_t>> WritePng(const PngPicture& picture, int dpi);

// The canvas's pixels as a picture, then as a file.
std::optional<std::vector<uint8_t>> EncodePng(const IndexCanvas& canvas, int dpi);

// Whether the colours can be stored as one-bit grey: only black and white.
bool IsBlackAndWhite(std::span<const qrplat::ColorRef> colours);

// Any PNG file as luminance, or nothing when it is not one.
std::optional<GreyImage> DecodePng(std::span<const uint8_t> file);

}  // namespace qrcli
