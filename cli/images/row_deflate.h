// A deflate made for pictures of few colours whose rows repeat: fixed codes, a row equal to the
// one above (the pixel rows of a module) as one match, and a run of equal bytes in a row as a
// literal and a match one back. A few microseconds for an image a general compressor takes
// several times as long over, for files of about twice the size (a few hundred bytes: either
// way they fill less than one block of a file system).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qrcli {

// Appends the zlib stream of rows (each rowBytes long, their number whole) to out.
void AppendRowDeflated(std::span<const uint8_t> rows, size_t rowBytes, std::vector<uint8_t>& out);

}  // namespace qrcli
