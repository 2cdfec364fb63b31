// What goes on one label: the symbol with its quiet zone as large as the label allows above
// the caption, and the caption's place below it.
#pragma once

#include <string>

#include "caption_drawing.h"
#include "module_matrix.h"
#include "sheet_layout.h"

namespace qrsheet {

inline constexpr int kQuietZoneModules = 4;

struct LabelPlan {
    CaptionPlace caption;
    double module = 0;  // side of every module, in points
    double symbolLeft = 0;
    double symbolTop = 0;
};

// The largest module side at which the symbol of side modules and its quiet zone fit the
// label above the caption, the symbol centred there.
LabelPlan PlanLabel(const LabelBox& box, int side);

// The dark modules as one filled path of row runs, in module units scaled once, so that every
// module is exactly as large as every other.
void AppendSymbol(std::string& content, const qr::ModuleMatrix& matrix, const LabelPlan& plan);

// The label's outline, for checking that a sheet lines up with the printer.
void AppendLabelOutline(std::string& content, const LabelBox& box);

// Short lines in the page margins along every label edge, for cutting plain paper.
void AppendCutMarks(std::string& content, const SheetLayout& layout);

}  // namespace qrsheet
