#include "images/packed_drawing.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qrcli {

namespace {

constexpr qrplat::ColorRef kWhite = 0xFFFFFF;

// One row of one-bit samples written from the left, the first pixel in the high bit; the bits
// after the last pixel of the row stay 0.
class BitRow {
  public:
    explicit BitRow(uint8_t* out) : out_(out) {}

    void Put(int64_t count, bool one) {
        while (count > 0) {
            const int k = static_cast<int>(std::min<int64_t>(count, 32));
            bits_ = (bits_ << k) | (one ? (uint64_t{1} << k) - 1 : 0);
            filled_ += k;
            count -= k;
            while (filled_ >= 8) {
                filled_ -= 8;
                *out_++ = static_cast<uint8_t>(bits_ >> filled_);
            }
        }
    }
    void Finish() {
        if (filled_ > 0) *out_++ = static_cast<uint8_t>(bits_ << (8 - filled_));
        filled_ = 0;
    }

  private:
    uint8_t* out_;
    uint64_t bits_ = 0;  // the last filled_ bits are still to go out
    int filled_ = 0;
};

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

    // Each row: its filter byte (0), then the samples. The rows of a module, and the margins
    // rows, are copies of their first.
    auto rowAt = [&](int64_t y) { return rows + static_cast<size_t>(y) * stride; };
    auto copyDown = [&](int64_t first, int64_t end) {
        for (int64_t y = first + 1; y < end; ++y) std::memcpy(rowAt(y), rowAt(first), stride);
    };
    if (top > 0) {
        BitRow margin(rowAt(0) + 1);
        margin.Put(w, backSample);
        margin.Finish();
        copyDown(0, top);
    }
    for (int64_t r = 0; r < n; ++r) {
        BitRow row(rowAt(top + r * m) + 1);
        row.Put(left, backSample);
        // A run of modules alike goes out at once.
        bool runDark = false;
        int64_t run = 0;
        for (int64_t c = 0; c < n; ++c) {
            const bool dark =
                DarkAt(matrix, look.rotation, static_cast<int>(r), static_cast<int>(c));
            if (dark != runDark) {
                row.Put(run * m, runDark ? barSample : backSample);
                runDark = dark;
                run = 0;
            }
            ++run;
        }
        row.Put(run * m, runDark ? barSample : backSample);
        row.Put(w - left - n * m, backSample);
        row.Finish();
        copyDown(top + r * m, top + (r + 1) * m);
    }
    const int64_t bottom = top + n * m;
    if (bottom < h) {
        BitRow margin(rowAt(bottom) + 1);
        margin.Put(w, backSample);
        margin.Finish();
        copyDown(bottom, h);
    }
    return picture;
}

}  // namespace qrcli
