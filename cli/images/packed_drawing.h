// The PNG path's drawing: the symbol straight into one-bit rows, each row of modules built once
// and repeated for every pixel row of the module. The same pixels as the drawing on a canvas.
#pragma once

#include <optional>

#include "images/png_file.h"
#include "module_matrix.h"
#include "symbol_drawing.h"

namespace qrcli {

// Nothing when the drawing needs the canvas: a frame (a third colour), or a symbol that does
// not lie whole inside the image.
std::optional<PngPicture> DrawPacked(const qr::ModuleMatrix& matrix, const qrlib::Appearance& look);

}  // namespace qrcli
