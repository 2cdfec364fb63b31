// Reading a symbol back with zxing-cpp, a reader this project did not write.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "images/grey_image.h"

namespace qrcli {

// The raw bytes of the QR Code symbol in the image, or nothing when none is read.
std::optional<std::vector<uint8_t>> ReadQrBytes(const GreyImage& image);

}  // namespace qrcli
