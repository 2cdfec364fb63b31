// A symbol drawn with characters for a terminal: one character cell per module.
//   utf8  half blocks, two module rows per text line, the light modules drawn in the
//         terminal's text colour (light on a dark terminal), the dark ones left empty
//   ansi  two spaces per module on a background colour: black and white, or the run's
//         colours as 24-bit colour codes, on any terminal
#pragma once

#include <string>

#include "module_matrix.h"
#include "options/batch_options.h"

namespace qrcli {

std::string TerminalText(const qr::ModuleMatrix& matrix, const BatchOptions& options);

// Whether the module at (row, column) of the symbol as drawn (turned by the library's
// quarter-turn code, without the quiet zone) is dark.
bool DarkAt(const qr::ModuleMatrix& matrix, int rotation, int row, int column);

}  // namespace qrcli
