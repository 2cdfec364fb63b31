// What the image batch and the sheets share: numbers as vector files read them, and the names
// of files given on the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "common/archive_file.h"
#include "common/destination.h"
#include "common/number_text.h"

namespace {

std::string Number(double value, int decimals) {
    std::string text = "[";
    qrcommon::AppendNumber(text, value, decimals);
    return text + "]";
}

TEST(NumberText, PlainDecimalWithoutTrailingZerosOrExponent) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0, 3, "[0]"},
        {100, 3, "[100]"},
        {100, 0, "[100]"},
        {12.5, 3, "[12.5]"},
        {-0.00001, 4, "[0]"},
        {-2.25, 1, "[-2.2]"},
        {0.123456, 4, "[0.1235]"},
        {1e-9, 10, "[0.000000001]"},
        {std::numeric_limits<double>::infinity(), 3, "[0]"},
        {std::nan(""), 3, "[0]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Number(c.value, c.decimals), c.text) << c.value;

    // The largest values come out in full: digits only, nothing read before the buffer, and
    // read back as the same value.
    for (const double huge : {1e70, -1e200, std::numeric_limits<double>::max()}) {
        const std::string text = Number(huge, 3);
        EXPECT_EQ(text.find_first_not_of("-0123456789", 1), text.size() - 1) << text;
        EXPECT_EQ(std::strtod(text.c_str() + 1, nullptr), huge) << text;
    }
}

TEST(WrongExtension, OnlyTheFormatsOwnExtensionOrNone) {
    const struct {
        const char* path;
        bool refused;
    } cases[] = {
        {"code.png", false}, {"dir.v2/code.PNG", false}, {"code", false},
        {".hidden", false},  {"dir.x/code", false},      {"code.jpg", true},
        {"code.svgz", true}, {"code.png.gif", true},     {"code.", true},
    };
    for (const auto& c : cases) {
        const auto error = qrcommon::WrongExtension(c.path, "png", "png");
        EXPECT_EQ(error.has_value(), c.refused) << c.path;
    }
    EXPECT_EQ(qrcommon::WrongExtension("labels.jpg", "pdf", "a PDF"),
              "-o \"labels.jpg\": the name ends in .jpg, but the file holds a PDF; end it in .pdf");
}

TEST(ArchiveNames, ZipTakesExactlyTheUtf8Ones) {
    // 测试 and U+1F600; 测试 in GBK, cut short, "/" overlong, a surrogate, past U+10FFFF.
    for (const char* name : {"\xE6\xB5\x8B\xE8\xAF\x95.png", "\xF0\x9F\x98\x80"}) {
        EXPECT_TRUE(qrcommon::IsUtf8(name)) << name;
    }
    for (const char* name :
         {"\xB2\xE2\xCA\xD4", "a\xE6\xB5", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        EXPECT_FALSE(qrcommon::IsUtf8(name)) << name;
    }
}

}  // namespace
