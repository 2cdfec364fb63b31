#include "dib_canvas.h"

#include <cstring>
#include <limits>
#include <new>

namespace qrplat {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

const std::vector<ColorRef>& PaletteFor(int bitsPerPixel) {
    static const std::vector<ColorRef> kTwo = {MakeColorRef(0, 0, 0), MakeColorRef(255, 255, 255)};
    // The 16 colours of the VGA palette in their customary order.
    static const std::vector<ColorRef> kSixteen = {
        MakeColorRef(0, 0, 0),      MakeColorRef(128, 0, 0),     MakeColorRef(0, 128, 0),
        MakeColorRef(128, 128, 0),  MakeColorRef(0, 0, 128),     MakeColorRef(128, 0, 128),
        MakeColorRef(0, 128, 128),  MakeColorRef(192, 192, 192), MakeColorRef(128, 128, 128),
        MakeColorRef(255, 0, 0),    MakeColorRef(0, 255, 0),     MakeColorRef(255, 255, 0),
        MakeColorRef(0, 0, 255),    MakeColorRef(255, 0, 255),   MakeColorRef(0, 255, 255),
        MakeColorRef(255, 255, 255)};
    return bitsPerPixel == 1 ? kTwo : kSixteen;
}

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

}  // namespace

int64_t DibCanvas::Stride(int width, int bitsPerPixel) {
    return ((static_cast<int64_t>(bitsPerPixel) * width + 31) & ~int64_t{31}) / 8;
}

std::unique_ptr<DibCanvas> DibCanvas::Create(int width, int height, int bitsPerPixel, int dpiX,
                                             int dpiY) {
    if (width <= 0 || height <= 0 || (bitsPerPixel != 1 && bitsPerPixel != 4)) return nullptr;
    const int64_t entries = bitsPerPixel == 1 ? 2 : 16;
    const int64_t imageSize = Stride(width, bitsPerPixel) * height;
    const int64_t fileSize =
        static_cast<int64_t>(kFileHeaderSize + kInfoHeaderSize) + 4 * entries + imageSize;
    // Readers take the sizes as signed 32-bit numbers.
    if (fileSize > std::numeric_limits<int32_t>::max()) return nullptr;
    try {
        std::vector<uint8_t> file(static_cast<size_t>(fileSize), 0);
        return std::unique_ptr<DibCanvas>(
            new DibCanvas(width, height, bitsPerPixel, dpiX, dpiY, std::move(file)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

DibCanvas::DibCanvas(int width, int height, int bitsPerPixel, int dpiX, int dpiY,
                     std::vector<uint8_t> file)
    : PixelCanvas(width, height, dpiX, dpiY),
      bitsPerPixel_(bitsPerPixel),
      stride_(static_cast<size_t>(Stride(width, bitsPerPixel))),
      palette_(PaletteFor(bitsPerPixel)),
      file_(std::move(file)) {
    rowsOffset_ = kFileHeaderSize + kInfoHeaderSize + 4 * palette_.size();
    const auto imageSize = static_cast<uint32_t>(stride_ * static_cast<size_t>(height));
    file_[0] = 'B';
    file_[1] = 'M';
    Put32(file_, 2, static_cast<uint32_t>(file_.size()));
    Put32(file_, 10, static_cast<uint32_t>(rowsOffset_));
    Put32(file_, 14, kInfoHeaderSize);
    Put32(file_, 18, static_cast<uint32_t>(width));
    Put32(file_, 22, static_cast<uint32_t>(height));
    Put16(file_, 26, 1);
    Put16(file_, 28, static_cast<uint32_t>(bitsPerPixel));
    Put32(file_, 34, imageSize);
    size_t at = kFileHeaderSize + kInfoHeaderSize;
    for (ColorRef c : palette_) {
        file_[at++] = BlueOf(c);
        file_[at++] = GreenOf(c);
        file_[at++] = RedOf(c);
        file_[at++] = 0;
    }
}

uint8_t DibCanvas::NearestIndex(ColorRef color) {
    if (color == lastColor_) return lastIndex_;
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (size_t i = 0; i < palette_.size(); ++i) {
        const long dr = long{RedOf(color)} - RedOf(palette_[i]);
        const long dg = long{GreenOf(color)} - GreenOf(palette_[i]);
        const long db = long{BlueOf(color)} - BlueOf(palette_[i]);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    lastColor_ = color;
    lastIndex_ = static_cast<uint8_t>(best);
    return lastIndex_;
}

void DibCanvas::FillSpan(int y, int x0, int x1, ColorRef color) {
    FillClipped(x0, y, x1, y + 1, color);
}

// The bytes a span touches are the same in every row of the rectangle: the two end bytes keep
// their other pixels through a mask, the ones between are set whole.
void DibCanvas::FillClipped(int x0, int y0, int x1, int y1, ColorRef color) {
    const uint8_t index = NearestIndex(color);
    const int perByte = 8 / bitsPerPixel_;
    const size_t first = static_cast<size_t>(x0 / perByte);
    const size_t last = static_cast<size_t>((x1 - 1) / perByte);
    const uint8_t full = bitsPerPixel_ == 4 ? static_cast<uint8_t>(index * 0x11)
                                            : static_cast<uint8_t>(index ? 0xFF : 0x00);
    // Masks of the pixels from x0 to the end of its byte, and from the start of the last byte
    // to x1 - 1 (pixels are stored from the high bits down).
    const unsigned bits = static_cast<unsigned>(bitsPerPixel_);
    const auto head = static_cast<uint8_t>(0xFFU >> (bits * static_cast<unsigned>(x0 % perByte)));
    const auto tail = static_cast<uint8_t>(
        0xFFU << (bits * static_cast<unsigned>(perByte - 1 - (x1 - 1) % perByte)));
    auto paint = [full](uint8_t& byte, uint8_t mask) {
        byte = static_cast<uint8_t>((byte & ~mask) | (full & mask));
    };
    uint8_t* row = file_.data() + rowsOffset_ + static_cast<size_t>(height() - 1 - y0) * stride_;
    for (int y = y0; y < y1; ++y, row -= stride_) {
        if (first == last) {
            paint(row[first], static_cast<uint8_t>(head & tail));
            continue;
        }
        paint(row[first], head);
        if (last > first + 1) std::memset(row + first + 1, full, last - first - 1);
        paint(row[last], tail);
    }
}

int DibCanvas::IndexAt(int x, int y) const {
    const uint8_t* row =
        file_.data() + rowsOffset_ + static_cast<size_t>(height() - 1 - y) * stride_;
    if (bitsPerPixel_ == 4) return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace qrplat
