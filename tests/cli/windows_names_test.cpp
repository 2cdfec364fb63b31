// Names between the tool's UTF-8 and the UTF-16 of the Windows file calls, and the names that
// Windows would take for something other than a file of their own.
#include <gtest/gtest.h>

#include <string>

#include "common/utf16_text.h"
#include "common/windows_names.h"

namespace {

TEST(Utf16Text, WellFormedUtf8GoesBothWaysUnchanged) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"codes-1.png", u"codes-1.png"},
        {"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},                          // two-byte characters
        {"\xE4\xBA\x8C\xE7\xBB\xB4\xE7\xA0\x81", u"\u4E8C\u7EF4\u7801"},  // 二维码
        {"\xF0\xA0\x80\x80.png", u"\xD840\xDC00.png"},  // U+20000, a surrogate pair
        {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},          // U+10FFFF, the last
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qrcommon::Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(qrcommon::Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
    }
}

TEST(Utf16Text, MalformedUtf8IsRefusedAndLoneSurrogatesAreReplaced) {
    const char* refused[] = {
        "\xB6\xFE\xCE\xAC",  // 二维 in GBK
        "\xC0\xAF",          // an overlong "/"
        "\xE0\x80\xAF",      // the same in three bytes
        "\xED\xA0\x80",      // a surrogate written as UTF-8
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xE4\xBA",          // cut short
        "\xFF",
    };
    for (const char* text : refused) EXPECT_FALSE(qrcommon::Utf8ToUtf16(text)) << text;
    EXPECT_EQ(qrcommon::Utf16ToUtf8(u"a\xD800"
                                    u"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(qrcommon::Utf16ToUtf32(u"\xDC00\xD840\xDC00"), U"\uFFFD\U00020000");
}

TEST(WindowsNames, OnlyPlainFileNamesAreTaken) {
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {"codes-1.png", true}, {"\xE4\xBA\x8C\xE7\xBB\xB4\xE7\xA0\x81.png", true},
        {".hidden", true},     {"console.png", true},
        {"com10.png", true},   {"", false},
        {".", false},          {"..", false},
        {"a:b.png", false},  // a stream of the file "a"
        {"a\\b.png", false},   {"a/b.png", false},
        {"what?.png", false},  {"tab\t.png", false},
        {"name.", false},                           // Windows would drop the dot
        {"name ", false},      {"nul.png", false},  // the null device, whatever the extension
        {"CON", false},        {"Com1.tar.gz", false},
        {"lpt9 .png", false},  {"conout$.png", false},
    };
    for (const auto& c : cases) EXPECT_EQ(qrcommon::WindowsTakesName(c.name), c.taken) << c.name;
}

TEST(WindowsNames, NamesAlikeButForCaseShareOneKey) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"ABC.png", "abc.PNG", true},  {"Serial-0001.png", "serial-0001.png", true},
        {"abc.png", "abd.png", false}, {"\xE4\xBA\x8C.png", "\xE4\xBA\x8C.PNG", true},
        {"a.png", "a .png", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qrcommon::WindowsNameKey(c.a) == qrcommon::WindowsNameKey(c.b), c.same)
            << c.a << " / " << c.b;
    }
}

}  // namespace
