#include "images/png_chunks.h"

#include "images/deflater.h"
#include "images/row_deflate.h"

namespace qrcli {

namespace {

// Files up to this size take one block of a file system whatever their bytes: below it the
// faster row deflate is kept, beyond it the smaller output pays.
constexpr size_t kOneBlock = 4096;

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

size_t Open(std::vector<uint8_t>& out, std::string_view type) {
    const size_t start = out.size();
    AppendBigEndian(out, 0);  // the length, once the data is in
    out.insert(out.end(), type.begin(), type.end());
    return start;
}

}  // namespace

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    const uint8_t bytes[] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                             static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    out.insert(out.end(), bytes, bytes + 4);
}

PngChunks::PngChunks(std::vector<uint8_t>& out) : out_(out) {
    out_.insert(out_.end(), std::begin(kSignature), std::end(kSignature));
}

void PngChunks::Add(std::string_view type, std::span<const uint8_t> data) {
    const size_t start = Open(out_, type);
    out_.insert(out_.end(), data.begin(), data.end());
    Close(start);
}

bool PngChunks::AddImageData(std::span<const uint8_t> scanlines, size_t rowBytes, int level) {
    return AddImageData(RunsOf(scanlines, rowBytes), rowBytes, level, scanlines);
}

bool PngChunks::AddImageData(std::span<const RowRun> runs, size_t rowBytes, int level) {
    return AddImageData(runs, rowBytes, level, {});
}

bool PngChunks::AddImageData(std::span<const RowRun> runs, size_t rowBytes, int level,
                             std::span<const uint8_t> scanlines) {
    const size_t start = Open(out_, "IDAT");
    AppendRowDeflated(runs, rowBytes, out_);
    if (out_.size() > kOneBlock) {
        out_.resize(start + 8);
        std::vector<uint8_t> rows;
        if (scanlines.empty()) {  // the general compressor reads every row
            for (const RowRun& run : runs) {
                for (size_t k = 0; k < run.count; ++k) {
                    rows.insert(rows.end(), run.row, run.row + rowBytes);
                }
            }
            scanlines = rows;
        }
        if (!AppendDeflated(scanlines, level, out_)) return false;
    }
    Close(start);
    return true;
}

void PngChunks::Close(size_t start) {
    const size_t length = out_.size() - start - 8;
    for (int k = 0; k < 4; ++k)
        out_[start + static_cast<size_t>(k)] = static_cast<uint8_t>(length >> (24 - 8 * k));
    const std::span typeAndData(out_.data() + start + 4, length + 4);
    AppendBigEndian(out_, Crc32(0, typeAndData));
}

}  // namespace qrcli
