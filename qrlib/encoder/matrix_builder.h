// Function patterns, format and version information, data placement and the data masks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "module_matrix.h"

namespace qr {

// The 15 format bits (bit 14 first) for a level index and mask number, already XOR-masked.
uint16_t FormatBits(int level, int mask);

// Everything but the format bits and the mask: function patterns, version information and the
// codeword sequence placed in the encoding region. The format areas are reserved.
ModuleMatrix BuildUnmaskedMatrix(int version, std::span<const uint8_t> codewords);

// Writes both copies of the format information and the dark module.
void WriteFormatInfo(ModuleMatrix& matrix, int level, int mask);

// Where the format information goes: both copies of each of the 15 bits (bit 14 is sent
// first), and the dark module (bit -1).
struct FormatModule {
    int16_t row;
    int16_t column;
    int8_t bit;
};
constexpr size_t kFormatModules = 31;
std::array<FormatModule, kFormatModules> FormatModulesOf(int side);

// The function patterns of a version, all data modules light: made once, shared by threads.
const ModuleMatrix& FunctionPatternsOf(int version);

// The unmasked matrix with the format information of this mask number.
ModuleMatrix BuildMatrix(int version, int level, std::span<const uint8_t> codewords, int mask);

// Whether mask m inverts the module at row i, column j.
constexpr bool MaskCondition(int mask, int i, int j) {
    switch (mask) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
}

// Inverts the data modules selected by mask m.
void ApplyMask(ModuleMatrix& matrix, int mask);

}  // namespace qr
