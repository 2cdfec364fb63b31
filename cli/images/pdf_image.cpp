#include <cstdio>

#include "canvas.h"
#include "images/vector_images.h"

namespace qrcli {

namespace {

std::string Content(const VectorCanvas& canvas, double points, double height) {
    // Pixels from the top left, as the drawing has them.
    std::string content =
        ScaleText(points) + " 0 0 " + ScaleText(-points) + " 0 " + Decimal(height) + " cm\n";
    const auto& boxes = canvas.boxes();
    ForEachColourRun(boxes, [&](size_t begin, size_t end) {
        content += RgbFraction(boxes[begin].color) + " rg\n";
        for (size_t i = begin; i < end; ++i) {
            const auto& b = boxes[i];
            content += std::to_string(b.left) + " " + std::to_string(b.top) + " " +
                       std::to_string(b.right - b.left) + " " + std::to_string(b.bottom - b.top) +
                       " re\n";
        }
        content += "f\n";
    });
    return content;
}

}  // namespace

std::string PdfImage(const VectorCanvas& canvas) {
    const double points = canvas.PixelPoints();
    const double w = canvas.width() * points;
    const double h = canvas.height() * points;
    const std::string content = Content(canvas, points, h);
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Decimal(w) + " " + Decimal(h) +
            "] /Resources << >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::string xref = "xref\n0 5\n0000000000 65535 f \n";
    for (size_t i = 0; i < std::size(objects); ++i) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xrefAt = pdf.size();
    pdf += xref + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(xrefAt) +
           "\n%%EOF\n";
    return pdf;
}

}  // namespace qrcli
