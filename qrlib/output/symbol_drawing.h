// Laying a symbol out in an output rectangle and drawing it: background, modules, frame. Pure:
// everything comes in through the arguments, so several threads may draw at once.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "module_matrix.h"

namespace qrlib {

struct Appearance {
    int32_t width = 500;  // the output rectangle, in pixels
    int32_t height = 300;
    int32_t modulePixels = 3;
    int rotation = 0;    // 0..3: quarter turns of the drawing
    int frameStyle = 0;  // 0 none, 1 dashed, 2 solid
    uint32_t backColor = 0x00FFFFFF;
    uint32_t barColor = 0;
};

// The symbol centred in the rectangle whose top-left corner is at the origin; margins may be
// negative (nothing is clipped but by the canvas).
void DrawSymbol(qrplat::Canvas& canvas, const qr::ModuleMatrix& matrix, const Appearance& look,
                int originX, int originY);

// Bits per pixel of a BMP file of these colours: 1 for black on pure white, else 4.
inline int BmpBitsFor(uint32_t backColor, uint32_t barColor) {
    return backColor == 0x00FFFFFF && barColor == 0 ? 1 : 4;
}

}  // namespace qrlib
