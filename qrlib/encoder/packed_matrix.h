// A symbol packed into bits, row by row and column by column, as the mask scorer reads it.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

#include "module_matrix.h"

namespace qr {

// A line of up to 192 modules as bits: bit k is module k, 1 dark. Symbols have at most 177
// modules a side.
constexpr int kLineWords = 3;
constexpr int kMaxSide = 64 * kLineWords;
using LineBits = std::array<uint64_t, kLineWords>;

inline LineBits FirstBits(int count) {
    LineBits r{};
    for (int i = 0; i < kLineWords; ++i) {
        const int bits = std::clamp(count - 64 * i, 0, 64);
        r[static_cast<size_t>(i)] = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    }
    return r;
}

struct PackedMatrix {
    int n = 0;
    int words = 0;
    LineBits inside{};  // modules that have a next one on their line
    std::array<LineBits, kMaxSide> rows;
    std::array<LineBits, kMaxSide> columns;
    std::array<LineBits, kMaxSide> rowEqualsNext;  // modules equal to their right-hand neighbour

    explicit PackedMatrix(int side)
        : n(side), words((side + 63) / 64), inside(FirstBits(side - 1)) {
        assert(side <= kMaxSide);
        std::fill_n(rows.begin(), n, LineBits{});
        std::fill_n(columns.begin(), n, LineBits{});
    }

    // The modules of m, bit by bit, with the row equalities.
    explicit PackedMatrix(const ModuleMatrix& m);

    void Set(int r, int c, bool dark) {
        const uint64_t rowBit = uint64_t{1} << (c % 64);
        const uint64_t columnBit = uint64_t{1} << (r % 64);
        auto& rowWord = rows[static_cast<size_t>(r)][static_cast<size_t>(c / 64)];
        auto& columnWord = columns[static_cast<size_t>(c)][static_cast<size_t>(r / 64)];
        rowWord = dark ? rowWord | rowBit : rowWord & ~rowBit;
        columnWord = dark ? columnWord | columnBit : columnWord & ~columnBit;
    }

    // rowEqualsNext from the rows, once they are all in.
    void FindRowEqualities();

    bool Dark(int r, int c) const {
        return (rows[static_cast<size_t>(r)][static_cast<size_t>(c / 64)] >> (c % 64)) & 1U;
    }
};

// For each column, its function modules as bits (bit r for row r): where the block term's
// rectangles may start.
std::vector<LineBits> FunctionColumnsOf(const ModuleMatrix& m);

// The penalty (runs, blocks and finder-like sequences) of the packed modules, the block term's
// rectangles starting at the function modules given (bits by column, as above).
uint32_t ScorePacked(const PackedMatrix& p, std::span<const LineBits> functionColumns);

// The lines of a symbol of at most 32 modules a side (versions 1 to 3) side by side, several
// in a word: a run or a sequence never reaches past its line's last module, so lines side by
// side do not meet. Packing is linear: the lines of a XOR b are those of a XOR those of b.
struct SideBySideLines {
    static bool Fit(int side) { return 2 * side <= 64; }
    int n = 0;
    int perWord = 0;
    int count = 0;                     // words for the columns, as many again for the rows
    std::array<uint64_t, 32> words{};  // the columns' words, then the rows'

    explicit SideBySideLines(const PackedMatrix& p);
};

// Its parts, for a choice that stops scoring a mask once it cannot win: the run and
// finder-like terms, and the block term (rows' equalities found), which stops growing once
// it reaches the limit.
uint32_t LineScore(const PackedMatrix& p);
uint32_t LineScore(const SideBySideLines& lines);
uint32_t BlockScoreUpTo(const PackedMatrix& p, std::span<const LineBits> functionColumns,
                        uint32_t limit);

}  // namespace qr
