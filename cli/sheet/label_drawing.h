// What goes on one label: the symbol with its quiet zone as large as the label allows beside
// the caption, and the caption's room and place: below the symbol, at its right (wide, low
// labels), or no caption at all.
#pragma once

#include <string>

#include "caption_drawing.h"
#include "module_matrix.h"
#include "sheet_layout.h"

namespace qrsheet {

inline constexpr int kQuietZoneModules = 4;

enum class CaptionLayout { kBelow, kRight, kNone };

struct LabelPlan {
    CaptionPlace caption;
    double module = 0;  // side of every module, in points
    double symbolLeft = 0;
    double symbolTop = 0;
};

// The room a caption may take on the label, and the size it starts from.
CaptionRoom RoomForCaption(const LabelBox& box, CaptionLayout layout);

// The largest module side at which the symbol of side modules and its quiet zone fit the
// label beside lines of the caption at size points, the symbol centred in its part.
LabelPlan PlanLabel(const LabelBox& box, int side, CaptionLayout layout, size_t lines, double size);

// The dark modules as one filled path of row runs, in module units scaled once, so that every
// module is exactly as large as every other.
void AppendSymbol(std::string& content, const qr::ModuleMatrix& matrix, const LabelPlan& plan);

// The label's outline, for checking that a sheet lines up with the printer.
void AppendLabelOutline(std::string& content, const LabelBox& box);

// Short lines in the page margins along every label edge, for cutting plain paper.
void AppendCutMarks(std::string& content, const SheetLayout& layout);

}  // namespace qrsheet
