#include "images/vector_canvas.h"

#include <algorithm>

namespace qrcli {

void VectorCanvas::FillRect(int left, int top, int right, int bottom, qrplat::ColorRef color) {
    // Clipped to the picture, as a pixel surface would clip it.
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) return;
    if (!boxes_.empty()) {
        Box& last = boxes_.back();
        const bool sameColumn = last.color == color && last.left == left && last.right == right;
        if (sameColumn && last.top == bottom) {
            last.top = top;
            return;
        }
        if (sameColumn && last.bottom == top) {
            last.bottom = bottom;
            return;
        }
    }
    boxes_.push_back({left, top, right, bottom, color});
}

void VectorCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void VectorCanvas::LineTo(int x, int y) {
    // The start pixel is drawn, the end pixel is not: a one-pixel-wide box.
    constexpr qrplat::ColorRef kPen = 0;
    if (y == penY_ && x != penX_) {
        const int from = x > penX_ ? penX_ : x + 1;
        const int to = x > penX_ ? x : penX_ + 1;
        FillRect(from, y, to, y + 1, kPen);
    } else if (x == penX_ && y != penY_) {
        const int from = y > penY_ ? penY_ : y + 1;
        const int to = y > penY_ ? y : penY_ + 1;
        FillRect(x, from, x + 1, to, kPen);
    }
    MoveTo(x, y);
}

}  // namespace qrcli
