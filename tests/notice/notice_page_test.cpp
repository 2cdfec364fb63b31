#include "notice/notice_page.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/services.h"

using services::FromGbk;

namespace {

// "真" and "澜格" in GBK.
const std::string kTrue("\xD5\xE6");
const std::string kLange("\xC0\xBD\xB8\xF1");

std::string SixFields(const std::string& sixth) {
    return "<html>caption=" + kLange +
           "|<br>version=2|<br>link=http://a.example/t|<br>author=" + kLange +
           "|<br>log=fixes|<br>force=" + sixth;
}

TEST(NoticePage, SixFieldsGiveTheirValues) {
    const NoticePage page = ReadNoticePage(SixFields(kTrue));
    EXPECT_EQ(page.valueCount, 6);
    EXPECT_EQ(page.windowCaption, kLange);
    EXPECT_EQ(page.latestVersion, "2");
    EXPECT_EQ(page.link, "http://a.example/t");
    EXPECT_EQ(page.author, kLange);
    EXPECT_EQ(page.updateLog, "fixes");
    EXPECT_TRUE(page.mandatoryUpdate);
}

TEST(NoticePage, OnlyTheExactWordIsMandatory) {
    EXPECT_FALSE(ReadNoticePage(SixFields(kTrue + " ")).mandatoryUpdate);
    EXPECT_FALSE(ReadNoticePage(SixFields("yes")).mandatoryUpdate);
    EXPECT_FALSE(ReadNoticePage(SixFields("1")).mandatoryUpdate);
    EXPECT_TRUE(ReadNoticePage(SixFields(kTrue + "|<br>")).mandatoryUpdate);
}

TEST(NoticePage, LinkIsCutBeforeItsFirstEqualsSign) {
    const NoticePage page =
        ReadNoticePage("t=x|<br>v=1|<br>link=http://a.example/p?a=b|<br>w=a|<br>l=b|<br>m=c");
    EXPECT_EQ(page.link, "http://a.example/p?a");
    EXPECT_EQ(page.valueCount, 6);
}

TEST(NoticePage, ExtraFieldsAndLeadingTextChangeNothing) {
    const NoticePage plain = ReadNoticePage("a=T|<br>b=2|<br>c=L|<br>d=A|<br>e=G|<br>f=N");
    const NoticePage noisy = ReadNoticePage(
        "<head>junk</head>any label=T|<br>x=2|<br>yy=L|<br>=A|<br>zz z=G|<br>f=N|<br>g=7|<br>h");
    EXPECT_EQ(noisy.windowCaption, plain.windowCaption);
    EXPECT_EQ(noisy.latestVersion, plain.latestVersion);
    EXPECT_EQ(noisy.link, plain.link);
    EXPECT_EQ(noisy.author, plain.author);
    EXPECT_EQ(noisy.updateLog, plain.updateLog);
    EXPECT_EQ(noisy.mandatoryUpdate, plain.mandatoryUpdate);
    EXPECT_EQ(noisy.valueCount, 6);
}

TEST(NoticePage, ValueEndsAtItsSecondEqualsSign) {
    EXPECT_EQ(ReadNoticePage("a=b=c").windowCaption, "b");
    EXPECT_EQ(ReadNoticePage("a==c").windowCaption, "");
    EXPECT_EQ(ReadNoticePage("a==c").valueCount, 1);
}

TEST(NoticePage, ReadingStopsAtTheFirstMissingValue) {
    EXPECT_EQ(ReadNoticePage("").valueCount, 0);
    EXPECT_EQ(ReadNoticePage("no separators at all").valueCount, 0);
    EXPECT_EQ(ReadNoticePage("a=T|<br>b=2").valueCount, 2);
    EXPECT_EQ(ReadNoticePage("a=T|<br>b=2|<br>").valueCount, 2);
    // A field without "=", or with nothing after it, has no value.
    const NoticePage page = ReadNoticePage("a=T|<br>b=2|<br>link|<br>d=A|<br>e=G|<br>f=N");
    EXPECT_EQ(page.valueCount, 2);
    EXPECT_EQ(page.author, "");
    EXPECT_EQ(ReadNoticePage("a=T|<br>b=|<br>c=L").valueCount, 1);
    EXPECT_EQ(ReadNoticePage("a=T|<br>|<br>c=L").valueCount, 1);
}

TEST(NoticePage, BodyEndsAtItsFirstNulByte) {
    const NoticePage page = ReadNoticePage(std::string("a=T|<br>b=2\0|<br>c=L", 20));
    EXPECT_EQ(page.valueCount, 2);
    EXPECT_EQ(page.latestVersion, "2");
}

TEST(NoticePage, GbkTrailBytesNeverCut) {
    // 0x81 0x7C is one GBK character whose second byte is "|"; 0x81 0x3D pairs a lead byte
    // with "=" the same way.
    const NoticePage page = ReadNoticePage("a=\x81|<br>b=2|<br>c=\x81=x|<br>d=A");
    EXPECT_EQ(page.windowCaption, "\x81|<br>b");
    EXPECT_EQ(page.latestVersion, "\x81=x");
    EXPECT_EQ(page.link, "A");
    EXPECT_EQ(page.valueCount, 3);
    EXPECT_EQ(FromGbk("\x81|"), "亅");
}

TEST(NoticePage, BinaryJunkIsReadWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk.push_back(static_cast<char>((i * 7919 + 13) % 255 + 1));
    junk += "\xFF";  // a lead byte at the very end
    const NoticePage page = ReadNoticePage(junk);
    EXPECT_LE(page.valueCount, kNoticeFieldCount);
    EXPECT_FALSE(FromGbk(junk).empty());
}

TEST(NoticePage, GbkDecodesForDisplay) {
    EXPECT_EQ(FromGbk(kLange), "澜格");
    EXPECT_EQ(FromGbk(kTrue), "真");
}

}  // namespace
