// PNG through libpng: 1-bit grey for black on white (or white on black), else a palette of
// the drawing's own colours at the smallest bit depth that holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "images/grey_image.h"
#include "images/index_canvas.h"

namespace qrcli {

// The file's bytes, or nothing when libpng fails (out of memory).
std::optional<std::vector<uint8_t>> EncodePng(const IndexCanvas& canvas, int dpi);

// Any PNG file as luminance, or nothing when it is not one.
std::optional<GreyImage> DecodePng(std::span<const uint8_t> file);

}  // namespace qrcli
