// Reading whole files and the few BMP fields the checks look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qrwin {

std::vector<unsigned char> ReadWholeFile(const std::string& path, bool* found = nullptr);

struct BmpImage {
    bool valid = false;
    int32_t width = 0, height = 0;
    int bitsPerPixel = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    // Colour of the pixel (x, y) counted from the top left, 0x00RRGGBB.
    uint32_t Pixel(int x, int y) const;

    std::vector<unsigned char> bytes;
    uint32_t pixelOffset = 0;
};

// Understands the uncompressed 1- and 4-bit bottom-up files the library writes.
BmpImage ParseBmp(std::vector<unsigned char> bytes);

// A fresh path in the temporary folder.
std::string TempPath(const char* stem);

}  // namespace qrwin
