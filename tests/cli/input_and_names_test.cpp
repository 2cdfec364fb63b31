#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_naming.h"
#include "input_lines.h"

namespace {

using Lines = std::vector<std::string>;
using qrcli::SplitInputLines;

TEST(SplitInputLines, CrLfAndBareLfEndALine) {
    EXPECT_EQ(SplitInputLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitInputLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitInputLines("\n"), (Lines{""}));
}

TEST(SplitInputLines, TheRestAfterTheLastEndingCountsOnlyWhenNotEmpty) {
    EXPECT_EQ(SplitInputLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitInputLines(""), Lines{});
}

TEST(SplitInputLines, BytesPassThroughUnchanged) {
    // A lone CR, GBK bytes and a NUL stay part of the text.
    const std::string gbk = "\xb2\xe2\xca\xd4";
    EXPECT_EQ(SplitInputLines("x\ry\n" + gbk + "\n" + std::string("a\0b", 3)),
              (Lines{"x\ry", gbk, std::string("a\0b", 3)}));
}

TEST(FileNameFor, TheLineAsItIsPlusTheExtension) {
    std::string reason;
    EXPECT_EQ(qrcli::FileNameFor("测试数据", ".jpg", reason), "测试数据.jpg");
    EXPECT_EQ(qrcli::FileNameFor("a b\\c?", ".png", reason), "a b\\c?.png");
    EXPECT_EQ(qrcli::FileNameFor("...", ".svg", reason), "....svg");
}

TEST(FileNameFor, LinesThatCannotNameAFileInTheFolder) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "an empty line cannot be a file name"},
        {".", "\".\" cannot be a file name"},
        {"..", "\"..\" cannot be a file name"},
        {"../escape", "cannot be a file name: it contains \"/\""},
        {"sub/x", "cannot be a file name: it contains \"/\""},
        {std::string("a\0b", 3), "cannot be a file name: it contains a NUL byte"},
    };
    for (const auto& [line, expected] : cases) {
        std::string reason;
        EXPECT_FALSE(qrcli::FileNameFor(line, ".bmp", reason).has_value()) << line;
        EXPECT_EQ(reason, expected);
    }
}

}  // namespace
