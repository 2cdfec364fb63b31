// Data analysis and the data codewords of one segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tables.h"

namespace qr {

using Bytes = std::span<const uint8_t>;

// Value of a byte in the 45-character alphanumeric set, or -1.
int AlphanumericValue(uint8_t byte);

// One mode for the whole text: numeric, else alphanumeric, else byte. The empty text is numeric.
Mode ChooseMode(Bytes text);

// Bits of mode indicator, character count and data for n characters at this version.
int BitCost(size_t length, Mode mode, int version);

// Smallest version from requestedVersion (0 = automatic, from 1) that holds the text at this
// level; 0 when even version 40 is too small.
int SelectVersion(size_t length, Mode mode, int requestedVersion, int level);

// The data codewords (mode, count, data, terminator, padding) filling the version's capacity.
// The version must have been chosen by SelectVersion for this text.
std::vector<uint8_t> BuildDataCodewords(Bytes text, Mode mode, int version, int level);

}  // namespace qr
