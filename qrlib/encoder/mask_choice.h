// The automatic mask: the one of the eight with the lowest penalty, the lower number on ties.
#pragma once

#include "module_matrix.h"

namespace qr {

// The mask for the symbol whose modules (format areas light, no mask applied) are given, scored
// on packed rows: each mask's pattern XORed in and the format bits set in place, the byte
// matrix left as it is.
int ChooseMask(const ModuleMatrix& unmasked, int version, int level);

}  // namespace qr
