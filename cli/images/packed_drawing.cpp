#include "images/packed_drawing.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qrcli {

namespace {

constexpr qrplat::ColorRef kWhite = 0xFFFFFF;

// One row of one-bit samples written from the left, the first pixel in the high bit; the bits
// after the last pixel of the row stay 0. Whole words of 32 pixels go out at once.
class BitRow {
  public:
    explicit BitRow(uint8_t* out) : out_(out) {}

    void Put(int64_t count, bool one) {
        for (; count > 32; count -= 32) PutBits(one ? ~uint32_t{0} : 0, 32);
        if (count > 0) PutBits(one ? Ones(static_cast<int>(count)) : 0, static_cast<int>(count));
    }
    // count (1 to 32) pixels, the first in the highest of the bits given.
    void PutBits(uint32_t bits, int count) {
        bits_ = (bits_ << count) | bits;
        filled_ += count;
        if (filled_ >= 32) {
            filled_ -= 32;
            const auto word = static_cast<uint32_t>(bits_ >> filled_);
            for (int k = 0; k < 4; ++k) *out_++ = static_cast<uint8_t>(word >> (24 - 8 * k));
        }
    }
    void Finish() {
        for (; filled_ >= 8; filled_ -= 8) *out_++ = static_cast<uint8_t>(bits_ >> (filled_ - 8));
        if (filled_ > 0) *out_++ = static_cast<uint8_t>(bits_ << (8 - filled_));
        filled_ = 0;
    }
    static uint32_t Ones(int count) {
        return count >= 32 ? ~uint32_t{0} : (uint32_t{1} << count) - 1;
    }

  private:
    uint8_t* out_;
    uint64_t bits_ = 0;  // the last filled_ bits (fewer than 32) are still to go out
    int filled_ = 0;
};

// Whether each module the drawing puts in row r of its grid is dark, for each quarter turn
// (as the canvas drawing places them).
void ModuleRow(const qr::ModuleMatrix& matrix, int rotation, int r, std::vector<uint8_t>& dark) {
    const int n = matrix.side;
    const int last = n - 1;
    dark.resize(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c) {
        const int row = rotation == 0 ? last - c : rotation == 1 ? r : rotation == 2 ? c : last - r;
        const int column = rotation == 0   ? r
                           : rotation == 1 ? c
                           : rotation == 2 ? last - r
                                           : last - c;
        dark[static_cast<size_t>(c)] = matrix.Module(row, column) != 0 ? 1 : 0;
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
    // Each row once: the pixel rows of a module, and of a margin, are all alike. Rows stay
    // 0 where nothing is drawn: the filter byte (none) and the bits after the last pixel.
    const auto most = static_cast<size_t>(n) + 2;
    picture.scanlines.assign(stride * most, 0);
    picture.rowRepeats.reserve(most);
    uint8_t* const rows = picture.scanlines.data();
    size_t distinct = 0;
    auto rowAt = [&] { return rows + distinct * stride; };
    // The row just drawn stands for count rows, joined with the one above when they are equal
    // as the deflate's runs of equal rows are.
    auto keep = [&](int64_t count) {
        if (count <= 0) return;
        uint8_t* row = rowAt();
        if (distinct > 0 && std::memcmp(row - stride, row, stride) == 0) {
            picture.rowRepeats.back() += static_cast<size_t>(count);
            return;
        }
        picture.rowRepeats.push_back(static_cast<size_t>(count));
        ++distinct;
    };
    auto margin = [&](int64_t count) {
        if (count <= 0) return;
        BitRow row(rowAt() + 1);
        row.Put(w, backSample);
        row.Finish();
        keep(count);
    };
    margin(top);
    // Every module at most 32 pixels wide goes out in one step.
    const bool narrow = m <= 32;
    const uint32_t bar = barSample && narrow ? BitRow::Ones(static_cast<int>(m)) : 0;
    const uint32_t back = backSample && narrow ? BitRow::Ones(static_cast<int>(m)) : 0;
    std::vector<uint8_t> dark;
    for (int64_t r = 0; r < n; ++r) {
        ModuleRow(matrix, look.rotation, static_cast<int>(r), dark);
        BitRow row(rowAt() + 1);
        row.Put(left, backSample);
        for (const uint8_t isDark : dark) {
            if (narrow) {
                row.PutBits(isDark ? bar : back, static_cast<int>(m));
            } else {
                row.Put(m, isDark ? barSample : backSample);
            }
        }
        row.Put(w - left - n * m, backSample);
        row.Finish();
        keep(m);
    }
    margin(h - top - n * m);
    picture.scanlines.resize(distinct * stride);
    return picture;
}

}  // namespace qrcli
