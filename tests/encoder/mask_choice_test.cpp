#include "mask_choice.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mask_score.h"
#include "matrix_builder.h"
#include "reed_solomon.h"
#include "tables.h"

namespace qr {
namespace {

// The choice as it was made before packed rows: each mask applied to a copy of the byte
// matrix with its format bits, scored, the lowest score winning and the lower number on ties.
int ChoiceOnByteMatrices(const ModuleMatrix& unmasked, int level) {
    int best = 0;
    uint32_t lowest = 0;
    for (int mask = 0; mask < 8; ++mask) {
        ModuleMatrix m = unmasked;
        WriteFormatInfo(m, level, mask);
        ApplyMask(m, mask);
        const uint32_t score = ScoreMask(m);
        if (mask == 0 || score < lowest) {
            lowest = score;
            best = mask;
        }
    }
    return best;
}

// Data codewords of several kinds: random ones, and the regular ones that leave large uniform
// areas and long runs, where the block and run terms decide.
enum class Fill { kRandom, kZeros, kOnes, kAlternate, kSparse };

std::vector<uint8_t> DataOf(Fill fill, int count, std::mt19937& random) {
    std::vector<uint8_t> data(static_cast<size_t>(count));
    for (size_t i = 0; i < data.size(); ++i) {
        switch (fill) {
            case Fill::kRandom:
                data[i] = static_cast<uint8_t>(random());
                break;
            case Fill::kZeros:
                data[i] = 0;
                break;
            case Fill::kOnes:
                data[i] = 0xFF;
                break;
            case Fill::kAlternate:
                data[i] = 0xAA;
                break;
            case Fill::kSparse:
                data[i] = random() % 16 == 0 ? static_cast<uint8_t>(random()) : 0;
                break;
        }
    }
    return data;
}

TEST(ChooseMask, SameAsTheByteMatrixChoiceOnEveryVersionAndLevel) {
    struct Case {
        Fill fill;
        int symbols;  // of every version and level
    };
    const Case cases[] = {{Fill::kRandom, 16},
                          {Fill::kSparse, 4},
                          {Fill::kZeros, 1},
                          {Fill::kOnes, 1},
                          {Fill::kAlternate, 1}};
    std::mt19937 random(2126);
    int compared = 0;
    std::vector<int> chosen(8, 0);
    for (int version = 1; version <= kMaxVersion; ++version) {
        for (int level = kLevelL; level <= kLevelH; ++level) {
            for (const Case& c : cases) {
                for (int k = 0; k < c.symbols; ++k) {
                    const auto data = DataOf(c.fill, DataCodewords(version, level), random);
                    const ModuleMatrix unmasked = BuildUnmaskedMatrix(
                        version, InterleaveBlocks(data, EcBlocksFor(version, level)));
                    const int mask = ChooseMask(unmasked, version, level);
                    ASSERT_EQ(mask, ChoiceOnByteMatrices(unmasked, level))
                        << "version " << version << " level " << level << " fill "
                        << static_cast<int>(c.fill) << " symbol " << k;
                    ++chosen[static_cast<size_t>(mask)];
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 40 * 4 * 23);
    // Every mask won somewhere: the comparison covered each pattern and its format bits.
    for (int mask = 0; mask < 8; ++mask) EXPECT_GT(chosen[static_cast<size_t>(mask)], 0) << mask;
}

}  // namespace
}  // namespace qr
