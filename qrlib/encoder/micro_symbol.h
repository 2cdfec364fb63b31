// Micro QR Code, versions M1 to M4: one finder pattern, timing along the top row and the left
// column, one format information area, four masks and no version information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "module_matrix.h"
#include "segmentation.h"

namespace qr {

inline constexpr int kMicroVersions = 4;

constexpr int MicroSymbolSize(int version) {
    return 2 * version + 9;
}

struct MicroCapacity {
    int dataBits;      // M1 and M3 end in a four-bit data codeword
    int ecCodewords;   // one block
    int symbolNumber;  // 0..7, in the format information
};

// Nothing where the version has no such level: M1 only detects errors (taken as level L),
// M2 and M3 have L and M, M4 L, M and Q.
std::optional<MicroCapacity> MicroCapacityOf(int version, int level);

// The mode indicator is 0 (M1) to 3 (M4) bits wide; M1 holds only digits, M2 adds
// alphanumeric, M3 and M4 have all four modes.
SegmentHeader MicroSegmentHeader(int version);

// Zeros ending the data: 3, 5, 7 or 9 bits.
constexpr int MicroTerminatorBits(int version) {
    return 2 * version + 1;
}

// The symbol of the data codewords (a four-bit last one in the high half of its byte) and
// their error correction, with the automatic mask (the highest edge score) or the one given
// (0..3), and its format information.
struct MicroMatrix {
    int mask;
    ModuleMatrix matrix;
};
MicroMatrix BuildMicroSymbol(int version, const MicroCapacity& capacity,
                             std::span<const uint8_t> dataCodewords, int fixedMask);

// The 15 format bits (bit 14 first) of a symbol number and mask, XOR-masked with 0x4445.
uint16_t MicroFormatBits(int symbolNumber, int mask);

// The score the standard maximises: the dark modules along the right and bottom edges
// (timing modules left out), the smaller sum times 16 plus the larger.
int MicroMaskScore(const ModuleMatrix& m);

}  // namespace qr
