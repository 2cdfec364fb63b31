// What a caption shows: its characters from UTF-8 or GBK bytes, and where it is cut.
#include <gtest/gtest.h>

#include <vector>

#include "caption_drawing.h"
#include "caption_text.h"

namespace {

using qrsheet::CaptionCharacters;

TEST(CaptionText, Utf8AndGbkBytesGiveTheSameCharacters) {
    const std::string utf8 = "\xE6\xB5\x8B\xE8\xAF\x95 A1";  // 测试 A1
    const std::string gbk = "\xB2\xE2\xCA\xD4 A1";
    EXPECT_EQ(CaptionCharacters(utf8), U"测试 A1");
    EXPECT_EQ(CaptionCharacters(gbk), U"测试 A1");
}

TEST(CaptionText, UnreadableBytesAndControlsStayVisible) {
    EXPECT_EQ(CaptionCharacters("ab\xFF\xFF"), U"ab\uFFFD\uFFFD");
    EXPECT_EQ(CaptionCharacters("a\rb\x01"), U"a b ");
    EXPECT_EQ(CaptionCharacters("\xEF\xBB\xBFname"), U"name");
    EXPECT_TRUE(qrsheet::IsPlainAscii(U"A-1 (x)"));
    EXPECT_FALSE(qrsheet::IsPlainAscii(U"A\u00E9"));
}

TEST(CaptionFit, WholeWhenItFitsOtherwiseAPrefixThatLeavesRoomForTheEllipsis) {
    const std::vector<double> advances(10, 1.0);
    const std::u32string text = U"abcd efghi";
    bool cut = true;
    EXPECT_EQ(qrsheet::FittingCount(advances, text, 1.0, 10.0, cut), 10u);
    EXPECT_FALSE(cut);
    EXPECT_EQ(qrsheet::FittingCount(advances, text, 1.0, 8.5, cut), 7u);
    EXPECT_TRUE(cut);
    // "abcd " would end in a space before the ellipsis: the space goes.
    EXPECT_EQ(qrsheet::FittingCount(advances, text, 1.0, 6.0, cut), 4u);
    EXPECT_EQ(qrsheet::FittingCount(advances, text, 1.0, 0.5, cut), 0u);
}

}  // namespace
