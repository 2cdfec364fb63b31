// The sheet options of the command line: --sheet LAYOUT, --sheet-cut-marks, --sheet-border,
// the caption's layout, font and columns, and where the first label goes.
// They are taken out of the arguments before the batch's own options are read, so the two
// sets of options stay apart.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sheet_document.h"
#include "sheet_layout.h"

namespace qrsheet {

struct SheetArguments {
    std::string layoutName;  // as given, for the summary
    SheetLayout layout;
    SheetStyle style;
    double offsetX = 0;  // points, to the right; already added to the layout
    double offsetY = 0;  // points, downwards
    // The columns printed as caption lines, as --column names them (a header name or a
    // number from 1); empty: the name and every column after the text of tsv lines.
    std::vector<std::string> captionColumns;
};

// Removes the sheet options from args. Nothing when there is no --sheet (args then hold no
// sheet option either); a usage error leaves its message in error.
std::optional<SheetArguments> TakeSheetArguments(std::vector<std::string>& args,
                                                 std::string& error);

// The options' lines for the help text.
std::string SheetHelpText();

}  // namespace qrsheet
