// An image as a QR reader takes it: one luminance byte per pixel.
#pragma once

#include <cstdint>
#include <vector>

namespace qrcli {

struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // row-major
};

}  // namespace qrcli
