#include <gtest/gtest.h>

#include <limits>

#include "text/to_integer.h"

namespace {

TEST(ToInteger, ReadsLeadingDecimalDigits) {
    EXPECT_EQ(ToInteger("200"), 200);
    EXPECT_EQ(ToInteger("2.5"), 2);
    EXPECT_EQ(ToInteger("300px"), 300);
    EXPECT_EQ(ToInteger("007"), 7);
}

TEST(ToInteger, NoDigitsGiveZero) {
    EXPECT_EQ(ToInteger(""), 0);
    EXPECT_EQ(ToInteger("abc"), 0);
    EXPECT_EQ(ToInteger("-"), 0);
    EXPECT_EQ(ToInteger("x12"), 0);
}

TEST(ToInteger, SkipsLeadingWhiteSpaceAndReadsOneSign) {
    EXPECT_EQ(ToInteger("  \t\r\n42"), 42);
    EXPECT_EQ(ToInteger("-12abc"), -12);
    EXPECT_EQ(ToInteger("+7"), 7);
    EXPECT_EQ(ToInteger("--7"), 0);
    EXPECT_EQ(ToInteger("- 7"), 0);
}

TEST(ToInteger, FoldsGbkFullWidthForms) {
    // 0xA3 0xB2 is the full-width 2, 0xA3 0xB0 the full-width 0.
    EXPECT_EQ(ToInteger("\xA3\xB2\xA3\xB0\xA3\xB0", CodePage::Gbk), 200);
    // 0xA1 0xA1 (ideographic space) is white space; 0xA3 0xAD is the full-width minus.
    EXPECT_EQ(ToInteger("\xA1\xA1\xA3\xAD\xA3\xB3", CodePage::Gbk), -3);
    EXPECT_EQ(ToInteger("1\xA3\xB5x", CodePage::Gbk), 15);
}

TEST(ToInteger, FoldsTheSameCharactersInUtf8) {
    EXPECT_EQ(ToInteger("２００", CodePage::Utf8), 200);
    EXPECT_EQ(ToInteger("　－３", CodePage::Utf8), -3);
    EXPECT_EQ(ToInteger("＋１２", CodePage::Utf8), 12);
    EXPECT_EQ(ToInteger("１2３", CodePage::Utf8), 123);
}

TEST(ToInteger, FoldingCoversTheListedSymbols) {
    EXPECT_EQ(FoldFullWidth("\xA1\xAB\xA1\xEE\xA1\xEF\xA3\xC1\xA3\xFE", CodePage::Gbk), "~**A~");
    EXPECT_EQ(FoldFullWidth("～☆★Ａ￥", CodePage::Utf8), "~**A$");
    // Other two-byte characters pass unchanged, also one whose trail byte looks like a digit.
    EXPECT_EQ(FoldFullWidth("\xB2\xE2\x81\x31", CodePage::Gbk), "\xB2\xE2\x81\x31");
    EXPECT_EQ(ToInteger("\x81\x31", CodePage::Gbk), 0);
    EXPECT_EQ(FoldFullWidth("测试", CodePage::Utf8), "测试");
}

TEST(ToInteger, OutOfRangeValuesSaturate) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(ToInteger("2147483647"), kMax);
    EXPECT_EQ(ToInteger("-2147483648"), kMin);
    EXPECT_EQ(ToInteger("2147483648"), kMax);
    EXPECT_EQ(ToInteger("99999999999999999999999"), kMax);
    EXPECT_EQ(ToInteger("-99999999999999999999999"), kMin);
}

}  // namespace
