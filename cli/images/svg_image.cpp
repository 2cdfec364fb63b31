#include <cstdio>

#include "images/vector_images.h"
#include "options/colours.h"

namespace qrcli {

std::string SvgImage(const VectorCanvas& canvas) {
    const std::string w = std::to_string(canvas.width());
    const std::string h = std::to_string(canvas.height());
    // With a physical size asked for, the printed size in millimetres; otherwise pixels.
    std::string width = w;
    std::string height = h;
    if (canvas.HasPhysicalSize()) {
        const double mm = canvas.PixelPoints() * 25.4 / 72;
        width = Decimal(canvas.width() * mm).append("mm");
        height = Decimal(canvas.height() * mm).append("mm");
    }
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" + height +
           "\" viewBox=\"0 0 " + w + " " + h + "\" shape-rendering=\"crispEdges\">\n";
    const auto& boxes = canvas.boxes();
    ForEachColourRun(boxes, [&](size_t begin, size_t end) {
        const auto color = boxes[begin].color;
        const uint8_t alpha = AlphaOf(color);
        if (alpha == 0) return;  // nothing to see
        svg += "<path fill=\"" + ColourText(OpaquePart(color)) + "\"";
        if (alpha != 255) svg += " fill-opacity=\"" + Decimal(alpha / 255.0) + "\"";
        svg += " d=\"";
        for (size_t i = begin; i < end; ++i) {
            const auto& b = boxes[i];
            // Appended piece by piece: GCC 12 at -O3 warns about "M" + std::string.
            svg.append("M").append(std::to_string(b.left)).append(" ");
            svg.append(std::to_string(b.top)).append("h").append(std::to_string(b.right - b.left));
            svg.append("v").append(std::to_string(b.bottom - b.top)).append("h-");
            svg.append(std::to_string(b.right - b.left)).append("z");
        }
        svg += "\"/>\n";
    });
    svg += "</svg>\n";
    return svg;
}

}  // namespace qrcli
