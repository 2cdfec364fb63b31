#include "label_drawing.h"

#include <algorithm>
#include <charconv>
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

namespace {

// Space kept clear between a caption and the label's edge.
double Padding(const LabelBox& box) {
    return std::min(2 * kPointsPerMm, 0.05 * box.width);
}

// A code at the left of a caption: as tall as the label, unless that leaves the caption
// less than two fifths of the width.
double SymbolSideAtLeft(const LabelBox& box) {
    return std::min(box.height, 0.6 * box.width);
}

// Below the symbol: the last baseline's distance from the label's bottom, and the rest of
// the band above the first baseline, in font sizes.
constexpr double kBelowLast = 0.45;
constexpr double kAboveFirst = 1.15;

}  // namespace

CaptionRoom RoomForCaption(const LabelBox& box, CaptionLayout layout) {
    CaptionRoom room;
    if (layout == CaptionLayout::kRight) {
        // Readable at arm's length, and a small part of a small label.
        room.largest = std::clamp(box.height * 0.16, 5.0, 12.0);
        room.width = box.width - SymbolSideAtLeft(box) - Padding(box);
        room.height = box.height - 2 * Padding(box);
    } else {
        room.largest = std::clamp(box.height * 0.11, 5.0, 10.0);
        room.width = box.width - 2 * Padding(box);
        // The symbol keeps at least three fifths of the label's height.
        room.height = 0.4 * box.height - (kBelowLast + kAboveFirst - kLineSpacing) * 5;
    }
    room.smallest = 5;
    return room;
}

LabelPlan PlanLabel(const LabelBox& box, int side, CaptionLayout layout, size_t lines,
                    double size) {
    LabelPlan plan;
    const double modules = side + 2 * kQuietZoneModules;
    auto fit = [&](double room) {
        // Rounded down to what the page description writes, so that the written size still
        // fits.
        return std::floor(room / modules * 1e4) / 1e4;
    };
    if (layout == CaptionLayout::kRight) {
        const double square = SymbolSideAtLeft(box);
        plan.module = fit(square);
        plan.symbolLeft = box.left + (square - side * plan.module) / 2;
        plan.symbolTop = box.Top() - (box.height - side * plan.module) / 2;
        const double block = (static_cast<double>(lines) - 1) * kLineSpacing * size;
        // The lines' block centred on the label's middle: cap height above the first
        // baseline, nothing below the last one but the descent.
        plan.caption.firstBaseline = box.bottom + box.height / 2 + block / 2 - 0.35 * size;
        plan.caption.left = box.left + square;
        plan.caption.right = box.Right() - Padding(box);
        plan.caption.centred = false;
        return plan;
    }
    double band = 0;
    if (layout == CaptionLayout::kBelow && lines > 0) {
        band = (kBelowLast + kAboveFirst + (static_cast<double>(lines) - 1) * kLineSpacing) * size;
    }
    const double above = box.height - band;
    plan.module = fit(std::min(box.width, above));
    plan.symbolLeft = box.left + (box.width - side * plan.module) / 2;
    plan.symbolTop = box.Top() - (above - side * plan.module) / 2;
    plan.caption.firstBaseline =
        box.bottom + (kBelowLast + (static_cast<double>(lines) - 1) * kLineSpacing) * size;
    plan.caption.left = box.left + Padding(box);
    plan.caption.right = box.Right() - Padding(box);
    plan.caption.centred = true;
    return plan;
}

namespace {

// A whole number and a space, with no string made on the way: a sheet holds millions.
void AppendWhole(std::string& content, int value) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    content.append(digits, static_cast<size_t>(end - digits));
    content += ' ';
}

}  // namespace

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
            AppendWhole(content, start);
            AppendWhole(content, row);
            AppendWhole(content, column - start);
            content += "1 re ";
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
