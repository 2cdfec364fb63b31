// The vector files of a drawing kept as boxes: each colour's run of boxes one path. SVG
// measures in pixels; EPS and PDF in points, a pixel being 1/dpi inch (or what makes a module
// the physical size asked for), so that the page has the printed size of the image.
#pragma once

#include <string>

#include "images/vector_canvas.h"

namespace qrcli {

std::string SvgImage(const VectorCanvas& canvas);
std::string EpsImage(const VectorCanvas& canvas);
std::string PdfImage(const VectorCanvas& canvas);

// A number as PostScript and PDF read it: plain decimal, at most 4 decimals, no locale.
std::string Decimal(double value);
// A scale factor, with the decimals that keep a page of thousands of pixels exact to 0.001 mm.
std::string ScaleText(double value);
// "r g b", each 0..1, as setrgbcolor and rg take it.
std::string RgbFraction(qrplat::ColorRef color);

// Boxes [begin, end) of one colour, in drawing order.
template <typename Visit>
void ForEachColourRun(const std::vector<VectorCanvas::Box>& boxes, Visit visit) {
    for (size_t begin = 0; begin < boxes.size();) {
        size_t end = begin;
        while (end < boxes.size() && boxes[end].color == boxes[begin].color) ++end;
        visit(begin, end);
        begin = end;
    }
}

}  // namespace qrcli
