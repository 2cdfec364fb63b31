#include "bit_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qr {
namespace {

Bytes AsBytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::vector<uint8_t> Codewords(const std::string& text, int version, int level) {
    return BuildDataCodewords(AsBytes(text), ChooseMode(AsBytes(text)), version, level);
}

int AutoVersion(const std::string& text, int level, int requested = 0) {
    return SelectVersion(text.size(), ChooseMode(AsBytes(text)), requested, level);
}

TEST(ChooseMode, PicksTheNarrowestModeForTheWholeText) {
    EXPECT_EQ(ChooseMode(AsBytes("123")), Mode::kNumeric);
    EXPECT_EQ(ChooseMode(AsBytes("")), Mode::kNumeric);
    for (const char* text : {"12AB", "AB12", "AC-42", " $%*+-./:"}) {
        EXPECT_EQ(ChooseMode(AsBytes(text)), Mode::kAlphanumeric) << text;
    }
    for (const char* text : {"ab", "A_B", "\xB2\xE2\xCA\xD4", "A\x80"}) {
        EXPECT_EQ(ChooseMode(AsBytes(text)), Mode::kByte) << text;
    }
}

TEST(DataCodewords, NumericWorkedExample) {
    const std::vector<uint8_t> expected = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                           0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    EXPECT_EQ(Codewords("01234567", 1, kLevelM), expected);
}

TEST(DataCodewords, AlphanumericWorkedExample) {
    std::vector<uint8_t> expected = {0x20, 0x29, 0xCE, 0xE7, 0x21, 0x00};
    for (bool ec = true; expected.size() < 19; ec = !ec) expected.push_back(ec ? 0xEC : 0x11);
    EXPECT_EQ(Codewords("AC-42", 1, kLevelL), expected);
    EXPECT_EQ(expected.back(), 0xEC);  // 13 pad codewords, the odd one last
}

TEST(DataCodewords, EmptyTextIsACountOfZero) {
    // 0001, ten zero bits of count, 0000 terminator: 18 bits in three codewords.
    const auto cw = Codewords("", 1, kLevelL);
    ASSERT_EQ(cw.size(), 19U);
    EXPECT_EQ(cw[0], 0x10);
    EXPECT_EQ(cw[1], 0x00);
    EXPECT_EQ(cw[2], 0x00);
    EXPECT_EQ(cw[3], 0xEC);
    EXPECT_EQ(cw[4], 0x11);
}

TEST(DataCodewords, GbkTextIsByteModeCountingBytes) {
    const std::string text = "\xB2\xE2\xCA\xD4";  // two GBK characters
    const auto cw = Codewords(text, 1, kLevelL);
    EXPECT_EQ(cw[0], 0x40);  // 0100 then the count 00000100
    EXPECT_EQ(cw[1], 0x4B);
    EXPECT_EQ(cw[2], 0x2E);
}

TEST(DataCodewords, ExactFillHasNoTerminatorOrPadding) {
    const std::string digits(34, '7');
    EXPECT_EQ(BitCost(34, Mode::kNumeric, 1), 128);
    const auto cw = Codewords(digits, 1, kLevelM);
    ASSERT_EQ(cw.size(), 16U);
    // 34 digits = 11 groups of three and one digit: the last codeword holds data bits ...0111.
    EXPECT_EQ(cw[15] & 0x0F, 0x07);
    EXPECT_NE(cw[15], 0xEC);
}

TEST(DataCodewords, ShortTerminatorWhenOnlyABitOrThreeRemain) {
    // 25 alphanumeric characters at version 1 L: 151 of 152 bits, one terminator bit.
    const std::string text(25, 'A');
    EXPECT_EQ(BitCost(25, Mode::kAlphanumeric, 1), 151);
    const auto cw = Codewords(text, 1, kLevelL);
    ASSERT_EQ(cw.size(), 19U);
    EXPECT_EQ(cw[18], 0x14);  // 'A' = 10 in six bits, shifted, then the single 0
    // 16 alphanumeric characters at version 1 Q: 101 of 104 bits, three terminator bits.
    EXPECT_EQ(BitCost(16, Mode::kAlphanumeric, 1), 101);
    const auto three = Codewords(std::string(16, 'A'), 1, kLevelQ);
    ASSERT_EQ(three.size(), 13U);
    EXPECT_EQ(three[12], 0x60);  // the last five bits of the pair "AA" (460), then 000
}

TEST(DataCodewords, PadCodewordsAlternateStartingWithEc) {
    // "1" at version 1 L: 4 + 10 + 4 + 4 = 22 bits -> 3 codewords, 16 pads (even).
    const auto even = Codewords("1", 1, kLevelL);
    ASSERT_EQ(even.size(), 19U);
    EXPECT_EQ(even[3], 0xEC);
    EXPECT_EQ(even[18], 0x11);
    // "1234567": 4 + 10 + 24 + 4 = 42 bits -> 6 codewords, 13 pads ending in 0xEC.
    const auto odd = Codewords("1234567", 1, kLevelL);
    EXPECT_EQ(odd[6], 0xEC);
    EXPECT_EQ(odd[18], 0xEC);
}

TEST(SelectVersion, SmallestVersionThatHoldsTheText) {
    EXPECT_EQ(AutoVersion(std::string(41, '1'), kLevelL), 1);
    EXPECT_EQ(AutoVersion(std::string(42, '1'), kLevelL), 2);
    EXPECT_EQ(AutoVersion(std::string(25, 'A'), kLevelL), 1);
    EXPECT_EQ(AutoVersion(std::string(26, 'A'), kLevelL), 2);
    EXPECT_EQ(AutoVersion(std::string(17, 'a'), kLevelL), 1);
    EXPECT_EQ(AutoVersion(std::string(18, 'a'), kLevelL), 2);
    EXPECT_EQ(AutoVersion(std::string(34, '1'), kLevelM), 1);
    EXPECT_EQ(AutoVersion(std::string(35, '1'), kLevelM), 2);
    EXPECT_EQ(AutoVersion(std::string(17, '1'), kLevelH), 1);
    EXPECT_EQ(AutoVersion(std::string(18, '1'), kLevelH), 2);
    EXPECT_EQ(AutoVersion("", kLevelH), 1);
}

TEST(SelectVersion, LargestTextsOfVersion40AndOneMore) {
    EXPECT_EQ(AutoVersion(std::string(7089, '1'), kLevelL), 40);
    EXPECT_EQ(AutoVersion(std::string(7090, '1'), kLevelL), 0);
    EXPECT_EQ(AutoVersion(std::string(4296, 'A'), kLevelL), 40);
    EXPECT_EQ(AutoVersion(std::string(4297, 'A'), kLevelL), 0);
    EXPECT_EQ(AutoVersion(std::string(2953, 'a'), kLevelL), 40);
    EXPECT_EQ(AutoVersion(std::string(2954, 'a'), kLevelL), 0);
    EXPECT_EQ(AutoVersion(std::string(3057, '1'), kLevelH), 40);
    EXPECT_EQ(AutoVersion(std::string(3058, '1'), kLevelH), 0);
    EXPECT_EQ(AutoVersion(std::string(1273, 'a'), kLevelH), 40);
    EXPECT_EQ(AutoVersion(std::string(1274, 'a'), kLevelH), 0);
}

TEST(SelectVersion, RequestedVersionIsALowerBound) {
    EXPECT_EQ(AutoVersion("12", kLevelL, 10), 10);
    EXPECT_EQ(AutoVersion("", kLevelL, 7), 7);
    std::string text(150, 'a');
    const int needed = AutoVersion(text, kLevelM);
    EXPECT_EQ(needed, 8);
    EXPECT_EQ(AutoVersion(text, kLevelM, 5), 8);
}

TEST(SelectVersion, CountWidthGrowsAtVersions10And27) {
    // The cost is recomputed per version: a 16-bit byte count from version 10 on.
    EXPECT_EQ(BitCost(100, Mode::kByte, 9), 4 + 8 + 800);
    EXPECT_EQ(BitCost(100, Mode::kByte, 10), 4 + 16 + 800);
    EXPECT_EQ(BitCost(10, Mode::kNumeric, 27), 4 + 14 + 34);
    EXPECT_EQ(BitCost(3, Mode::kAlphanumeric, 26), 4 + 11 + 17);
}

}  // namespace
}  // namespace qr
