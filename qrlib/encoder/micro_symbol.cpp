#include "micro_symbol.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "matrix_builder.h"
#include "reed_solomon.h"

namespace qr {

namespace {

// [version - 1][level]: data bits, error-correction codewords, symbol number; 0 bits: none.
constexpr MicroCapacity kCapacities[kMicroVersions][3] = {
    {{20, 2, 0}, {0, 0, 0}, {0, 0, 0}},
    {{40, 5, 1}, {32, 6, 2}, {0, 0, 0}},
    {{84, 6, 3}, {68, 8, 4}, {0, 0, 0}},
    {{128, 8, 5}, {112, 10, 6}, {80, 14, 7}},
};

// The QR mask conditions the four Micro QR masks use.
constexpr int kQrMaskOf[4] = {1, 4, 6, 7};

ModuleMatrix MicroFunctionPatterns(int version) {
    const int n = MicroSymbolSize(version);
    ModuleMatrix m(n);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const int ring = std::max(std::abs(r - 3), std::abs(c - 3));
            m.SetFunction(r, c, r < 7 && c < 7 && ring != 2);  // row and column 7 separate
        }
    }
    for (int i = 8; i < n; ++i) {
        m.SetFunction(0, i, i % 2 == 0);
        m.SetFunction(i, 0, i % 2 == 0);
    }
    for (int i = 1; i <= 8; ++i) {
        m.SetFunction(8, i, false);  // format information, written last
        m.SetFunction(i, 8, false);
    }
    return m;
}

// The bits in placement order: the data codewords (the last one four bits in M1 and M3),
// then the error-correction codewords.
std::vector<uint8_t> PlacementBits(std::span<const uint8_t> data, std::span<const uint8_t> ec,
                                   int dataBits) {
    std::vector<uint8_t> bits;
    for (int i = 0; i < dataBits; ++i) {
        bits.push_back((data[static_cast<size_t>(i / 8)] >> (7 - i % 8)) & 1U);
    }
    for (uint8_t codeword : ec) {
        for (int b = 7; b >= 0; --b) bits.push_back((codeword >> b) & 1U);
    }
    return bits;
}

// Two-module columns from the right edge, upwards first, the right module of each pair first.
void PlaceBits(ModuleMatrix& m, const std::vector<uint8_t>& bits) {
    const int n = m.side;
    size_t next = 0;
    for (int right = n - 1; right >= 1; right -= 2) {
        const bool upward = ((n - 1 - right) / 2) % 2 == 0;
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                if (!m.IsData(row, column)) continue;
                m.modules[m.Index(row, column)] = next < bits.size() ? bits[next] : 0;
                ++next;
            }
        }
    }
}

void ApplyMicroMask(ModuleMatrix& m, int mask) {
    for (int i = 0; i < m.side; ++i) {
        for (int j = 0; j < m.side; ++j) {
            if (m.IsData(i, j) && MaskCondition(kQrMaskOf[mask], i, j)) {
                m.modules[m.Index(i, j)] ^= 1;
            }
        }
    }
}

void WriteMicroFormat(ModuleMatrix& m, int symbolNumber, int mask) {
    const uint16_t bits = MicroFormatBits(symbolNumber, mask);
    // Bit 14 at row 8, column 1, along the row to column 8, then up column 8 to row 1.
    for (int k = 0; k < 8; ++k) m.SetFunction(8, 1 + k, (bits >> (14 - k)) & 1U);
    for (int k = 0; k < 7; ++k) m.SetFunction(7 - k, 8, (bits >> (6 - k)) & 1U);
}

}  // namespace

std::optional<MicroCapacity> MicroCapacityOf(int version, int level) {
    if (version < 1 || version > kMicroVersions || level < 0 || level > 2) return std::nullopt;
    const MicroCapacity& c = kCapacities[version - 1][level];
    if (c.dataBits == 0) return std::nullopt;
    return c;
}

SegmentHeader MicroSegmentHeader(int version) {
    static constexpr int kWidths[kMicroVersions][kSegmentModes] = {
        {3, 0, 0, 0}, {4, 3, 0, 0}, {5, 4, 4, 3}, {6, 5, 5, 4}};
    SegmentHeader header;
    header.indicatorBits = version - 1;
    header.indicators = {0, 1, 2, 3};
    std::copy(std::begin(kWidths[version - 1]), std::end(kWidths[version - 1]),
              header.countBits.begin());
    return header;
}

uint16_t MicroFormatBits(int symbolNumber, int mask) {
    const unsigned data = static_cast<unsigned>((symbolNumber & 7) << 2 | (mask & 3));
    unsigned remainder = data << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if (remainder & (1U << bit)) remainder ^= 0x537U << (bit - 10);
    }
    return static_cast<uint16_t>(((data << 10) | remainder) ^ 0x4445U);
}

int MicroMaskScore(const ModuleMatrix& m) {
    const int n = m.side;
    int right = 0;
    int bottom = 0;
    for (int i = 1; i < n; ++i) {
        right += m.Module(i, n - 1);
        bottom += m.Module(n - 1, i);
    }
    return std::min(right, bottom) * 16 + std::max(right, bottom);
}

MicroMatrix BuildMicroSymbol(int version, const MicroCapacity& capacity,
                             std::span<const uint8_t> dataCodewords, int fixedMask) {
    const std::vector<uint8_t> ec = ComputeBlockEcc(dataCodewords, capacity.ecCodewords);
    ModuleMatrix unmasked = MicroFunctionPatterns(version);
    PlaceBits(unmasked, PlacementBits(dataCodewords, ec, capacity.dataBits));

    int best = fixedMask;
    if (fixedMask < 0) {
        int highest = -1;
        for (int mask = 0; mask < 4; ++mask) {
            ModuleMatrix trial = unmasked;
            ApplyMicroMask(trial, mask);
            const int score = MicroMaskScore(trial);
            if (score > highest) {  // equal scores keep the lower mask number
                highest = score;
                best = mask;
            }
        }
    }
    ApplyMicroMask(unmasked, best);
    WriteMicroFormat(unmasked, capacity.symbolNumber, best);
    return {best, std::move(unmasked)};
}

}  // namespace qr
