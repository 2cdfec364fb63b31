// BMP files as the QR library writes them (1 and 4 bits per pixel) and the other uncompressed
// kinds; every size in the file is checked against the bytes before the GDI sees them.
#include <cstddef>
#include <cstring>
#include <utility>

#include "toolkit/win32/image/dib_image.h"

namespace win32 {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);   // 40
constexpr std::size_t kLargestHeaderSize = sizeof(BITMAPV5HEADER);  // 124
constexpr std::size_t kMaskBytes = 3 * sizeof(std::uint32_t);
constexpr std::int32_t kLargestSide = 32768;

std::uint32_t U32(const ui::Bytes& bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

bool KnownDepth(std::uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

DibImage ReadBmpFile(const ui::Bytes& bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return {};
    const std::uint64_t pixelsAt = U32(bytes, 10);
    const std::uint32_t headerSize = U32(bytes, kFileHeaderSize);
    if (headerSize < kInfoHeaderSize || headerSize > kLargestHeaderSize ||
        kFileHeaderSize + headerSize > bytes.size())
        return {};

    BITMAPINFOHEADER header{};
    std::memcpy(&header, bytes.data() + kFileHeaderSize, kInfoHeaderSize);
    const std::int32_t rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biPlanes != 1 || !KnownDepth(header.biBitCount) || header.biWidth <= 0 ||
        header.biWidth > kLargestSide || rows == 0 || rows > kLargestSide)
        return {};
    // Run-length and embedded formats go to the imaging component.
    const bool masks = header.biCompression == BI_BITFIELDS;
    if (header.biCompression != BI_RGB && !(masks && header.biBitCount >= 16)) return {};

    // The masks follow a plain info header and sit inside the later, longer headers.
    const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
    if (masks && masksAt + kMaskBytes > bytes.size()) return {};
    const std::size_t tableAt =
        kFileHeaderSize + headerSize + (masks && headerSize == kInfoHeaderSize ? kMaskBytes : 0);
    std::uint32_t colours = 0;
    if (header.biBitCount <= 8) {
        const std::uint32_t most = 1u << header.biBitCount;
        colours = header.biClrUsed == 0 || header.biClrUsed > most ? most : header.biClrUsed;
    }
    if (tableAt + std::uint64_t(colours) * 4 > bytes.size()) return {};

    const std::uint64_t stride = (std::uint64_t(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const std::uint64_t pixelBytes = stride * std::uint64_t(rows);
    if (pixelsAt + pixelBytes > bytes.size()) return {};

    header.biSize = kInfoHeaderSize;
    header.biSizeImage = 0;
    header.biClrUsed = colours;
    header.biClrImportant = 0;
    std::vector<std::uint32_t> info(kInfoHeaderSize / 4 + (masks ? 3 : 0) + colours);
    auto* out = reinterpret_cast<unsigned char*>(info.data());
    std::memcpy(out, &header, kInfoHeaderSize);
    out += kInfoHeaderSize;
    if (masks) {
        std::memcpy(out, bytes.data() + masksAt, kMaskBytes);
        out += kMaskBytes;
    }
    std::memcpy(out, bytes.data() + tableAt, std::size_t(colours) * 4);
    const auto* pixels = bytes.data() + pixelsAt;
    return DibImage(std::move(info), std::vector<unsigned char>(pixels, pixels + pixelBytes));
}

}  // namespace win32
