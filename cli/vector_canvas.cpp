#include "svg_canvas.h"

#include <algorithm>
#include <cstdio>

namespace qrcli {

namespace {

std::string Hex(qrplat::ColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", qrplat::RedOf(color), qrplat::GreenOf(color),
                  qrplat::BlueOf(color));
    return text;
}

}  // namespace

void SvgCanvas::FillRect(int left, int top, int right, int bottom, qrplat::ColorRef color) {
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

void SvgCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void SvgCanvas::LineTo(int x, int y) {
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

std::string SvgCanvas::Document() const {
    const std::string w = std::to_string(width_);
    const std::string h = std::to_string(height_);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
           "\" viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
    // One path per run of boxes of the same colour; the modules come as one run.
    for (size_t i = 0; i < boxes_.size();) {
        const qrplat::ColorRef color = boxes_[i].color;
        svg += "<path fill=\"" + Hex(color) + "\" d=\"";
        for (; i < boxes_.size() && boxes_[i].color == color; ++i) {
            const Box& b = boxes_[i];
            svg += "M" + std::to_string(b.left) + " " + std::to_string(b.top) + "h" +
                   std::to_string(b.right - b.left) + "v" + std::to_string(b.bottom - b.top) +
                   "h-" + std::to_string(b.right - b.left) + "z";
        }
        svg += "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace qrcli
