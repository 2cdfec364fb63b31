// The whole encoding of one text: pure, no shared state, safe to run on several threads.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "module_matrix.h"

namespace qr {

struct SymbolParams {
    int requestedVersion = 0;  // 0 automatic, 1..40 the smallest version to use
    int ecLevel = 0;           // 0 L, 1 M, 2 Q, 3 H
    int maskSetting = 0;       // 0 automatic, 1..8 mask pattern 0..7
};

struct EncodedSymbol {
    int version = 0;
    int mask = 0;
    ModuleMatrix matrix;
};

// The masked symbol of the text, or nothing when it does not fit version 40 at the level.
// Parameters must be in range (the settings setters guarantee it).
std::optional<EncodedSymbol> EncodeSymbol(std::span<const uint8_t> message,
                                          const SymbolParams& params);

}  // namespace qr
