#include "pixel_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace qrplat {

void PixelCanvas::FillRect(int left, int top, int right, int bottom, ColorRef color) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, width_);
    const int y0 = std::max(top, 0);
    const int y1 = std::min(bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;
    FillClipped(x0, y0, x1, y1, color);
}

void PixelCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void PixelCanvas::Plot(int x, int y) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) FillSpan(y, x, x + 1, 0);
}

// Straight lines are clipped and filled as spans; others are walked point by point.
void PixelCanvas::LineTo(int x, int y) {
    const long long x0 = penX_;
    const long long y0 = penY_;
    penX_ = x;
    penY_ = y;
    if (y0 == y) {
        // Start included, end excluded, in either direction.
        const long long from = x >= x0 ? x0 : static_cast<long long>(x) + 1;
        const long long to = x >= x0 ? static_cast<long long>(x) : x0 + 1;
        if (y0 < 0 || y0 >= height_) return;
        const long long a = std::max<long long>(from, 0);
        const long long b = std::min<long long>(to, width_);
        if (a < b) FillSpan(static_cast<int>(y0), static_cast<int>(a), static_cast<int>(b), 0);
        return;
    }
    if (x0 == x) {
        const long long from = y >= y0 ? y0 : static_cast<long long>(y) + 1;
        const long long to = y >= y0 ? static_cast<long long>(y) : y0 + 1;
        if (x0 < 0 || x0 >= width_) return;
        for (long long row = std::max<long long>(from, 0); row < std::min<long long>(to, height_);
             ++row) {
            FillSpan(static_cast<int>(row), static_cast<int>(x0), static_cast<int>(x0) + 1, 0);
        }
        return;
    }
    long long cx = x0;
    long long cy = y0;
    const long long dx = std::llabs(x - cx);
    const long long dy = -std::llabs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    long long error = dx + dy;
    while (cx != x || cy != y) {
        Plot(static_cast<int>(cx), static_cast<int>(cy));
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cx += sx;
        }
        if (twice <= dx) {
            error += dx;
            cy += sy;
        }
    }
}

}  // namespace qrplat
