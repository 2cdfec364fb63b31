// Drawing with the library's current settings.
#pragma once

#include "canvas.h"
#include "encode_symbol.h"
#include "symbol_drawing.h"

namespace qrlib {

// The appearance fields of the settings record.
Appearance CurrentAppearance();

// Draws the matrix with the current settings, the output rectangle's top-left at the origin.
void LayOutAndDraw(qrplat::Canvas& canvas, const qr::ModuleMatrix& matrix, int originX,
                   int originY);

// The drawing the file and clipboard outputs share, at origin (0, 0): module size from the
// target's resolution (the screen's when it answers 0), then the symbol. False, with nothing
// drawn, when the text cannot be encoded.
bool RunOutputDrawing(qrplat::Canvas& target);

}  // namespace qrlib
