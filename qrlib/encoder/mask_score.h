// This library's own penalty score for choosing among the eight masks.
#pragma once

#include <cstdint>

#include "module_matrix.h"

namespace qr {

// Runs of six or more equal modules along columns and rows: each adds its length minus 2.
uint32_t RunPenalty(const ModuleMatrix& m);

// Uniform rectangles (at least 2 x 2) whose top-left module is a function module, each counted
// once unless an already counted rectangle contains it: 3 x (height - 1) x (width - 1).
uint32_t BlockPenalty(const ModuleMatrix& m);

// 1:1:3:1:1 finder-like sequences along columns and rows, 40 each, the window then moving by 4.
uint32_t FinderPenalty(const ModuleMatrix& m);

uint32_t ScoreMask(const ModuleMatrix& m);

}  // namespace qr
