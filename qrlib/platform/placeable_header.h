// The 22-byte header that places a Windows metafile at a physical size: shared by the library's
// WMF export and the command-line tool.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qrplat {

inline std::array<uint8_t, 22> PlaceableHeader(int32_t width, int32_t height, int unitsPerInch) {
    const std::array<uint16_t, 10> words = {0xCDD7,
                                            0x9AC6,
                                            0,
                                            0,
                                            0,
                                            static_cast<uint16_t>(width),
                                            static_cast<uint16_t>(height),
                                            static_cast<uint16_t>(unitsPerInch),
                                            0,
                                            0};
    std::array<uint8_t, 22> header{};
    uint16_t checksum = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        header[2 * i] = static_cast<uint8_t>(words[i]);
        header[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
        checksum ^= words[i];
    }
    header[20] = static_cast<uint8_t>(checksum);
    header[21] = static_cast<uint8_t>(checksum >> 8);
    return header;
}

}  // namespace qrplat
