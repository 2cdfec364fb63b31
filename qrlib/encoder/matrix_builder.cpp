#include "matrix_builder.h"

#include <algorithm>
#include <cstdlib>

#include "tables.h"

namespace qr {

namespace {

void PlaceFinder(ModuleMatrix& m, int top, int left) {
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int ring = std::max(std::abs(r - 3), std::abs(c - 3));
            m.SetFunction(top + r, left + c, ring != 2);
        }
    }
}

// The 8 x 8 corner square of a finder: the separator rows stay light.
void ReserveCorner(ModuleMatrix& m, int top, int left) {
    for (int r = top; r < top + 8; ++r) {
        for (int c = left; c < left + 8; ++c) m.isData[m.Index(r, c)] = 0;
    }
}

void PlaceAlignment(ModuleMatrix& m, int centreRow, int centreColumn) {
    for (int dr = -2; dr <= 2; ++dr) {
        for (int dc = -2; dc <= 2; ++dc) {
            const int ring = std::max(std::abs(dr), std::abs(dc));
            m.SetFunction(centreRow + dr, centreColumn + dc, ring != 1);
        }
    }
}

void PlaceFunctionPatterns(ModuleMatrix& m, int version) {
    const int n = m.side;
    PlaceFinder(m, 0, 0);
    PlaceFinder(m, 0, n - 7);
    PlaceFinder(m, n - 7, 0);
    ReserveCorner(m, 0, 0);
    ReserveCorner(m, 0, n - 8);
    ReserveCorner(m, n - 8, 0);

    for (int i = 8; i <= n - 9; ++i) {
        m.SetFunction(i, 6, i % 2 == 0);
        m.SetFunction(6, i, i % 2 == 0);
    }

    const auto& align = kAlignmentCoords[static_cast<size_t>(version)];
    int k = 0;
    while ((k + 1) * (k + 1) <= align[0] + 3) ++k;
    for (int a = 0; a < k; ++a) {
        for (int b = 0; b < k; ++b) {
            const bool onFinder =
                (a == 0 && b == 0) || (a == 0 && b == k - 1) || (a == k - 1 && b == 0);
            if (!onFinder) PlaceAlignment(m, align[1 + a], align[1 + b]);
        }
    }

    for (int i = 0; i <= 8; ++i) {
        m.isData[m.Index(8, i)] = 0;
        m.isData[m.Index(i, 8)] = 0;
    }
    for (int i = n - 8; i < n; ++i) {
        m.isData[m.Index(8, i)] = 0;
        m.isData[m.Index(i, 8)] = 0;
    }

    if (version >= 7) {
        const uint32_t word = kVersionInfo[static_cast<size_t>(version)];
        for (int i = 0; i < 18; ++i) {
            const bool dark = (word >> i) & 1U;
            m.SetFunction(i / 3, n - 11 + i % 3, dark);
            m.SetFunction(n - 11 + i % 3, i / 3, dark);
        }
    }
}

// Two-module columns from the right edge, alternately upwards and downwards, skipping column 6.
void PlaceCodewords(ModuleMatrix& m, std::span<const uint8_t> codewords) {
    const int n = m.side;
    const size_t totalBits = codewords.size() * 8;
    size_t bit = 0;
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                const size_t index = m.Index(row, column);
                if (!m.isData[index]) continue;
                if (bit < totalBits) {
                    m.modules[index] = (codewords[bit / 8] >> (7 - bit % 8)) & 1U;
                    ++bit;
                }
            }
        }
    }
}

}  // namespace

uint16_t FormatBits(int level, int mask) {
    static constexpr unsigned kLevelIndicator[4] = {0b01, 0b00, 0b11, 0b10};
    const unsigned data = (kLevelIndicator[level & 3] << 3) | static_cast<unsigned>(mask & 7);
    unsigned generator = 0;
    for (uint16_t b : kFormatGenerator) generator = (generator << 1) | b;
    unsigned mask15 = 0;
    for (uint16_t b : kFormatMask) mask15 = (mask15 << 1) | b;

    unsigned remainder = data << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if (remainder & (1U << bit)) remainder ^= generator << (bit - 10);
    }
    return static_cast<uint16_t>(((data << 10) | remainder) ^ mask15);
}

ModuleMatrix BuildUnmaskedMatrix(int version, std::span<const uint8_t> codewords) {
    ModuleMatrix m(kSymbolSize(version));
    PlaceFunctionPatterns(m, version);
    PlaceCodewords(m, codewords);
    return m;
}

void WriteFormatInfo(ModuleMatrix& m, int level, int mask) {
    const int n = m.side;
    const uint16_t bits = FormatBits(level, mask);
    auto bitAt = [bits](int b) { return ((bits >> b) & 1U) != 0; };
    for (int b = 0; b <= 5; ++b) m.SetFunction(b, 8, bitAt(b));
    m.SetFunction(7, 8, bitAt(6));
    m.SetFunction(8, 8, bitAt(7));
    m.SetFunction(8, 7, bitAt(8));
    for (int b = 9; b <= 14; ++b) m.SetFunction(8, 14 - b, bitAt(b));
    for (int b = 0; b <= 7; ++b) m.SetFunction(8, n - 1 - b, bitAt(b));
    for (int b = 8; b <= 14; ++b) m.SetFunction(n - 15 + b, 8, bitAt(b));
    m.SetFunction(n - 8, 8, true);
}

ModuleMatrix BuildMatrix(int version, int level, std::span<const uint8_t> codewords, int mask) {
    ModuleMatrix m = BuildUnmaskedMatrix(version, codewords);
    WriteFormatInfo(m, level, mask);
    return m;
}

bool MaskCondition(int mask, int i, int j) {
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

void ApplyMask(ModuleMatrix& m, int mask) {
    for (int i = 0; i < m.side; ++i) {
        for (int j = 0; j < m.side; ++j) {
            const size_t index = m.Index(i, j);
            if (m.isData[index] && MaskCondition(mask, i, j)) m.modules[index] ^= 1;
        }
    }
}

}  // namespace qr
