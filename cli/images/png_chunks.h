// A PNG file built chunk by chunk in memory: the signature, then each chunk as length, type,
// data and the CRC of type and data.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "images/row_deflate.h"

namespace qrcli {

class PngChunks {
  public:
    // Starts the file with the signature.
    explicit PngChunks(std::vector<uint8_t>& out);

    void Add(std::string_view type, std::span<const uint8_t> data);
    // One IDAT chunk holding the scanlines (rows of rowBytes) deflated: by the row deflate
    // when the file stays within one block of a file system, else by the general compressor
    // at the level. False when memory runs out.
    bool AddImageData(std::span<const uint8_t> scanlines, size_t rowBytes, int level);
    // The same for the rows the runs stand for.
    bool AddImageData(std::span<const RowRun> runs, size_t rowBytes, int level);

  private:
    bool AddImageData(std::span<const RowRun> runs, size_t rowBytes, int level,
                      std::span<const uint8_t> scanlines);
    void Close(size_t start);  // the length and CRC of the chunk that begins at start

    std::vector<uint8_t>& out_;
};

// A 4-byte big-endian number as PNG chunks hold them.
void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value);

}  // namespace qrcli
