#include "mask_score.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "encode_symbol.h"
#include "tables.h"

namespace qr {
namespace {

// The block term exactly as the rules read, without shortcuts: the fast version must agree.
uint32_t LiteralBlockPenalty(const ModuleMatrix& m) {
    struct Rect {
        int r0, c0, r1, c1;
    };
    std::vector<Rect> list;
    uint32_t score = 0;
    const int n = m.side;
    for (int c0 = 0; c0 < n; ++c0) {
        for (int r0 = 0; r0 < n; ++r0) {
            if (m.IsData(r0, c0)) continue;
            const uint8_t v = m.Module(r0, c0);
            for (int r1 = n - 1; r1 >= r0 + 1; --r1) {
                int found = -1;
                for (int c1 = n - 1; c1 >= c0 + 1 && found < 0; --c1) {
                    bool uniform = true;
                    for (int r = r0; r <= r1 && uniform; ++r) {
                        for (int c = c0; c <= c1 && uniform; ++c) uniform = m.Module(r, c) == v;
                    }
                    if (uniform) found = c1;
                }
                if (found < 0) continue;
                bool contained = false;
                for (const Rect& o : list) {
                    contained =
                        contained || (o.r0 <= r0 && o.c0 <= c0 && o.r1 >= r1 && o.c1 >= found);
                }
                if (contained) continue;
                list.push_back({r0, c0, r1, found});
                score += 3U * static_cast<uint32_t>(r1 - r0) * static_cast<uint32_t>(found - c0);
            }
        }
    }
    return score;
}

ModuleMatrix Blank(int n) {
    return ModuleMatrix(n);
}

// The run and finder-like terms as the rules read, along every row and every column.
struct LiteralLineTerms {
    uint32_t runs = 0;
    uint32_t finders = 0;
};

LiteralLineTerms LiteralLinePenalties(const ModuleMatrix& m) {
    static const uint8_t kFinderLike[7] = {1, 0, 1, 1, 1, 0, 1};
    LiteralLineTerms terms;
    const int n = m.side;
    for (const bool byRow : {true, false}) {
        for (int k = 0; k < n; ++k) {
            auto at = [&](int i) { return byRow ? m.Module(k, i) : m.Module(i, k); };
            for (int i = 0; i < n;) {
                int end = i;
                while (end < n && at(end) == at(i)) ++end;
                if (end - i >= 6) terms.runs += static_cast<uint32_t>(end - i - 2);
                i = end;
            }
            for (int i = 0; i + 7 <= n;) {
                bool match = true;
                for (int j = 0; j < 7 && match; ++j)
                    match = (at(i + j) != 0) == (kFinderLike[j] != 0);
                if (match) terms.finders += 40;
                i += match ? 4 : 1;
            }
        }
    }
    return terms;
}

TEST(LinePenalties, AgreeWithTheLiteralRulesOnEverySideFromNarrowToThreeWords) {
    // Sides up to 32 score several lines in one word (three a word up to 21, two up to 32);
    // wider ones a line at a time, in one to three words.
    std::mt19937 random(20261209);
    for (int n = 7; n <= 177; n += n < 40 ? 1 : 17) {
        for (int trial = 0; trial < 6; ++trial) {
            ModuleMatrix m = Blank(n);
            const int darkPercent = 10 + 16 * trial;
            for (auto& module : m.modules) module = static_cast<int>(random() % 100) < darkPercent;
            // Finder-like sequences and long runs at the lines' ends, where lines side by side
            // meet.
            for (int k = 0; k < n; k += 3) {
                for (int j = 0; j < 7; ++j) {
                    m.modules[m.Index(k, n - 7 + j)] = j == 1 || j == 5 ? 0 : 1;
                    m.modules[m.Index(j, k)] = trial % 2;
                }
            }
            const LiteralLineTerms literal = LiteralLinePenalties(m);
            EXPECT_EQ(RunPenalty(m), literal.runs) << "side " << n << " trial " << trial;
            EXPECT_EQ(FinderPenalty(m), literal.finders) << "side " << n << " trial " << trial;
        }
    }
}

TEST(RunPenalty, RunsOfSixOrMoreCountLengthMinusTwo) {
    ModuleMatrix m = Blank(10);  // all light: every row and column is one run of 10
    EXPECT_EQ(RunPenalty(m), 20U * 8U);
    // Column 0 split into runs 5 / 5 by darkening rows 5-9: nothing for that column, and the
    // rows 5-9 now start with a dark run of 1 followed by 9 light.
    for (int r = 5; r < 10; ++r) m.modules[m.Index(r, 0)] = 1;
    EXPECT_EQ(RunPenalty(m), 19U * 8U - 5U * 8U + 5U * 7U);
    ModuleMatrix seven = Blank(7);  // 14 runs of 7: 5 each
    EXPECT_EQ(RunPenalty(seven), 14U * 5U);
}

TEST(FinderPenalty, CountsPatternsAndJumpsFourAfterEach) {
    ModuleMatrix m = Blank(11);
    const int line[11] = {1, 0, 1, 1, 1, 0, 1, 1, 1, 0, 1};  // two patterns sharing "101"
    for (int c = 0; c < 11; ++c) m.modules[m.Index(0, c)] = static_cast<uint8_t>(line[c]);
    EXPECT_EQ(FinderPenalty(m), 80U);
    ModuleMatrix none = Blank(11);
    EXPECT_EQ(FinderPenalty(none), 0U);
}

TEST(BlockPenalty, OnlyRectanglesStartingOnFunctionModulesAndNotContained) {
    ModuleMatrix m = Blank(10);
    EXPECT_EQ(BlockPenalty(m), 0U);  // every module is a data module
    m.isData[m.Index(0, 0)] = 0;
    EXPECT_EQ(BlockPenalty(m), 3U * 9U * 9U);  // the whole square; the shorter ones inside it
    m.isData[m.Index(1, 0)] = 0;
    EXPECT_EQ(BlockPenalty(m), 3U * 9U * 9U);  // (1,0)-(9,9) lies inside the first
    m.isData[m.Index(0, 1)] = 0;
    EXPECT_EQ(BlockPenalty(m), 3U * 9U * 9U);
    m.modules[m.Index(9, 9)] = 1;  // now no square reaches the far corner
    EXPECT_EQ(BlockPenalty(m), LiteralBlockPenalty(m));
}

TEST(BlockPenalty, AgreesWithTheLiteralRulesOnRandomAndRealMatrices) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 60; ++trial) {
        const int n = 8 + trial % 13;
        ModuleMatrix m = Blank(n);
        const int darkPercent = 20 + trial % 60;
        for (size_t i = 0; i < m.modules.size(); ++i) {
            m.modules[i] = static_cast<int>(random() % 100) < darkPercent ? 1 : 0;
            m.isData[i] = random() % 3 == 0 ? 0 : 1;
        }
        // Some solid blocks so that rectangles nest and overlap.
        for (int k = 0; k < 3; ++k) {
            const int r = static_cast<int>(random() % n), c = static_cast<int>(random() % n);
            const uint8_t v = random() % 2;
            for (int i = r; i < std::min(n, r + 5); ++i) {
                for (int j = c; j < std::min(n, c + 4); ++j) m.modules[m.Index(i, j)] = v;
            }
        }
        EXPECT_EQ(BlockPenalty(m), LiteralBlockPenalty(m)) << "trial " << trial;
    }
    for (const char* text : {"12", "HELLO WORLD", "https://example.com/a?b=c"}) {
        for (int mask = 1; mask <= 8; ++mask) {
            const std::string s(text);
            const auto symbol = EncodeSymbol({reinterpret_cast<const uint8_t*>(s.data()), s.size()},
                                             {3, kLevelM, mask});
            ASSERT_TRUE(symbol);
            EXPECT_EQ(BlockPenalty(symbol->matrix), LiteralBlockPenalty(symbol->matrix));
        }
    }
}

TEST(ScoreMask, IsTheSumOfTheThreeTerms) {
    const std::string s = "SCORE";
    const auto symbol =
        EncodeSymbol({reinterpret_cast<const uint8_t*>(s.data()), s.size()}, {0, kLevelL, 1});
    ASSERT_TRUE(symbol);
    const ModuleMatrix& m = symbol->matrix;
    EXPECT_EQ(ScoreMask(m), RunPenalty(m) + BlockPenalty(m) + FinderPenalty(m));
    // The three finder patterns alone give at least 3 x 2 sequences (row and column through
    // each centre) of 40.
    EXPECT_GE(FinderPenalty(m), 240U);
}

}  // namespace
}  // namespace qr
