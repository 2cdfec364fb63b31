// Fixed parameters of the QR Code symbology (model 2, versions 1 to 40).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qr {

inline constexpr int kMinVersion = 1;
inline constexpr int kMaxVersion = 40;

// Error-correction levels as table indices; the format information uses other bits.
enum EcLevel : int { kLevelL = 0, kLevelM = 1, kLevelQ = 2, kLevelH = 3 };

// Modules per side of a version-v symbol.
constexpr int kSymbolSize(int version) {
    return 17 + 4 * version;
}

// Total codewords per version (index 0 unused).
extern const std::array<int, 41> kTotalCodewords;

// One error-correction block structure: group-2 blocks have c1 + 1 codewords, k1 + 1 of them data.
struct EcBlockRow {
    int32_t ecTotal;  // error-correction codewords of the whole symbol
    int32_t b1;       // blocks in group 1
    int32_t c1;       // codewords per group-1 block
    int32_t k1;       // data codewords per group-1 block
    int32_t b2;       // blocks in group 2
};

// Row (version - 1) * 4 + level.
extern const std::array<EcBlockRow, 160> kEcBlocks;

inline const EcBlockRow& EcBlocksFor(int version, int level) {
    return kEcBlocks[static_cast<std::size_t>((version - 1) * 4 + level)];
}

// Data codewords of a symbol of this version and level.
inline int DataCodewords(int version, int level) {
    return kTotalCodewords[static_cast<std::size_t>(version)] - EcBlocksFor(version, level).ecTotal;
}

// Character-count indicator widths: [mode index][version group].
enum class Mode : uint8_t { kNumeric = 1, kAlphanumeric = 2, kByte = 4 };
int CountBits(Mode mode, int version);

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1 with generator 2.
extern const std::array<uint16_t, 256> kGfExp;  // entry 255 = 1
extern const std::array<uint16_t, 256> kGfLog;  // entry 1 = 255, entry 0 unused

inline constexpr int kMaxGeneratorDegree = 68;
// Coefficients of (x - a^0)...(x - a^(e-1)) as field values, lowest power first; e + 1 entries.
// Degrees outside 1..68 give the degree-68 polynomial.
const uint16_t* GeneratorPoly(int degree);

// Per version: count of alignment patterns, then the centre coordinates, rest 0.
extern const std::array<std::array<int, 8>, 41> kAlignmentCoords;

// 18-bit version information words for versions 7 to 40 (others 0).
extern const std::array<uint32_t, 41> kVersionInfo;

// Format information: BCH generator and the XOR mask, most significant bit first.
extern const std::array<uint16_t, 11> kFormatGenerator;
extern const std::array<uint16_t, 15> kFormatMask;

}  // namespace qr
