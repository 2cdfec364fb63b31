#include "label_drawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "pdf_file.h"

namespace qrsheet {

namespace {

constexpr double kHairline = 0.25;  // points: thin, yet printed by any printer
constexpr double kMarkOffset = 1 * kPointsPerMm;
constexpr double kMarkLength = 6 * kPointsPerMm;
constexpr double kShortestMark = 1.5 * kPointsPerMm;

void AppendPoint(std::string& content, double x, double y) {
    AppendNumber(content, x);
    content += ' ';
    AppendNumber(content, y);
    content += ' ';
}

void AppendLine(std::string& content, double x1, double y1, double x2, double y2) {
    AppendPoint(content, x1, y1);
    content += "m ";
    AppendPoint(content, x2, y2);
    content += "l\n";
}

// The distinct edges of a run of labels: the start and end of each.
std::vector<double> Edges(double first, double pitch, double size, int count) {
    std::vector<double> edges;
    for (int i = 0; i < count; ++i) {
        for (const double edge : {first + i * pitch, first + i * pitch + size}) {
            if (edges.empty() || std::abs(edge - edges.back()) > 0.01) edges.push_back(edge);
        }
    }
    return edges;
}

}  // namespace

LabelPlan PlanLabel(const LabelBox& box, int side) {
    LabelPlan plan;
    // Readable at arm's length, and a small part of a small label.
    plan.caption.size = std::clamp(box.height * 0.11, 5.0, 10.0);
    const double band = 1.6 * plan.caption.size;
    plan.caption.baseline = box.bottom + 0.45 * plan.caption.size;
    plan.caption.centreX = box.left + box.width / 2;
    plan.caption.room = box.width - 2 * std::min(2 * kPointsPerMm, 0.05 * box.width);

    const double above = box.height - band;
    const double fitted = std::min(box.width, above) / (side + 2 * kQuietZoneModules);
    // Rounded down to what the page description writes, so that the written size still fits.
    plan.module = std::floor(fitted * 1e4) / 1e4;
    plan.symbolLeft = box.left + (box.width - side * plan.module) / 2;
    plan.symbolTop = box.Top() - (above - side * plan.module) / 2;
    return plan;
}

void AppendSymbol(std::string& content, const qr::ModuleMatrix& matrix, const LabelPlan& plan) {
    content += "q ";
    AppendNumber(content, plan.module, 4);
    content += " 0 0 ";
    AppendNumber(content, -plan.module, 4);
    content += ' ';
    AppendPoint(content, plan.symbolLeft, plan.symbolTop);
    content += "cm\n";
    for (int row = 0; row < matrix.side; ++row) {
        for (int column = 0; column < matrix.side;) {
            if (!matrix.Module(row, column)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < matrix.side && matrix.Module(row, column)) ++column;
            content += std::to_string(start) + ' ' + std::to_string(row) + ' ' +
                       std::to_string(column - start) + " 1 re ";
        }
        content += '\n';
    }
    content += "f Q\n";
}

void AppendLabelOutline(std::string& content, const LabelBox& box) {
    AppendNumber(content, kHairline, 2);
    content += " w ";
    AppendPoint(content, box.left, box.bottom);
    AppendPoint(content, box.width, box.height);
    content += "re S\n";
}

void AppendCutMarks(std::string& content, const SheetLayout& layout) {
    const double gridRight = layout.left + (layout.columns - 1) * layout.pitchX + layout.labelWidth;
    const double gridBottom = layout.top + (layout.rows - 1) * layout.pitchY + layout.labelHeight;
    // Room for a mark between the grid and each page edge, in PDF coordinates.
    const double gridTopY = layout.pageHeight - layout.top;
    const double gridBottomY = layout.pageHeight - gridBottom;
    const double topLength = std::min(kMarkLength, layout.top - kMarkOffset);
    const double bottomLength = std::min(kMarkLength, gridBottomY - kMarkOffset);
    const double leftLength = std::min(kMarkLength, layout.left - kMarkOffset);
    const double rightLength = std::min(kMarkLength, layout.pageWidth - gridRight - kMarkOffset);

    std::string marks;
    for (const double x : Edges(layout.left, layout.pitchX, layout.labelWidth, layout.columns)) {
        if (topLength >= kShortestMark) {
            AppendLine(marks, x, gridTopY + kMarkOffset, x, gridTopY + kMarkOffset + topLength);
        }
        if (bottomLength >= kShortestMark) {
            AppendLine(marks, x, gridBottomY - kMarkOffset, x,
                       gridBottomY - kMarkOffset - bottomLength);
        }
    }
    for (const double fromTop : Edges(layout.top, layout.pitchY, layout.labelHeight, layout.rows)) {
        const double y = layout.pageHeight - fromTop;
        if (leftLength >= kShortestMark) {
            AppendLine(marks, layout.left - kMarkOffset, y, layout.left - kMarkOffset - leftLength,
                       y);
        }
        if (rightLength >= kShortestMark) {
            AppendLine(marks, gridRight + kMarkOffset, y, gridRight + kMarkOffset + rightLength, y);
        }
    }
    if (marks.empty()) return;  // no margin has room for them
    AppendNumber(content, kHairline, 2);
    content += " w\n" + marks + "S\n";
}

}  // namespace qrsheet
