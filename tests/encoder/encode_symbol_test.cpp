#include "encode_symbol.h"
#include "tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bit_stream.h"
#include "mask_score.h"
#include "matrix_builder.h"
#include "reed_solomon.h"

namespace qr {
namespace {

std::optional<EncodedSymbol> Encode(const std::string& s, SymbolParams p) {
    return EncodeSymbol({reinterpret_cast<const uint8_t*>(s.data()), s.size()}, p);
}

TEST(EncodeSymbol, FixedMaskSettingUsesPatternMinusOne) {
    for (int setting = 1; setting <= 8; ++setting) {
        const auto symbol = Encode("MASK", {0, kLevelQ, setting});
        ASSERT_TRUE(symbol);
        EXPECT_EQ(symbol->mask, setting - 1);
        EXPECT_EQ(symbol->version, 1);
    }
}

TEST(EncodeSymbol, AutomaticMaskIsTheLowestScoreAndTheLowestNumberOnTies) {
    for (const std::string& text : std::vector<std::string>{
             "12", "HELLO", "hello world", std::string(300, 'x'), std::string("a\0b", 3)}) {
        const auto chosen = Encode(text, {0, kLevelM, 0});
        ASSERT_TRUE(chosen);
        uint32_t scores[8];
        for (int mask = 0; mask < 8; ++mask) {
            const auto fixed = Encode(text, {0, kLevelM, mask + 1});
            scores[mask] = ScoreMask(fixed->matrix);
        }
        int best = 0;
        for (int mask = 1; mask < 8; ++mask) {
            if (scores[mask] < scores[best]) best = mask;
        }
        EXPECT_EQ(chosen->mask, best) << text;
        EXPECT_EQ(chosen->matrix.modules, Encode(text, {0, kLevelM, best + 1})->matrix.modules);
    }
}

TEST(EncodeSymbol, TooLongTextGivesNothingAndRequestedVersionIsKept) {
    EXPECT_FALSE(Encode(std::string(2954, 'a'), {0, kLevelL, 0}));
    EXPECT_FALSE(Encode(std::string(1274, 'a'), {5, kLevelH, 1}));
    const auto big = Encode("12", {10, kLevelL, 1});
    ASSERT_TRUE(big);
    EXPECT_EQ(big->version, 10);
    EXPECT_EQ(big->matrix.side, 57);
}

TEST(EncodeSymbol, StagesComposeToTheSameMatrix) {
    const std::string text = "01234567";
    const Bytes bytes{reinterpret_cast<const uint8_t*>(text.data()), text.size()};
    const auto data = BuildDataCodewords(bytes, Mode::kNumeric, 1, kLevelM);
    ModuleMatrix m = BuildMatrix(1, kLevelM, InterleaveBlocks(data, EcBlocksFor(1, kLevelM)), 2);
    ApplyMask(m, 2);
    EXPECT_EQ(Encode(text, {0, kLevelM, 3})->matrix.modules, m.modules);
}

}  // namespace
}  // namespace qr
