// What a caption shows: its characters from UTF-8 or GBK bytes, and how it fits its room.
#include <gtest/gtest.h>

#include <vector>

#include "caption_fitting.h"
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
}

// Each character 500 thousandths of an em wide: at 10 pt, 5 pt a character.
std::vector<double> Even(const std::u32string& text) {
    return std::vector<double>(text.size(), 500.0);
}

struct FitRow {
    const char* name;
    std::vector<std::u32string> lines;
    qrsheet::CaptionRoom room;
    double size;
    std::vector<std::u32string> shown;  // each piece, "..." where an ellipsis follows
    bool cut;
};

TEST(CaptionFit, LargestThenSmallerThenBrokenThenCut) {
    const FitRow rows[] = {
        {"fits as it is", {U"ABCD"}, {40, 20, 10, 5}, 10, {U"ABCD"}, false},
        {"smaller to fit the width", {U"ABCDEFGH"}, {30, 20, 10, 5}, 7.5, {U"ABCDEFGH"}, false},
        {"smaller to fit three lines",
         {U"A", U"B", U"C"},
         {30, 27, 10, 5},
         7.5,
         {U"A", U"B", U"C"},
         false},
        {"broken after the address' slash",
         {U"https://ex.com/item/0012"},
         {37.5, 20, 10, 5},
         5,
         {U"https://ex.com/", U"item/0012"},
         false},
        {"broken anywhere without a place for it",
         {U"ABCDEFGHIJKLMN"},
         {20, 20, 10, 5},
         5,
         {U"ABCDEFGH", U"IJKLMN"},
         false},
        {"between ideographs",
         {U"仓库货架编号仓库"},
         {15, 20, 10, 5},
         5,
         {U"仓库货架编号", U"仓库"},
         false},
        {"cut where no more lines fit",
         {U"ABCDEFGHIJKLMNOPQRSTUVWX"},
         {20, 12, 10, 5},
         5,
         {U"ABCDEFGH", U"IJKLMN..."},
         true},
    };
    for (const FitRow& row : rows) {
        std::vector<std::vector<double>> advances;
        for (const auto& line : row.lines) advances.push_back(Even(line));
        // The ellipsis as wide as two characters.
        const auto fit = qrsheet::FitCaption(row.lines, advances, 1000, row.room);
        EXPECT_NEAR(fit.size, row.size, 1e-9) << row.name;
        EXPECT_EQ(fit.cut, row.cut) << row.name;
        std::vector<std::u32string> shown;
        for (const auto& piece : fit.pieces) {
            shown.push_back(row.lines[piece.line].substr(piece.begin, piece.end - piece.begin) +
                            (piece.ellipsis ? U"..." : U""));
        }
        EXPECT_EQ(shown, row.shown) << row.name;
    }
}

TEST(CaptionFit, AClusterIsNeverBroken) {
    // "ab" + a mark on b: the mark's advance is its cluster's, so no line starts at it.
    const std::vector<std::u32string> lines = {U"ab\u0301cd"};
    const std::vector<std::vector<double>> advances = {{500, 500, 0, 500, 500}};
    const auto fit = qrsheet::FitCaption(lines, advances, 1000, {6, 20, 10, 5});
    ASSERT_EQ(fit.pieces.size(), 2u);
    EXPECT_EQ(fit.pieces[0].end, 3u);  // the mark stays with its letter
    EXPECT_EQ(fit.pieces[1].begin, 3u);
}

}  // namespace
