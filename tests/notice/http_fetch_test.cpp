#include "toolkit/qt/http_fetch.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "notice/notice_requests.h"
#include "notice_server.h"

namespace {

using namespace std::chrono_literals;

// As the notice step asks.
QByteArray Fetch(const QUrl& url, std::chrono::milliseconds timeLimit = 3000ms) {
    return FetchBytes(url, {timeLimit, kMaxResponseBytes}, kNoticeAgent);
}

bool Answers(const QUrl& url, std::chrono::milliseconds timeLimit) {
    return AnswersRequest(url, timeLimit, kOnlineCheckAgent);
}

TEST(HttpFetch, ReturnsTheExactBytesAndAsksLikeTheOldClient) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    static constexpr char kPage[] = "caption=\xC0\xBD\xB8\xF1|<br>\0tail";
    const QByteArray page(kPage, sizeof kPage - 1);
    server.Put("1.html", page);
    EXPECT_EQ(Fetch(server.Url("/1.html")), page);

    const QByteArray requests = server.Requests();
    EXPECT_TRUE(requests.startsWith("GET /1.html HTTP/1.1\n")) << requests.constData();
    EXPECT_TRUE(
        requests.contains("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"));
    EXPECT_TRUE(requests.contains("Accept: */*"));
    EXPECT_TRUE(requests.contains("Cache-Control: no-cache"));
}

TEST(HttpFetch, ErrorStatusStillGivesTheBody) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    EXPECT_EQ(Fetch(server.Url("/missing.html")), QByteArray());
}

TEST(HttpFetch, LargeBodyIsCutAtOneMebibyte) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    constexpr qsizetype kMebibyte = 1024 * 1024;
    QByteArray big(5 * kMebibyte, 'x');
    big[kMebibyte - 1] = 'y';
    big[kMebibyte] = 'z';
    server.Put("big.html", big);
    const QByteArray body = Fetch(server.Url("/big.html"));
    ASSERT_EQ(body.size(), kMebibyte);
    EXPECT_EQ(body.back(), 'y');
}

TEST(HttpFetch, SilentServerEndsAtTheTimeLimit) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Fetch(server.Url("/hang"), 500ms), QByteArray());
    EXPECT_FALSE(Answers(server.Url("/hang"), 500ms));
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST(HttpFetch, ConnectionClosedMidBodyGivesAtMostWhatArrived) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    QByteArray page;
    for (int i = 0; page.size() < 5000; ++i) page += "field" + QByteArray::number(i) + "=x|<br>";
    server.Put("cut.html", page);
    QElapsedTimer clock;
    clock.start();
    const QByteArray body = Fetch(server.Url("/cut"));
    EXPECT_LE(body.size(), 1000);
    EXPECT_TRUE(page.startsWith(body));
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST(HttpFetch, HugeHeaderEndsCleanly) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    server.Put("1.html", "caption=A|<br>");
    QElapsedTimer clock;
    clock.start();
    const QByteArray body = Fetch(server.Url("/hugeheader"));
    EXPECT_TRUE(body.isEmpty() || body == "caption=A|<br>");
    EXPECT_LT(clock.elapsed(), 10000);
}

TEST(HttpFetch, RefusedConnectionGivesNothing) {
    EXPECT_EQ(Fetch(ClosedPortUrl("/1.html")), QByteArray());
    EXPECT_FALSE(Answers(ClosedPortUrl("/"), 3000ms));
}

TEST(HttpFetch, OnlyHttpAddressesAreFetched) {
    EXPECT_EQ(Fetch(QUrl("file:///etc/hostname")), QByteArray());
    EXPECT_EQ(Fetch(QUrl("data:text/plain,hello")), QByteArray());
    EXPECT_EQ(Fetch(QUrl()), QByteArray());
    EXPECT_FALSE(Answers(QUrl("file:///etc/hostname"), 1000ms));
}

TEST(HttpFetch, AnyAnswerMeansOnline) {
    NoticeServer server;
    ASSERT_TRUE(server.IsRunning());
    server.Put("index.html", "ok");
    EXPECT_TRUE(Answers(server.Url("/index.html"), 3000ms));
    EXPECT_TRUE(Answers(server.Url("/missing"), 3000ms));
    EXPECT_TRUE(server.Requests().contains("User-Agent: test"));
}

}  // namespace
