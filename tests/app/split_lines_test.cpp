#include <gtest/gtest.h>

#include "text/split_lines.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, EmptyTextHasNoLines) {
    EXPECT_EQ(SplitLines("", "\r\n"), Lines{});
}

TEST(SplitLines, TextWithoutSeparatorIsItsOwnLine) {
    EXPECT_EQ(SplitLines("abc", "\r\n"), Lines{"abc"});
}

TEST(SplitLines, FinalSeparatorAddsNoLine) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n", "\r\n"), (Lines{"a", "b"}));
}

TEST(SplitLines, TwoFinalSeparatorsGiveAnEmptyLastLine) {
    EXPECT_EQ(SplitLines("a\r\n\r\n", "\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\r\n", "\r\n"), Lines{""});
}

TEST(SplitLines, BlankLineInTheMiddleCounts) {
    EXPECT_EQ(SplitLines("a\r\n\r\nb", "\r\n"), (Lines{"a", "", "b"}));
}

TEST(SplitLines, LoneLineFeedOrCarriageReturnIsNoSeparator) {
    EXPECT_EQ(SplitLines("a\nb\rc", "\r\n"), Lines{"a\nb\rc"});
}

TEST(SplitLines, NoticeSeparatorsAreMatchedByteForByte) {
    EXPECT_EQ(SplitLines("t=1|<br>v=2|<BR>x", "|<br>"), (Lines{"t=1", "v=2|<BR>x"}));
    EXPECT_EQ(SplitLines("=a=b", "="), (Lines{"", "a", "b"}));
}

TEST(SplitLines, GbkTrailByteIsNeverTakenForASeparator) {
    // 0x81 0x7C is one GBK character whose second byte happens to be "|".
    EXPECT_EQ(SplitLines("\x81|<br>x", "|<br>", CodePage::Gbk), Lines{"\x81|<br>x"});
    EXPECT_EQ(SplitLines("\x81\x7C|<br>x", "|<br>", CodePage::Gbk), (Lines{"\x81|", "x"}));
    // 0xB2 0xE2 0xCA 0xD4 is GBK for 测试.
    EXPECT_EQ(SplitLines("\xB2\xE2\r\n\xCA\xD4", "\r\n", CodePage::Gbk),
              (Lines{"\xB2\xE2", "\xCA\xD4"}));
}

TEST(SplitLines, Utf8TextSplitsBetweenCharacters) {
    EXPECT_EQ(SplitLines("测试\r\n数据\r\n", "\r\n", CodePage::Utf8), (Lines{"测试", "数据"}));
    // A stray byte that starts no valid sequence does not hide the separator after it.
    EXPECT_EQ(SplitLines("\x81|<br>x", "|<br>", CodePage::Utf8), (Lines{"\x81", "x"}));
    EXPECT_EQ(SplitLines("\xE6\r\nx", "\r\n", CodePage::Utf8), (Lines{"\xE6", "x"}));
}

TEST(SplitLines, EmptySeparatorLeavesTheTextWhole) {
    EXPECT_EQ(SplitLines("abc", ""), Lines{"abc"});
}

TEST(SplitLines, CountsTheDefaultInput) {
    std::string text = "测试数据\r\n";
    for (long long n = 20210706001; n <= 20210707000; ++n) text += std::to_string(n) + "\r\n";
    const Lines lines = SplitLines(text, "\r\n");
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines.front(), "测试数据");
    EXPECT_EQ(lines[1], "20210706001");
    EXPECT_EQ(lines.back(), "20210707000");
}

}  // namespace
