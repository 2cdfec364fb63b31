#include "mask_score.h"

#include <vector>

namespace qr {

namespace {

// Reads a line of the matrix: a column (rows from 0 down) or a row (columns from 0 right).
struct Line {
    const ModuleMatrix& m;
    int fixed;
    bool isColumn;
    uint8_t operator[](int k) const { return isColumn ? m.Module(k, fixed) : m.Module(fixed, k); }
};

template <typename Visit>
void ForEachLine(const ModuleMatrix& m, Visit visit) {
    for (int c = 0; c < m.side; ++c) visit(Line{m, c, true});
    for (int r = 0; r < m.side; ++r) visit(Line{m, r, false});
}

struct Rect {
    int16_t r0, c0, r1, c1;
    bool Contains(const Rect& o) const {
        return r0 <= o.r0 && c0 <= o.c0 && r1 >= o.r1 && c1 >= o.c1;
    }
};

}  // namespace

uint32_t RunPenalty(const ModuleMatrix& m) {
    uint32_t score = 0;
    ForEachLine(m, [&](const Line& line) {
        int run = 1;
        for (int k = 1; k <= m.side; ++k) {
            if (k < m.side && line[k] == line[k - 1]) {
                ++run;
                continue;
            }
            if (run >= 6) score += static_cast<uint32_t>(run - 2);
            run = 1;
        }
    });
    return score;
}

uint32_t BlockPenalty(const ModuleMatrix& m) {
    const int n = m.side;
    // runEnd[r][c]: the last column of the run of equal modules that starts at (r, c).
    std::vector<int16_t> runEnd(static_cast<size_t>(n) * static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        runEnd[m.Index(r, n - 1)] = static_cast<int16_t>(n - 1);
        for (int c = n - 2; c >= 0; --c) {
            runEnd[m.Index(r, c)] = m.Module(r, c) == m.Module(r, c + 1) ? runEnd[m.Index(r, c + 1)]
                                                                         : static_cast<int16_t>(c);
        }
    }

    std::vector<Rect> counted;
    std::vector<int16_t> widest(static_cast<size_t>(n));  // largest c1 for each bottom row r1
    uint32_t score = 0;
    for (int c0 = 0; c0 < n; ++c0) {
        for (int r0 = 0; r0 < n; ++r0) {
            if (m.IsData(r0, c0)) continue;
            const uint8_t value = m.Module(r0, c0);
            // Rows r0..r1 must all hold the value at c0 and run on to at least c0 + 1; the widest
            // rectangle for r1 is bounded by the shortest run among them.
            int16_t c1 = runEnd[m.Index(r0, c0)];
            int lastRow = r0;
            for (int r = r0 + 1; r < n && c1 > c0; ++r) {
                if (m.Module(r, c0) != value) break;
                const int16_t end = runEnd[m.Index(r, c0)];
                if (end < c1) c1 = end;
                if (c1 <= c0) break;
                widest[static_cast<size_t>(r)] = c1;
                lastRow = r;
            }
            // Tallest first, as the rectangles are met from the bottom row upwards.
            for (int r1 = lastRow; r1 > r0; --r1) {
                const Rect rect{static_cast<int16_t>(r0), static_cast<int16_t>(c0),
                                static_cast<int16_t>(r1), widest[static_cast<size_t>(r1)]};
                bool inside = false;
                for (const Rect& other : counted) {
                    if (other.Contains(rect)) {
                        inside = true;
                        break;
                    }
                }
                if (inside) continue;
                counted.push_back(rect);
                score += 3U * static_cast<uint32_t>(r1 - r0) * static_cast<uint32_t>(rect.c1 - c0);
            }
        }
    }
    return score;
}

uint32_t FinderPenalty(const ModuleMatrix& m) {
    static constexpr uint8_t kPattern[7] = {1, 0, 1, 1, 1, 0, 1};
    uint32_t score = 0;
    ForEachLine(m, [&](const Line& line) {
        for (int start = 0; start + 7 <= m.side;) {
            bool match = true;
            for (int k = 0; k < 7 && match; ++k)
                match = (line[start + k] != 0) == (kPattern[k] != 0);
            if (match) {
                score += 40;
                start += 4;
            } else {
                ++start;
            }
        }
    });
    return score;
}

uint32_t ScoreMask(const ModuleMatrix& m) {
    return RunPenalty(m) + BlockPenalty(m) + FinderPenalty(m);
}

}  // namespace qr
