#include <cmath>

#include "canvas.h"
#include "images/vector_images.h"

namespace qrcli {

std::string EpsImage(const VectorCanvas& canvas) {
    const double points = canvas.PixelPoints();
    const double w = canvas.width() * points;
    const double h = canvas.height() * points;
    std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: qrbatch-cli\n";
    eps += "%%BoundingBox: 0 0 " + std::to_string(static_cast<long>(std::ceil(w))) + " " +
           std::to_string(static_cast<long>(std::ceil(h))) + "\n";
    eps += "%%HiResBoundingBox: 0 0 " + Decimal(w) + " " + Decimal(h) + "\n";
    eps += "%%LanguageLevel: 2\n%%Pages: 0\n%%EndComments\n";
    // Pixels from the top left, as the drawing has them.
    eps += "gsave\n0 " + Decimal(h) + " translate " + ScaleText(points) + " " + ScaleText(-points) +
           " scale\n";
    const auto& boxes = canvas.boxes();
    ForEachColourRun(boxes, [&](size_t begin, size_t end) {
        eps += RgbFraction(boxes[begin].color) + " setrgbcolor\n";
        for (size_t i = begin; i < end; ++i) {
            const auto& b = boxes[i];
            eps += std::to_string(b.left) + " " + std::to_string(b.top) + " " +
                   std::to_string(b.right - b.left) + " " + std::to_string(b.bottom - b.top) +
                   " rectfill\n";
        }
    });
    eps += "grestore\nshowpage\n%%EOF\n";
    return eps;
}

}  // namespace qrcli
