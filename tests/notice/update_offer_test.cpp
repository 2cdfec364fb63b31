#include "notice/update_offer.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateOffer, OnlyALargerLeadingNumberIsNewer) {
    EXPECT_FALSE(IsNewerThanCurrent("1"));
    EXPECT_FALSE(IsNewerThanCurrent("0"));
    EXPECT_FALSE(IsNewerThanCurrent("1.9"));
    EXPECT_FALSE(IsNewerThanCurrent("beta 7"));
    EXPECT_FALSE(IsNewerThanCurrent(""));
    EXPECT_FALSE(IsNewerThanCurrent("-5"));
    EXPECT_TRUE(IsNewerThanCurrent("2"));
    EXPECT_TRUE(IsNewerThanCurrent("2.5"));
    EXPECT_TRUE(IsNewerThanCurrent(" 3"));
    EXPECT_TRUE(IsNewerThanCurrent("\xA3\xB2"));  // full-width 2
}

TEST(UpdateOffer, InfoTextQuotesVersionsAsReceived) {
    NoticePage page;
    page.latestVersion = "2.5";
    page.updateLog = "\xD0\xDE\xB8\xB4";  // 修复
    EXPECT_EQ(UpdateInfoText(page),
              "检测到当前软件有更新，请前往【澜格论坛】进行下载更新\r\n\r\n"
              "当前版本：1.0\r\n最新版本：2.5.0\r\n\r\n新版更新日志：\r\n修复");
}

TEST(UpdateOffer, NoticeLabels) {
    NoticePage page;
    page.latestVersion = "2.5";
    page.author = "\xC0\xBD\xB8\xF1";
    page.link = "http://a.example/p?a";
    EXPECT_EQ(CurrentVersionCaption(), "软件当前版本：V1.0");
    EXPECT_EQ(LatestVersionCaption(page), "软件最新版本：V2.5.0");
    EXPECT_EQ(AuthorCaption(page), "软件作者：澜格");
    EXPECT_EQ(LinkCaption(page), "http://a.example/p?a   （点击可跳转）");
}

}  // namespace
