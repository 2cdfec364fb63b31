#include "images/index_canvas.h"

#include <algorithm>
#include <new>

#include "options/colours.h"

namespace qrcli {

std::unique_ptr<IndexCanvas> IndexCanvas::Create(int width, int height, int dpi,
                                                 qrplat::ColorRef initial) {
    if (width <= 0 || height <= 0) return nullptr;
    try {
        std::vector<uint8_t> indices(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        return std::unique_ptr<IndexCanvas>(
            new IndexCanvas(width, height, dpi, initial, std::move(indices)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

uint8_t IndexCanvas::IndexOf(qrplat::ColorRef color) {
    const auto found = std::find(palette_.begin(), palette_.end(), color);
    if (found != palette_.end()) return static_cast<uint8_t>(found - palette_.begin());
    // A drawing uses at most background, bars and the frame's pen; more would be a new caller.
    if (palette_.size() == 256) return 0;
    palette_.push_back(color);
    return static_cast<uint8_t>(palette_.size() - 1);
}

void IndexCanvas::FillSpan(int y, int x0, int x1, qrplat::ColorRef color) {
    const uint8_t index = IndexOf(color);
    auto row = indices_.begin() + static_cast<ptrdiff_t>(y) * width();
    std::fill(row + x0, row + x1, index);
}

void IndexCanvas::FillClipped(int x0, int y0, int x1, int y1, qrplat::ColorRef color) {
    const uint8_t index = IndexOf(color);
    for (int y = y0; y < y1; ++y) {
        auto row = indices_.begin() + static_cast<ptrdiff_t>(y) * width();
        std::fill(row + x0, row + x1, index);
    }
}

std::vector<uint8_t> IndexCanvas::Grey() const {
    std::vector<uint8_t> levels(palette_.size());
    std::transform(palette_.begin(), palette_.end(), levels.begin(), Luminance);
    std::vector<uint8_t> grey(indices_.size());
    std::transform(indices_.begin(), indices_.end(), grey.begin(),
                   [&](uint8_t index) { return levels[index]; });
    return grey;
}

uint8_t Luminance(qrplat::ColorRef color) {
    const unsigned y =
        299U * qrplat::RedOf(color) + 587U * qrplat::GreenOf(color) + 114U * qrplat::BlueOf(color);
    const unsigned opaque = (y + 500U) / 1000U;
    // A colour that is not opaque shows as on white paper.
    const unsigned alpha = AlphaOf(color);
    return static_cast<uint8_t>((opaque * alpha + 255U * (255U - alpha) + 127U) / 255U);
}

}  // namespace qrcli
