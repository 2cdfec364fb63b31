#include "images/bmp_reading.h"

#include <cstdlib>

#include "canvas.h"
#include "images/index_canvas.h"

namespace qrcli {

namespace {

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t Le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

std::optional<GreyImage> DecodeBmp(std::span<const uint8_t> file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const uint32_t rowsOffset = Le32(file, 10);
    const uint32_t headerSize = Le32(file, 14);
    const auto width = static_cast<int32_t>(Le32(file, 18));
    const auto rawHeight = static_cast<int32_t>(Le32(file, 22));
    const int bits = Le16(file, 28);
    if (headerSize < 40 || Le32(file, 30) != 0 || width <= 0 || rawHeight == 0 ||
        rawHeight == INT32_MIN) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return std::nullopt;
    const bool bottomUp = rawHeight > 0;
    const int height = std::abs(rawHeight);
    const uint64_t stride = ((static_cast<uint64_t>(bits) * width + 31) & ~uint64_t{31}) / 8;
    if (rowsOffset + stride * static_cast<uint64_t>(height) > file.size()) return std::nullopt;

    std::vector<uint8_t> levels;
    if (bits <= 8) {
        const uint32_t used = Le32(file, 46);
        const size_t entries = used ? used : size_t{1} << bits;
        const size_t table = 14 + headerSize;
        if (table + 4 * entries > rowsOffset) return std::nullopt;
        for (size_t i = 0; i < entries; ++i) {
            const size_t at = table + 4 * i;
            levels.push_back(Luminance(qrplat::MakeColorRef(file[at + 2], file[at + 1], file[at])));
        }
        levels.resize(256, 0);
    }

    GreyImage grey{width, height, {}};
    grey.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const size_t fileRow = static_cast<size_t>(bottomUp ? height - 1 - y : y);
        const uint8_t* row = file.data() + rowsOffset + fileRow * stride;
        uint8_t* out = grey.pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            switch (bits) {
                case 1:
                    out[x] = levels[(row[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    out[x] = levels[x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F];
                    break;
                case 8:
                    out[x] = levels[row[x]];
                    break;
                default:
                    out[x] =
                        Luminance(qrplat::MakeColorRef(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
                    break;
            }
        }
    }
    return grey;
}

}  // namespace qrcli
