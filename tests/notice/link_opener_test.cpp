#include "notice/link_opener.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "desktop_catcher.h"

namespace {

TEST(LinkOpener, OnlyWebAddressesCount) {
    EXPECT_TRUE(IsWebAddress("http://a.example/p?a"));
    EXPECT_TRUE(IsWebAddress("HTTPS://a.example"));
    EXPECT_FALSE(IsWebAddress(""));
    EXPECT_FALSE(IsWebAddress("file:///bin/sh"));
    EXPECT_FALSE(IsWebAddress("/usr/bin/xterm"));
    EXPECT_FALSE(IsWebAddress("calc.exe"));
    EXPECT_FALSE(IsWebAddress("C:\\Windows\\system32\\cmd.exe"));
    EXPECT_FALSE(IsWebAddress("ftp://a.example/"));
    EXPECT_FALSE(IsWebAddress("http://"));
    EXPECT_FALSE(IsWebAddress(" http://a.example/"));
}

TEST(LinkOpener, BrowserGetsWebAddressesOnly) {
    DesktopCatcher catcher;
    OpenInBrowser("http://a.example/p?a");
    OpenInBrowser("https://b.example/");
    OpenInBrowser("file:///bin/sh");
    OpenInBrowser("/bin/sh");
    OpenInBrowser("");
    OpenInBrowser("mailto:x@a.example");
    EXPECT_EQ(catcher.opened, QStringList({"http://a.example/p?a", "https://b.example/"}));
}

TEST(LinkOpener, OpenerCanBeReplacedAndRestored) {
    QStringList seen;
    SetLinkOpener([&](const std::string& address) { seen << QString::fromStdString(address); });
    OpenLink("");
    OpenLink("file:///bin/sh");
    EXPECT_EQ(seen, QStringList({"", "file:///bin/sh"}));

    SetLinkOpener({});
    DesktopCatcher catcher;
    OpenLink("file:///bin/sh");
    OpenLink("http://a.example/");
    EXPECT_EQ(catcher.opened, QStringList({"http://a.example/"}));
    EXPECT_EQ(seen.size(), 2);
}

}  // namespace
