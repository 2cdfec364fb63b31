// Data in the zlib format (what PNG's IDAT and PDF's FlateDecode hold), through libdeflate when
// the build found it, else through zlib. One compressor per thread, made on first use and kept:
// setting one up costs more than compressing a small image.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qrcli {

// Appends the zlib stream of the data to out; false when memory runs out (out unchanged).
bool AppendDeflated(std::span<const uint8_t> data, int level, std::vector<uint8_t>& out);

// The CRC-32 of PNG chunks and zip entries, continued from crc (0 to start).
uint32_t Crc32(uint32_t crc, std::span<const uint8_t> data);

// The Adler-32 checksum that ends a zlib stream.
uint32_t Adler32(std::span<const uint8_t> data);

}  // namespace qrcli
