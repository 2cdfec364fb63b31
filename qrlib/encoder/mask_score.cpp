#include "mask_score.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

#include "packed_matrix.h"

namespace qr {

namespace {

// Bit j of the result is bit j + k of the line (0 < k < 64).
template <int words>
LineBits Later(const LineBits& b, int k) {
    LineBits r{};
    for (int i = 0; i < words; ++i) {
        r[i] = b[i] >> k;
        if (i + 1 < words) r[i] |= b[i + 1] << (64 - k);
    }
    return r;
}

// Bit j of the result is bit j - 1 of the line.
template <int words>
LineBits Earlier(const LineBits& b) {
    LineBits r{};
    for (int i = 0; i < words; ++i) {
        r[i] = b[i] << 1;
        if (i > 0) r[i] |= b[i - 1] >> 63;
    }
    return r;
}

// Bits set, without relying on a population-count instruction the target may lack.
uint32_t CountWord(uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ULL);
    x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<uint32_t>((x * 0x0101010101010101ULL) >> 56);
}

template <int words>
uint32_t Count(const LineBits& b) {
    uint32_t total = 0;
    for (int i = 0; i < words; ++i) total += CountWord(b[static_cast<size_t>(i)]);
    return total;
}

// inside: the modules that have a next one on their line.
template <int w>
LineBits EqualsNext(const LineBits& inside, const LineBits& b) {
    const LineBits next = Later<w>(b, 1);
    LineBits equal{};
    for (int i = 0; i < w; ++i) equal[i] = ~(b[i] ^ next[i]) & inside[i];
    return equal;
}

template <int w>
LineBits EqualsNext(const PackedMatrix& p, const LineBits& b) {
    return EqualsNext<w>(p.inside, b);
}

// The same for the symbol's width in words (the words beyond stay 0).
LineBits EqualsNextOf(const PackedMatrix& p, const LineBits& b) {
    switch (p.words) {
        case 1:
            return EqualsNext<1>(p, b);
        case 2:
            return EqualsNext<2>(p, b);
        default:
            return EqualsNext<3>(p, b);
    }
}

// The last column of the run of equal modules that starts at (r, c).
int RunEnd(const PackedMatrix& p, int r, int c) {
    const LineBits& equal = p.rowEqualsNext[static_cast<size_t>(r)];
    for (int w = c / 64; w < kLineWords; ++w) {
        uint64_t breaks = ~equal[static_cast<size_t>(w)];
        if (w == c / 64) breaks &= ~uint64_t{0} << (c % 64);
        if (breaks != 0) return 64 * w + std::countr_zero(breaks);
    }
    return p.n - 1;
}

struct LineScores {
    uint32_t runs = 0;
    uint32_t finders = 0;
};

// A run of L >= 6 equal modules scores L - 2: one for each of its L - 5 windows of six equal
// modules, plus 3 for the run.
//
// Finder-like sequences (dark, light, dark, dark, dark, light, dark): after a match the window
// moves on by 4, but the three windows passed over can never match (the sequence overlaps
// itself only at shifts 4 and 6), so every match counts.
template <int words>
LineScores ScoreLine(const LineBits& inside, const LineBits& b, const LineBits& starts) {
    const LineBits equalNext = EqualsNext<words>(inside, b);
    LineBits six = equalNext;
    for (int k = 1; k <= 4; ++k) {
        const LineBits shifted = Later<words>(equalNext, k);
        for (int i = 0; i < words; ++i) six[i] &= shifted[i];
    }
    const LineBits before = Earlier<words>(six);
    LineBits firstOfRun{};
    for (int i = 0; i < words; ++i) firstOfRun[i] = six[i] & ~before[i];

    LineBits finder = b;
    for (int k = 1; k <= 6; ++k) {
        const LineBits shifted = Later<words>(b, k);
        const bool dark = k != 1 && k != 5;
        for (int i = 0; i < words; ++i) finder[i] &= dark ? shifted[i] : ~shifted[i];
    }
    for (int i = 0; i < words; ++i) finder[i] &= starts[i];
    return {Count<words>(six) + 3 * Count<words>(firstOfRun), 40 * Count<words>(finder)};
}

// Every column from row 0 down, then every row from column 0 rightwards.
template <int words>
LineScores ScoreLinesOf(const PackedMatrix& p) {
    LineScores total;
    const LineBits starts = FirstBits(p.n - 6);  // where seven modules begin
    for (const auto* lines : {&p.columns, &p.rows}) {
        for (int k = 0; k < p.n; ++k) {
            const LineScores one =
                ScoreLine<words>(p.inside, (*lines)[static_cast<size_t>(k)], starts);
            total.runs += one.runs;
            total.finders += one.finders;
        }
    }
    return total;
}

LineScores ScoreSideBySide(const SideBySideLines& lines) {
    const int n = lines.n;
    LineBits inside{};
    LineBits starts{};
    const uint64_t lineInside = FirstBits(n - 1)[0];  // modules that have a next one
    const uint64_t lineStarts = FirstBits(n - 6)[0];  // where seven modules begin
    for (int j = 0; j < lines.perWord; ++j) {
        inside[0] |= lineInside << (j * n);
        starts[0] |= lineStarts << (j * n);
    }
    // The last word's empty places are not lines of light modules.
    const LineBits lastFilled = FirstBits(n % lines.perWord == 0 ? 64 : n % lines.perWord * n);
    const LineBits lastInside{inside[0] & lastFilled[0]};
    LineScores total;
    for (int k = 0; k < 2 * lines.count; ++k) {
        const bool last = k % lines.count == lines.count - 1;
        const LineScores some = ScoreLine<1>(last ? lastInside : inside,
                                             LineBits{lines.words[static_cast<size_t>(k)]}, starts);
        total.runs += some.runs;
        total.finders += some.finders;
    }
    return total;
}

LineScores ScoreLines(const PackedMatrix& p) {
    if (SideBySideLines::Fit(p.n)) return ScoreSideBySide(SideBySideLines(p));
    switch (p.words) {
        case 1:
            return ScoreLinesOf<1>(p);
        case 2:
            return ScoreLinesOf<2>(p);
        default:
            return ScoreLinesOf<3>(p);
    }
}

struct Rect {
    int16_t r0, c0, r1, c1;
    bool Contains(const Rect& o) const {
        return r0 <= o.r0 && c0 <= o.c0 && r1 >= o.r1 && c1 >= o.c1;
    }
};

// The counted rectangles: a few dozen in a symbol, so they usually stay on the stack.
class RectList {
  public:
    bool AnyContains(const Rect& rect) const {
        for (size_t i = 0; i < count_; ++i) {
            if (At(i).Contains(rect)) return true;
        }
        return false;
    }
    void Add(const Rect& rect) {
        if (count_ < nearby_.size()) {
            nearby_[count_] = rect;
        } else {
            more_.push_back(rect);
        }
        ++count_;
    }

  private:
    const Rect& At(size_t i) const {
        return i < nearby_.size() ? nearby_[i] : more_[i - nearby_.size()];
    }
    std::array<Rect, 256> nearby_;
    std::vector<Rect> more_;
    size_t count_ = 0;
};

// The rectangles from one corner (r0, c0), tallest first.
uint32_t BlockScoreFrom(const PackedMatrix& p, int r0, int c0, RectList& counted) {
    std::array<int16_t, kMaxSide> widest;  // largest c1 for each bottom row r1
    const bool value = p.Dark(r0, c0);
    // Rows r0..r1 must all hold the value from c0 on: the widest rectangle for r1 ends where
    // the shortest of their runs ends.
    int c1 = RunEnd(p, r0, c0);
    int lastRow = r0;
    for (int r = r0 + 1; r < p.n && c1 > c0; ++r) {
        if (p.Dark(r, c0) != value) break;
        c1 = std::min(c1, RunEnd(p, r, c0));
        if (c1 <= c0) break;
        widest[static_cast<size_t>(r)] = static_cast<int16_t>(c1);
        lastRow = r;
    }
    // Tallest first, as the rectangles are met from the bottom row upwards.
    uint32_t score = 0;
    for (int r1 = lastRow; r1 > r0; --r1) {
        const Rect rect{static_cast<int16_t>(r0), static_cast<int16_t>(c0),
                        static_cast<int16_t>(r1), widest[static_cast<size_t>(r1)]};
        if (counted.AnyContains(rect)) continue;
        counted.Add(rect);
        score += 3U * static_cast<uint32_t>(r1 - r0) * static_cast<uint32_t>(rect.c1 - c0);
    }
    return score;
}

// Corners column by column, each from the top down. Only a function module at the top-left of
// a uniform 2 x 2 square starts a rectangle: those are found a column of bits at a time. Stops
// once the score reaches the limit (the score only grows).
uint32_t BlockScore(const PackedMatrix& p, std::span<const LineBits> functionColumns,
                    uint32_t limit = UINT32_MAX) {
    RectList counted;
    uint32_t score = 0;
    LineBits equalBelow = EqualsNextOf(p, p.columns[0]);
    for (int c0 = 0; c0 + 1 < p.n; ++c0) {
        const auto c = static_cast<size_t>(c0);
        const LineBits nextEqualBelow = EqualsNextOf(p, p.columns[c + 1]);
        for (int w = 0; w < p.words; ++w) {
            const auto i = static_cast<size_t>(w);
            uint64_t corners = functionColumns[c][i] & equalBelow[i] & nextEqualBelow[i] &
                               ~(p.columns[c][i] ^ p.columns[c + 1][i]);
            for (; corners != 0; corners &= corners - 1) {
                score += BlockScoreFrom(p, 64 * w + std::countr_zero(corners), c0, counted);
                if (score >= limit) return score;
            }
        }
        equalBelow = nextEqualBelow;
    }
    return score;
}

}  // namespace

PackedMatrix::PackedMatrix(const ModuleMatrix& m) : PackedMatrix(m.side) {
    for (int r = 0; r < n; ++r) {
        const uint8_t* row = m.modules.data() + m.Index(r, 0);
        const auto rowWord = static_cast<size_t>(r / 64);
        const uint64_t rowBit = uint64_t{1} << (r % 64);
        // A row's word is gathered in a register: through memory, every module would wait
        // for the one before it.
        for (int w = 0; w < words; ++w) {
            uint64_t bits = 0;
            for (int c = 64 * w; c < std::min(n, 64 * (w + 1)); ++c) {
                const uint64_t dark = row[c] != 0 ? 1 : 0;
                bits |= dark << (c % 64);
                columns[static_cast<size_t>(c)][rowWord] |= rowBit & (0 - dark);
            }
            rows[static_cast<size_t>(r)][static_cast<size_t>(w)] = bits;
        }
    }
    FindRowEqualities();
}

void PackedMatrix::FindRowEqualities() {
    const auto used = static_cast<size_t>(words);
    for (size_t r = 0; r < static_cast<size_t>(n); ++r) {
        const LineBits& b = rows[r];
        for (size_t i = 0; i < kLineWords; ++i) {
            const uint64_t next = i < used ? (b[i] >> 1) | (i + 1 < used ? b[i + 1] << 63 : 0) : 0;
            rowEqualsNext[r][i] = i < used ? ~(b[i] ^ next) & inside[i] : 0;
        }
    }
}

std::vector<LineBits> FunctionColumnsOf(const ModuleMatrix& m) {
    std::vector<LineBits> columns(static_cast<size_t>(m.side), LineBits{});
    for (int c = 0; c < m.side; ++c) {
        for (int r = 0; r < m.side; ++r) {
            if (!m.IsData(r, c)) {
                columns[static_cast<size_t>(c)][static_cast<size_t>(r / 64)] |= uint64_t{1}
                                                                                << (r % 64);
            }
        }
    }
    return columns;
}

uint32_t ScorePacked(const PackedMatrix& p, std::span<const LineBits> functionColumns) {
    return LineScore(p) + BlockScoreUpTo(p, functionColumns, UINT32_MAX);
}

SideBySideLines::SideBySideLines(const PackedMatrix& p)
    : n(p.n), perWord(64 / p.n), count((p.n + perWord - 1) / perWord) {
    assert(Fit(p.n));
    size_t w = 0;
    for (const auto* lines : {&p.columns, &p.rows}) {
        for (int k = 0; k < n; k += perWord) {
            for (int j = 0; j < perWord && k + j < n; ++j) {
                words[w] |= (*lines)[static_cast<size_t>(k + j)][0] << (j * n);
            }
            ++w;
        }
    }
}

uint32_t LineScore(const SideBySideLines& lines) {
    const LineScores scores = ScoreSideBySide(lines);
    return scores.runs + scores.finders;
}

uint32_t LineScore(const PackedMatrix& p) {
    const LineScores lines = ScoreLines(p);
    return lines.runs + lines.finders;
}

uint32_t BlockScoreUpTo(const PackedMatrix& p, std::span<const LineBits> functionColumns,
                        uint32_t limit) {
    return BlockScore(p, functionColumns, limit);
}

uint32_t RunPenalty(const ModuleMatrix& m) {
    return ScoreLines(PackedMatrix(m)).runs;
}

uint32_t BlockPenalty(const ModuleMatrix& m) {
    return BlockScore(PackedMatrix(m), FunctionColumnsOf(m));
}

uint32_t FinderPenalty(const ModuleMatrix& m) {
    return ScoreLines(PackedMatrix(m)).finders;
}

uint32_t ScoreMask(const ModuleMatrix& m) {
    return ScorePacked(PackedMatrix(m), FunctionColumnsOf(m));
}

}  // namespace qr
