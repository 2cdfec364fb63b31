// A batch onto sheets: every line of the input becomes the next label of one PDF, pages
// written as they fill. Messages go to standard error as in the run that writes images.
#pragma once

#include <string>

#include "encode_symbol.h"
#include "sheet_arguments.h"

namespace qrsheet {

// The exit status: 0 every line placed, 1 some lines not (their labels stay blank), 2 when the
// input cannot be read or the PDF cannot be made.
int RunSheets(const SheetArguments& sheet, const std::string& input, const std::string& output,
              const qr::SymbolParams& symbol);

}  // namespace qrsheet
