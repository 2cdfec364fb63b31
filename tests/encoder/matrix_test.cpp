#include "matrix_builder.h"

#include <gtest/gtest.h>

#include <vector>

#include "tables.h"

namespace qr {
namespace {

std::vector<uint8_t> SomeCodewords(int version) {
    std::vector<uint8_t> cw(static_cast<size_t>(kTotalCodewords[version]));
    for (size_t i = 0; i < cw.size(); ++i) cw[i] = static_cast<uint8_t>(i * 37 + 11);
    return cw;
}

int RemainderBits(int version) {
    if (version == 1) return 0;
    if (version <= 6) return 7;
    if (version <= 13) return 0;
    if (version <= 20) return 3;
    if (version <= 27) return 4;
    if (version <= 34) return 3;
    return 0;
}

TEST(FormatBits, ExamplesAndEveryWordIsACodeword) {
    EXPECT_EQ(FormatBits(kLevelL, 0), 0b111011111000100);
    EXPECT_EQ(FormatBits(kLevelM, 5), 0b100000011001110);
    for (int level = 0; level < 4; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            unsigned r = FormatBits(level, mask) ^ 0b101010000010010U;
            for (int bit = 14; bit >= 10; --bit) {
                if (r & (1U << bit)) r ^= 0b10100110111U << (bit - 10);
            }
            EXPECT_EQ(r, 0U);
        }
    }
}

TEST(Tables, VersionInfoAndAlignmentCoordinates) {
    EXPECT_EQ(kVersionInfo[7], 0x07C94U);
    EXPECT_EQ(kVersionInfo[8], 0x085BCU);
    EXPECT_EQ(kVersionInfo[40], 0x28C69U);
    for (int v = 7; v <= 40; ++v) EXPECT_EQ(kVersionInfo[v] >> 12, static_cast<uint32_t>(v));
    EXPECT_EQ(kAlignmentCoords[1][0], 0);
    EXPECT_EQ((std::vector<int>(kAlignmentCoords[2].begin(), kAlignmentCoords[2].begin() + 3)),
              (std::vector<int>{1, 6, 18}));
    EXPECT_EQ((std::vector<int>(kAlignmentCoords[7].begin(), kAlignmentCoords[7].begin() + 4)),
              (std::vector<int>{6, 6, 22, 38}));
    EXPECT_EQ((std::vector<int>(kAlignmentCoords[40].begin(), kAlignmentCoords[40].end())),
              (std::vector<int>{46, 6, 30, 58, 86, 114, 142, 170}));
    const int counts[] = {0, 1, 6, 13, 22, 33, 46};
    for (int v = 1; v <= 40; ++v) {
        const int group = v == 1 ? 0 : v <= 6 ? 1 : (v - 7) / 7 + 2;
        EXPECT_EQ(kAlignmentCoords[v][0], counts[group]) << v;
        if (v == 1) continue;
        EXPECT_EQ(kSymbolSize(v) - 7, kAlignmentCoords[v][v / 7 + 2])
            << "the last centre lies 7 modules from the far edge, version " << v;
    }
}

TEST(BuildMatrix, EncodingRegionHoldsEveryCodewordBitAndTheRemainder) {
    for (int v = 1; v <= 40; ++v) {
        const ModuleMatrix m = BuildMatrix(v, kLevelL, SomeCodewords(v), 0);
        int data = 0;
        for (uint8_t d : m.isData) data += d;
        EXPECT_EQ(data, kTotalCodewords[v] * 8 + RemainderBits(v)) << "version " << v;
        EXPECT_EQ(m.Module(m.side - 8, 8), 1) << "dark module, version " << v;
    }
}

TEST(BuildMatrix, FunctionPatternsWhereTheyBelong) {
    const ModuleMatrix v1 = BuildMatrix(1, kLevelM, SomeCodewords(1), 3);
    // Finder: dark ring, light ring, dark centre; separator light.
    EXPECT_EQ(v1.Module(0, 0), 1);
    EXPECT_EQ(v1.Module(1, 1), 0);
    EXPECT_EQ(v1.Module(3, 3), 1);
    EXPECT_EQ(v1.Module(7, 7), 0);
    EXPECT_EQ(v1.Module(0, 20), 1);
    EXPECT_EQ(v1.Module(20, 0), 1);
    // Timing: dark at even positions between the finders.
    for (int i = 8; i <= 12; ++i) {
        EXPECT_EQ(v1.Module(6, i), i % 2 == 0 ? 1 : 0);
        EXPECT_EQ(v1.Module(i, 6), i % 2 == 0 ? 1 : 0);
    }
    const ModuleMatrix v2 = BuildMatrix(2, kLevelM, SomeCodewords(2), 3);
    EXPECT_EQ(v2.Module(18, 18), 1);
    EXPECT_EQ(v2.Module(17, 17), 0);
    EXPECT_EQ(v2.Module(16, 16), 1);
    EXPECT_FALSE(v2.IsData(16, 20));
    EXPECT_TRUE(v1.IsData(16, 16));  // no alignment pattern in version 1
}

int ReadFormat(const ModuleMatrix& m, bool second) {
    const int n = m.side;
    int bits = 0;
    for (int b = 0; b < 15; ++b) {
        int r = 0, c = 0;
        if (!second) {
            if (b <= 5)
                r = b, c = 8;
            else if (b == 6)
                r = 7, c = 8;
            else if (b == 7)
                r = 8, c = 8;
            else if (b == 8)
                r = 8, c = 7;
            else
                r = 8, c = 14 - b;
        } else {
            if (b <= 7)
                r = 8, c = n - 1 - b;
            else
                r = n - 15 + b, c = 8;
        }
        bits |= m.Module(r, c) << b;
    }
    return bits;
}

TEST(BuildMatrix, FormatAndVersionInformationReadBack) {
    for (int v : {1, 6, 7, 21, 40}) {
        const ModuleMatrix m = BuildMatrix(v, kLevelQ, SomeCodewords(v), 6);
        EXPECT_EQ(ReadFormat(m, false), FormatBits(kLevelQ, 6));
        EXPECT_EQ(ReadFormat(m, true), FormatBits(kLevelQ, 6));
        EXPECT_EQ(m.IsData(0, m.side - 11), v < 7) << v;
        if (v < 7) continue;
        uint32_t first = 0, second = 0;
        for (int i = 0; i < 18; ++i) {
            first |= static_cast<uint32_t>(m.Module(i / 3, m.side - 11 + i % 3)) << i;
            second |= static_cast<uint32_t>(m.Module(m.side - 11 + i % 3, i / 3)) << i;
        }
        EXPECT_EQ(first, kVersionInfo[v]) << v;
        EXPECT_EQ(second, kVersionInfo[v]) << v;
    }
}

TEST(BuildMatrix, PlacementStartsBottomRightUpwardsAndSkipsColumn6) {
    std::vector<uint8_t> cw(26, 0);
    cw[0] = 0b10100000;  // bits 0 and 2 dark
    const ModuleMatrix m = BuildMatrix(1, kLevelL, cw, 0);
    EXPECT_EQ(m.Module(20, 20), 1);
    EXPECT_EQ(m.Module(20, 19), 0);
    EXPECT_EQ(m.Module(19, 20), 1);
    // The last codeword's last bit sits in column 0 of the bottom-left data area.
    std::vector<uint8_t> last(26, 0);
    last[25] = 0x01;
    const ModuleMatrix l = BuildMatrix(1, kLevelL, last, 0);
    int darkData = 0;
    for (int r = 0; r < 21; ++r) {
        for (int c = 0; c < 21; ++c) {
            if (l.IsData(r, c) && l.Module(r, c)) {
                ++darkData;
                EXPECT_EQ(c, 0);
                EXPECT_EQ(r, 12);  // column pair 1-0 runs downwards from row 9; (12, 0) last
            }
        }
    }
    EXPECT_EQ(darkData, 1);
    for (int r = 0; r < 21; ++r) EXPECT_FALSE(m.IsData(r, 6));
}

TEST(ApplyMask, InvertsDataModulesOnlyAndFollowsTheConditions) {
    const auto cw = SomeCodewords(7);
    const ModuleMatrix base = BuildMatrix(7, kLevelH, cw, 0);
    for (int mask = 0; mask < 8; ++mask) {
        ModuleMatrix m = BuildMatrix(7, kLevelH, cw, mask);
        ApplyMask(m, mask);
        int formatDiffs = 0;
        for (int i = 0; i < m.side; ++i) {
            for (int j = 0; j < m.side; ++j) {
                const bool differs = m.Module(i, j) != base.Module(i, j);
                if (m.IsData(i, j)) {
                    EXPECT_EQ(differs, MaskCondition(mask, i, j));
                } else if (differs) {
                    ++formatDiffs;
                    EXPECT_TRUE(i == 8 || j == 8) << "function module changed at " << i << "," << j;
                }
            }
        }
        if (mask == 0) {
            EXPECT_EQ(formatDiffs, 0);
        }
    }
    EXPECT_TRUE(MaskCondition(5, 0, 7));   // i x j = 0
    EXPECT_FALSE(MaskCondition(5, 1, 1));  // 1 + 1
    EXPECT_TRUE(MaskCondition(4, 1, 2));   // 0 + 0
    EXPECT_FALSE(MaskCondition(4, 2, 2));  // 1 + 0
}

}  // namespace
}  // namespace qr
