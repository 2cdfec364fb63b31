#include "reed_solomon.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "tables.h"

namespace qr {
namespace {

TEST(GaloisField, TablesAreInverseAndFollowThePolynomial) {
    EXPECT_EQ(kGfExp[0], 1);
    EXPECT_EQ(kGfExp[7], 128);
    EXPECT_EQ(kGfExp[8], 0x1D);  // x^8 reduced by x^8 + x^4 + x^3 + x^2 + 1
    EXPECT_EQ(kGfExp[255], 1);
    EXPECT_EQ(kGfLog[1], 255);
    for (int i = 1; i < 255; ++i) EXPECT_EQ(kGfLog[kGfExp[i]], i);
    EXPECT_EQ(GfMultiply(0, 77), 0);
    EXPECT_EQ(GfMultiply(1, 77), 77);
    EXPECT_EQ(GfMultiply(2, 128), 0x1D);
}

TEST(GeneratorPolys, Degree7AndRootsOfEveryDegree) {
    const std::vector<uint16_t> seven(GeneratorPoly(7), GeneratorPoly(7) + 8);
    EXPECT_EQ(seven, (std::vector<uint16_t>{117, 68, 11, 164, 154, 122, 127, 1}));
    for (int degree = 1; degree <= kMaxGeneratorDegree; ++degree) {
        const uint16_t* g = GeneratorPoly(degree);
        EXPECT_EQ(g[degree], 1) << degree;
        for (int root = 0; root < degree; ++root) {  // g(a^root) = 0 by Horner's rule
            uint8_t value = 0;
            for (int k = degree; k >= 0; --k) {
                value = GfMultiply(value, static_cast<uint8_t>(kGfExp[root])) ^
                        static_cast<uint8_t>(g[k]);
            }
            EXPECT_EQ(value, 0) << "degree " << degree << " root " << root;
        }
    }
    EXPECT_EQ(GeneratorPoly(0), GeneratorPoly(68));
    EXPECT_EQ(GeneratorPoly(69), GeneratorPoly(68));
}

TEST(ComputeBlockEcc, WorkedExampleAndZeroData) {
    const std::vector<uint8_t> data = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                       0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    EXPECT_EQ(ComputeBlockEcc(data, 10),
              (std::vector<uint8_t>{0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}));
    EXPECT_EQ(ComputeBlockEcc(std::vector<uint8_t>(19, 0), 7), std::vector<uint8_t>(7, 0));
}

TEST(EcBlocks, EveryRowAddsUpAndMatchesTheExamples) {
    for (int v = 1; v <= 40; ++v) {
        for (int l = 0; l < 4; ++l) {
            const EcBlockRow& r = EcBlocksFor(v, l);
            EXPECT_EQ(r.ecTotal, (r.b1 + r.b2) * (r.c1 - r.k1)) << v << "/" << l;
            EXPECT_EQ(kTotalCodewords[v], r.b1 * r.c1 + r.b2 * (r.c1 + 1)) << v << "/" << l;
        }
    }
    auto row = [](int v, int l) {
        const EcBlockRow& r = EcBlocksFor(v, l);
        return std::vector<int>{r.ecTotal, r.b1, r.c1, r.k1, r.b2};
    };
    EXPECT_EQ(row(1, kLevelL), (std::vector<int>{7, 1, 26, 19, 0}));
    EXPECT_EQ(row(1, kLevelH), (std::vector<int>{17, 1, 26, 9, 0}));
    EXPECT_EQ(row(5, kLevelQ), (std::vector<int>{72, 2, 33, 15, 2}));
    EXPECT_EQ(row(7, kLevelH), (std::vector<int>{130, 4, 39, 13, 1}));
    EXPECT_EQ(row(40, kLevelH), (std::vector<int>{2430, 20, 45, 15, 61}));
    EXPECT_EQ(kTotalCodewords[1], 26);
    EXPECT_EQ(kTotalCodewords[4], 100);
    EXPECT_EQ(kTotalCodewords[40], 3706);
    EXPECT_EQ(DataCodewords(40, kLevelL), 2956);
    EXPECT_EQ(DataCodewords(40, kLevelM), 2334);
    EXPECT_EQ(DataCodewords(40, kLevelQ), 1666);
    EXPECT_EQ(DataCodewords(40, kLevelH), 1276);
}

TEST(InterleaveBlocks, SingleBlockIsDataThenCorrection) {
    std::vector<uint8_t> data(DataCodewords(3, kLevelM));
    std::iota(data.begin(), data.end(), 1);
    const auto out = InterleaveBlocks(data, EcBlocksFor(3, kLevelM));
    ASSERT_EQ(out.size(), 70U);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), out.begin()));
    const auto ecc = ComputeBlockEcc(data, 26);
    EXPECT_TRUE(std::equal(ecc.begin(), ecc.end(), out.begin() + 44));
}

TEST(InterleaveBlocks, Version5QTakesOneCodewordFromEachBlockInTurn) {
    std::vector<uint8_t> data(62);
    std::iota(data.begin(), data.end(), 0);  // blocks: 0-14, 15-29, 30-45, 46-61
    const auto out = InterleaveBlocks(data, EcBlocksFor(5, kLevelQ));
    ASSERT_EQ(out.size(), 134U);
    const int starts[4] = {0, 15, 30, 46};
    for (int j = 0; j < 15; ++j) {
        for (int b = 0; b < 4; ++b) EXPECT_EQ(out[4 * j + b], starts[b] + j);
    }
    EXPECT_EQ(out[60], 45);  // the 16th data codewords of the two longer blocks
    EXPECT_EQ(out[61], 61);
    const std::vector<uint8_t> block2(data.begin() + 30, data.begin() + 46);
    const auto ecc2 = ComputeBlockEcc(block2, 18);
    for (int t = 0; t < 18; ++t) EXPECT_EQ(out[62 + 4 * t + 2], ecc2[t]);
}

}  // namespace
}  // namespace qr
