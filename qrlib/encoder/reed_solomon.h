// Reed-Solomon error correction per block and the interleaved codeword sequence.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tables.h"

namespace qr {

uint8_t GfMultiply(uint8_t a, uint8_t b);

// The e error-correction codewords of one block, in transmission order.
std::vector<uint8_t> ComputeBlockEcc(std::span<const uint8_t> data, int e);

// Splits the data codewords into the blocks of the row, adds each block's error correction and
// interleaves data then error correction: the kTotalCodewords codewords of the symbol.
std::vector<uint8_t> InterleaveBlocks(std::span<const uint8_t> dataCodewords,
                                      const EcBlockRow& row);

}  // namespace qr
