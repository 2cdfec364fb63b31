#include "raster_canvas.h"

#include <algorithm>
#include <new>

namespace qrplat {

std::unique_ptr<RasterCanvas> RasterCanvas::Create(int width, int height, int dpiX, int dpiY) {
    if (width <= 0 || height <= 0) return nullptr;
    try {
        std::vector<ColorRef> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        return std::unique_ptr<RasterCanvas>(
            new RasterCanvas(width, height, dpiX, dpiY, std::move(pixels)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

ColorRef RasterCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return 0xFFFFFFFF;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width()) + static_cast<size_t>(x)];
}

void RasterCanvas::FillSpan(int y, int x0, int x1, ColorRef color) {
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(width());
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(x0)),
              pixels_.begin() + static_cast<std::ptrdiff_t>(row + static_cast<size_t>(x1)), color);
}

}  // namespace qrplat
