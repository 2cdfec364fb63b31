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

// A row of a picture and how many times it stands one under the other.
struct RowRun {
    const uint8_t* row;
    size_t count;
};

// The runs of equal rows of rows (each rowBytes long, their number whole).
std::vector<RowRun> RunsOf(std::span<const uint8_t> rows, size_t rowBytes);

// Appends the zlib stream of the rows the runs stand for (each rowBytes long) to out.
void AppendRowDeflated(std::span<const RowRun> runs, size_t rowBytes, std::vector<uint8_t>& out);
void AppendRowDeflated(std::span<const uint8_t> rows, size_t rowBytes, std::vector<uint8_t>& out);

// The zlib checksum of the rows the runs stand for, each row read once.
uint32_t Adler32OfRuns(std::span<const RowRun> runs, size_t rowBytes);

}  // namespace qrcli
