#include "bmp_file.h"

#include <windows.h>

#include <cstdio>

namespace qrwin {

namespace {

uint32_t U32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<unsigned char>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

std::vector<unsigned char> ReadWholeFile(const std::string& path, bool* found) {
    std::vector<unsigned char> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (found != nullptr) *found = f != nullptr;
    if (f == nullptr) return bytes;
    unsigned char chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

BmpImage ParseBmp(std::vector<unsigned char> bytes) {
    BmpImage img;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return img;
    img.pixelOffset = U32(bytes, 10);
    img.width = static_cast<int32_t>(U32(bytes, 18));
    img.height = static_cast<int32_t>(U32(bytes, 22));
    img.bitsPerPixel = U16(bytes, 28);
    if (img.bitsPerPixel != 1 && img.bitsPerPixel != 4) return img;
    if (img.width <= 0 || img.height <= 0) return img;
    const size_t entries = size_t{1} << img.bitsPerPixel;
    const size_t stride =
        ((static_cast<size_t>(img.bitsPerPixel) * img.width + 31) & ~size_t{31}) / 8;
    if (img.pixelOffset != 54 + 4 * entries) return img;
    if (bytes.size() < img.pixelOffset + stride * img.height) return img;
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = 54 + 4 * i;
        img.palette.push_back(bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at]);
    }
    img.bytes = std::move(bytes);
    img.valid = true;
    return img;
}

uint32_t BmpImage::Pixel(int x, int y) const {
    const size_t stride = ((static_cast<size_t>(bitsPerPixel) * width + 31) & ~size_t{31}) / 8;
    const size_t row = pixelOffset + stride * static_cast<size_t>(height - 1 - y);
    unsigned index = 0;
    if (bitsPerPixel == 1) {
        index = (bytes[row + x / 8] >> (7 - x % 8)) & 1;
    } else {
        index = (bytes[row + x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF;
    }
    return palette[index];
}

std::string TempPath(const char* stem) {
    static unsigned serial = 0;
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    char name[MAX_PATH + 64];
    std::snprintf(name, sizeof name, "%sqrclient-%lu-%u-%s", folder, ::GetCurrentProcessId(),
                  ++serial, stem);
    return name;
}

}  // namespace qrwin
