#include "images/packed_drawing.h"

#include <array>
#include <cstring>

namespace qrcli {

namespace {

constexpr qrplat::ColorRef kWhite = 0xFFFFFF;

// Pixels x0 to x1 (not included) of a row of one-bit samples, the first pixel in the high bit.
void FillBits(uint8_t* row, int64_t x0, int64_t x1, bool one) {
    while (x0 < x1 && x0 % 8 != 0) {
        const auto bit = static_cast<uint8_t>(0x80U >> (x0 % 8));
        row[x0 / 8] = one ? row[x0 / 8] | bit : row[x0 / 8] & ~bit;
        ++x0;
    }
    const int64_t wholeEnd = x1 - x1 % 8;
    if (x0 < wholeEnd) {
        std::memset(row + x0 / 8, one ? 0xFF : 0x00, static_cast<size_t>((wholeEnd - x0) / 8));
        x0 = wholeEnd;
    }
    for (; x0 < x1; ++x0) {
        const auto bit = static_cast<uint8_t>(0x80U >> (x0 % 8));
        row[x0 / 8] = one ? row[x0 / 8] | bit : row[x0 / 8] & ~bit;
    }
}

// Whether the module the drawing puts at row r, column c of its grid is dark, for each quarter
// turn (as the canvas drawing places them).
bool DarkAt(const qr::ModuleMatrix& matrix, int rotation, int r, int c) {
    const int last = matrix.side - 1;
    switch (rotation) {
        case 0:
            return matrix.Module(last - c, r) != 0;
        case 1:
            return matrix.Module(r, c) != 0;
        case 2:
            return matrix.Module(c, last - r) != 0;
        default:
            return matrix.Module(last - r, last - c) != 0;
    }
}

}  // namespace

std::optional<PngPicture> DrawPacked(const qr::ModuleMatrix& matrix,
                                     const qrlib::Appearance& look) {
    const int64_t m = look.modulePixels;
    const int64_t n = matrix.side;
    const int64_t w = look.width;
    const int64_t h = look.height;
    if (look.frameStyle != 0 || m <= 0 || w <= 0 || h <= 0) return std::nullopt;
    // The canvas drawing's margins: truncated halves, the far side's for the turned drawings.
    const int64_t offsetX = (w - n * m) / 2;
    const int64_t offsetY = (h - n * m) / 2;
    const int64_t left = look.rotation == 2 ? w - offsetX - n * m : offsetX;
    const int64_t top = look.rotation == 1 ? h - offsetY - n * m : offsetY;
    if (left < 0 || top < 0 || left + n * m > w || top + n * m > h) return std::nullopt;

    PngPicture picture;
    picture.width = look.width;
    picture.height = look.height;
    const std::array<qrplat::ColorRef, 2> colours{look.backColor, look.barColor};
    bool backSample = false;
    bool barSample = true;
    if (IsBlackAndWhite(colours)) {
        backSample = look.backColor == kWhite;
        barSample = look.barColor == kWhite;
    } else {
        picture.greyscale = false;
        picture.palette.push_back(look.backColor);
        if (look.barColor != look.backColor) picture.palette.push_back(look.barColor);
        barSample = look.barColor != look.backColor;
    }
    const auto stride = static_cast<size_t>((w + 7) / 8 + 1);
    picture.scanlines.assign(stride * static_cast<size_t>(h), 0);
    uint8_t* const rows = picture.scanlines.data();

    // Each row: its filter byte (0), then the samples; bits past the width stay 0.
    auto background = [&](int64_t y) {
        FillBits(rows + static_cast<size_t>(y) * stride + 1, 0, w, backSample);
    };
    for (int64_t y = 0; y < top; ++y) background(y);
    for (int64_t r = 0; r < n; ++r) {
        const int64_t first = top + r * m;
        uint8_t* row = rows + static_cast<size_t>(first) * stride;
        FillBits(row + 1, 0, w, backSample);
        for (int64_t c = 0; c < n; ++c) {
            if (DarkAt(matrix, look.rotation, static_cast<int>(r), static_cast<int>(c))) {
                FillBits(row + 1, left + c * m, left + (c + 1) * m, barSample);
            }
        }
        for (int64_t k = 1; k < m; ++k)
            std::memcpy(row + static_cast<size_t>(k) * stride, row, stride);
    }
    for (int64_t y = top + n * m; y < h; ++y) background(y);
    return picture;
}

}  // namespace qrcli
