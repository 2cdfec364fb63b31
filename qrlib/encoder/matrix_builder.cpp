#include "matrix_builder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>
#include <vector>

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

// The encoding-region modules in the order the bits fill them: two-module columns from the right
// edge, alternately upwards and downwards, the right module first, skipping column 6.
std::vector<uint32_t> DataOrder(const ModuleMatrix& m) {
    const int n = m.side;
    std::vector<uint32_t> order;
    order.reserve(static_cast<size_t>(n) * static_cast<size_t>(n));
    for (int right = n - 1; right >= 1; right -= 2) {
        if (right == 6) right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        for (int step = 0; step < n; ++step) {
            const int row = upward ? n - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                const size_t index = m.Index(row, column);
                if (m.isData[index]) order.push_back(static_cast<uint32_t>(index));
            }
        }
    }
    return order;
}

// What every symbol of a version shares: its function patterns and the order of its data
// modules. Made once per version, on first use, and only read afterwards.
struct VersionLayout {
    ModuleMatrix functions;
    std::vector<uint32_t> dataOrder;
};

const VersionLayout& LayoutFor(int version) {
    static std::array<std::once_flag, kMaxVersion + 1> made;
    static std::array<VersionLayout, kMaxVersion + 1> layouts;
    VersionLayout& layout = layouts[static_cast<size_t>(version)];
    std::call_once(made[static_cast<size_t>(version)], [&] {
        layout.functions = ModuleMatrix(kSymbolSize(version));
        PlaceFunctionPatterns(layout.functions, version);
        layout.dataOrder = DataOrder(layout.functions);
    });
    return layout;
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
    const VersionLayout& layout = LayoutFor(version);
    ModuleMatrix m = layout.functions;
    // Each codeword most significant bit first; modules left after the last (the remainder
    // bits) stay light.
    const size_t bits = std::min(codewords.size() * 8, layout.dataOrder.size());
    for (size_t bit = 0; bit < bits; ++bit) {
        m.modules[layout.dataOrder[bit]] = (codewords[bit / 8] >> (7 - bit % 8)) & 1U;
    }
    return m;
}

std::array<FormatModule, kFormatModules> FormatModulesOf(int side) {
    const int n = side;
    std::array<FormatModule, kFormatModules> at{};
    size_t k = 0;
    auto put = [&](int row, int column, int bit) {
        at[k++] = {static_cast<int16_t>(row), static_cast<int16_t>(column),
                   static_cast<int8_t>(bit)};
    };
    for (int b = 0; b <= 5; ++b) put(b, 8, b);
    put(7, 8, 6);
    put(8, 8, 7);
    put(8, 7, 8);
    for (int b = 9; b <= 14; ++b) put(8, 14 - b, b);
    for (int b = 0; b <= 7; ++b) put(8, n - 1 - b, b);
    for (int b = 8; b <= 14; ++b) put(n - 15 + b, 8, b);
    put(n - 8, 8, -1);
    return at;
}

void WriteFormatInfo(ModuleMatrix& m, int level, int mask) {
    const uint16_t bits = FormatBits(level, mask);
    for (const FormatModule& f : FormatModulesOf(m.side)) {
        m.SetFunction(f.row, f.column, f.bit < 0 || ((bits >> f.bit) & 1U) != 0);
    }
}

const ModuleMatrix& FunctionPatternsOf(int version) {
    return LayoutFor(version).functions;
}

ModuleMatrix BuildMatrix(int version, int level, std::span<const uint8_t> codewords, int mask) {
    ModuleMatrix m = BuildUnmaskedMatrix(version, codewords);
    WriteFormatInfo(m, level, mask);
    return m;
}

namespace {

// Every mask condition repeats every 12 rows and every 12 columns: one 12 x 12 tile per mask.
constexpr int kMaskPeriod = 12;
using MaskTiles = std::array<std::array<std::array<uint8_t, kMaskPeriod>, kMaskPeriod>, 8>;

constexpr MaskTiles MakeMaskTiles() {
    MaskTiles tiles{};
    for (int mask = 0; mask < 8; ++mask) {
        for (int i = 0; i < kMaskPeriod; ++i) {
            for (int j = 0; j < kMaskPeriod; ++j) {
                tiles[mask][i][j] = MaskCondition(mask, i, j) ? 1 : 0;
            }
        }
    }
    return tiles;
}

constexpr MaskTiles kMaskTiles = MakeMaskTiles();

}  // namespace

void ApplyMask(ModuleMatrix& m, int mask) {
    const int n = m.side;
    const auto& tile = kMaskTiles[static_cast<size_t>(mask & 7)];
    // The tile's rows repeated across the symbol's width, then row i takes row i % 12.
    constexpr size_t kWidest = 192 + kMaskPeriod;
    std::array<std::array<uint8_t, kWidest>, kMaskPeriod> flips;
    const int tileRows = std::min(n, kMaskPeriod);
    for (int i = 0; i < tileRows; ++i) {
        for (int j = 0; j < n; j += kMaskPeriod) {
            std::copy(tile[static_cast<size_t>(i)].begin(), tile[static_cast<size_t>(i)].end(),
                      flips[static_cast<size_t>(i)].begin() + j);
        }
    }
    for (int i = 0; i < n; ++i) {
        uint8_t* row = m.modules.data() + m.Index(i, 0);
        const uint8_t* data = m.isData.data() + m.Index(i, 0);
        const uint8_t* flip = flips[static_cast<size_t>(i % kMaskPeriod)].data();
        for (int j = 0; j < n; ++j) row[j] ^= static_cast<uint8_t>(data[j] & flip[j]);
    }
}

}  // namespace qr
