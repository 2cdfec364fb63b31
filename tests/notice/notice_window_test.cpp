#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "desktop_catcher.h"
#include "message_box_answerer.h"
#include "notice/clock.h"
#include "notice/clock_text.h"
#include "notice/fetch_notice.h"
#include "notice/link_opener.h"
#include "notice_server.h"
#include "qstring_printer.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "toolkit/qt/date_time_format.h"
#include "toolkit/qt/qt_main_window.h"

namespace {

using Answer = MessageBoxAnswerer::Answer;

// GBK bytes of the texts the pages carry.
const QByteArray kCaptionGbk("\xC0\xBD\xB8\xF1\xB6\xFE\xCE\xAC\xC2\xEB");      // 澜格二维码
const QByteArray kAuthorGbk("\xC0\xBD\xB8\xF1");                               // 澜格
const QByteArray kLogGbk("\xD0\xDE\xB8\xB4\xC8\xF4\xB8\xC9\xCE\xCA\xCC\xE2");  // 修复若干问题
const QByteArray kTrueGbk("\xD5\xE6");                                         // 真

const QString kCaption = QStringLiteral("澜格二维码");
const QString kTemplateLink = QStringLiteral("未获取到数据");
const QString kTemplateVersion = QStringLiteral("软件当前版本：");
const QString kTemplateAuthor = QStringLiteral("软件作者：");

QByteArray NoticePageBody(const QByteArray& version, const QByteArray& mandatory,
                          const QByteArray& link = "http://127.0.0.1/thread-1.html") {
    return "<html><body>title=" + kCaptionGbk + "|<br>version=" + version + "|<br>link=" + link +
           "|<br>author=" + kAuthorGbk + "|<br>log=" + kLogGbk + "|<br>mandatory=" + mandatory;
}

QByteArray LogoPng() {
    QImage logo(208, 71, QImage::Format_RGB32);
    logo.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    return bytes;
}

// A window, a notice server and the three addresses pointing at it; the link opener records
// what it is given instead of starting a browser.
class NoticeWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.IsRunning());
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        server.Put("online.html", "ok");
        server.Put("logo.png", LogoPng());
        PointAt("/1.html", "/logo.png", "/online.html");
        SetLinkOpener(
            [this](const std::string& address) { opened << QString::fromStdString(address); });
        window = std::make_unique<QtMainWindow>(folder.path());
    }
    void TearDown() override {
        SetLinkOpener({});
        for (const char* name : {"QRBATCH_NOTICE_URL", "QRBATCH_LOGO_URL", "QRBATCH_ONLINE_URL"})
            qunsetenv(name);
    }

    void PointAt(const QString& page, const QString& logo, const QString& online) {
        qputenv("QRBATCH_NOTICE_URL", server.Url(page).toEncoded());
        qputenv("QRBATCH_LOGO_URL", server.Url(logo).toEncoded());
        qputenv("QRBATCH_ONLINE_URL", server.Url(online).toEncoded());
    }

    // Runs the notice step with the user's answers scripted; returns the boxes shown.
    std::vector<MessageBoxAnswerer::SeenBox> Fetch(const QByteArray& page,
                                                   std::deque<Answer> answers = {}) {
        server.Put("1.html", page);
        MessageBoxAnswerer answerer(std::move(answers), window.get());
        FetchNotice(*window);
        EXPECT_EQ(answerer.unexpected, 0);
        return answerer.seen;
    }

    void ExpectTemplateState() {
        EXPECT_EQ(window->Title(), "");
        EXPECT_EQ(window->透明标签14->text(), kTemplateLink);
        EXPECT_EQ(window->透明标签15->text(), kTemplateVersion);
        EXPECT_EQ(window->透明标签16->text(), kTemplateVersion);
        EXPECT_EQ(window->透明标签17->text(), kTemplateAuthor);
    }

    void ExpectFilledLabels(const QString& latest, const QString& link) {
        EXPECT_EQ(window->windowTitle(), kCaption);
        EXPECT_EQ(window->透明标签14->text(), link + QStringLiteral("   （点击可跳转）"));
        EXPECT_EQ(window->透明标签15->text(), QStringLiteral("软件当前版本：V1.0"));
        EXPECT_EQ(window->透明标签16->text(), QStringLiteral("软件最新版本：V") + latest + ".0");
        EXPECT_EQ(window->透明标签17->text(), QStringLiteral("软件作者：澜格"));
    }

    QTemporaryDir folder;
    NoticeServer server;
    QStringList opened;
    std::unique_ptr<QtMainWindow> window;
};

const QString kUpdateText = QStringLiteral(
    "检测到当前软件有更新，请前往【澜格论坛】进行下载更新\r\n\r\n当前版本：1.0\r\n"
    "最新版本：2.0\r\n\r\n新版更新日志：\r\n修复若干问题");

TEST_F(NoticeWindowTest, SameOrOlderVersionOffersNothingAndFillsTheLabels) {
    for (const char* version : {"1", "0"}) {
        EXPECT_TRUE(Fetch(NoticePageBody(version, kTrueGbk)).empty()) << version;
        ExpectFilledLabels(QString::fromLatin1(version), "http://127.0.0.1/thread-1.html");
        EXPECT_FALSE(window->Closed());
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(NoticeWindowTest, LogoIsShownAtItsNaturalSize) {
    Fetch(NoticePageBody("1", "no"));
    const ui::Bytes& logo = window->图片框2->PictureBytes();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(logo.data()), qsizetype(logo.size())),
              LogoPng());
    EXPECT_EQ(window->图片框2->pixmap().size(), QSize(208, 71));
}

TEST_F(NoticeWindowTest, NewerVersionShowsBothBoxesAndOkOpensTheLink) {
    const auto boxes = Fetch(NoticePageBody("2", kTrueGbk), {Answer::ClickOk, Answer::ClickOk});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("信息："));
    EXPECT_EQ(boxes[0].watchedTitle, kCaption);  // the title is set before the offer
    EXPECT_EQ(boxes[0].text, kUpdateText);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes[0].modality, Qt::ApplicationModal);
    EXPECT_TRUE(boxes[0].ownedByNoWindow);
    EXPECT_EQ(boxes[0].textFormat, Qt::PlainText);
    EXPECT_EQ(boxes[1].caption, QStringLiteral("是否更新"));
    EXPECT_EQ(boxes[1].text, QStringLiteral("是否进行更新？？？"));
    EXPECT_EQ(boxes[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(boxes[1].icon, QMessageBox::NoIcon);
    EXPECT_EQ(opened, QStringList{"http://127.0.0.1/thread-1.html"});
    EXPECT_FALSE(window->Closed());
    ExpectFilledLabels("2", "http://127.0.0.1/thread-1.html");
}

TEST_F(NoticeWindowTest, VersionTwoPointFiveCountsAsTwoAndIsQuotedAsReceived) {
    const auto boxes = Fetch(NoticePageBody("2.5", "no"), {Answer::ClickOk, Answer::ClickCancel});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("\r\n最新版本：2.5.0\r\n")));
    ExpectFilledLabels("2.5", "http://127.0.0.1/thread-1.html");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(window->Closed());
}

TEST_F(NoticeWindowTest, DecliningAMandatoryUpdateClosesTheWindow) {
    for (const Answer decline : {Answer::ClickCancel, Answer::PressEscape, Answer::CloseBox}) {
        window = std::make_unique<QtMainWindow>(folder.path());
        window->show();
        const auto boxes = Fetch(NoticePageBody("2", kTrueGbk), {Answer::ClickOk, decline});
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_TRUE(window->Closed()) << static_cast<int>(decline);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(opened.isEmpty());
        ExpectFilledLabels("2", "http://127.0.0.1/thread-1.html");
    }
}

TEST_F(NoticeWindowTest, DeclinedMandatoryUpdateLetsStartUpFinishFirst) {
    server.Put("1.html", NoticePageBody("2", kTrueGbk));
    MessageBoxAnswerer answerer({Answer::ClickOk, Answer::ClickCancel});
    OnMainWindowCreated(*window);
    EXPECT_EQ(answerer.seen.size(), 2u);
    EXPECT_TRUE(window->Closed());
    // The steps after the notice still ran.
    EXPECT_EQ(window->组合框_版本1->count(), 41);
    EXPECT_EQ(window->标签1->width(), 0);
}

TEST_F(NoticeWindowTest, OnlyTheExactWordMakesTheUpdateMandatory) {
    for (const QByteArray& word : {kTrueGbk + " ", QByteArray("yes"), QByteArray("\xB7\xF1")}) {
        const auto boxes =
            Fetch(NoticePageBody("2", word + "|<br>"), {Answer::ClickOk, Answer::ClickCancel});
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_FALSE(window->Closed()) << word.constData();
    }
}

TEST_F(NoticeWindowTest, LinkIsCutBeforeItsFirstEqualsSign) {
    Fetch(NoticePageBody("1", "no", "http://127.0.0.1/forum.php?mod=viewthread&tid=7"));
    ExpectFilledLabels("1", "http://127.0.0.1/forum.php?mod");
    QTest::mousePress(window->透明标签14, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{"http://127.0.0.1/forum.php?mod"});
}

TEST_F(NoticeWindowTest, ExtraFieldsAndLeadingTextChangeNothing) {
    Fetch("<html><body>junk before title=" + kCaptionGbk +
          "|<br>v=1|<br>=http://127.0.0.1/t|<br>a=" + kAuthorGbk +
          "|<br>x=log|<br>y=no|<br>seventh=9|<br>eighth=" + kTrueGbk + "|<br>");
    ExpectFilledLabels("1", "http://127.0.0.1/t");
    EXPECT_FALSE(window->Closed());
}

TEST_F(NoticeWindowTest, OfflineStartKeepsTheTemplateAndPassesTheEmptyAddress) {
    server.Put("1.html", NoticePageBody("2", kTrueGbk));
    qputenv("QRBATCH_ONLINE_URL", ClosedPortUrl("/").toEncoded());
    MessageBoxAnswerer answerer({});
    FetchNotice(*window);
    EXPECT_TRUE(answerer.seen.empty());
    ExpectTemplateState();
    EXPECT_TRUE(window->图片框2->PictureBytes().empty());
    EXPECT_FALSE(server.Requests().contains("1.html"));
    QTest::mousePress(window->透明标签14, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QString()});
}

TEST_F(NoticeWindowTest, RequestsIdentifyAsTheOldClient) {
    Fetch(NoticePageBody("1", "no"));
    const QByteArray requests = server.Requests();
    EXPECT_TRUE(requests.contains("GET /online.html HTTP/1.1"));
    EXPECT_TRUE(requests.contains("User-Agent: test"));
    EXPECT_TRUE(requests.contains("GET /1.html"));
    EXPECT_TRUE(requests.contains("GET /logo.png"));
    EXPECT_TRUE(
        requests.contains("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"));
}

TEST_F(NoticeWindowTest, SilentServerLeavesAUsableWindowWithinTenSeconds) {
    PointAt("/hang/1.html", "/hang/logo.png", "/hang/online.html");
    MessageBoxAnswerer answerer({});
    QElapsedTimer clock;
    clock.start();
    OnMainWindowCreated(*window);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(answerer.seen.empty());
    ExpectTemplateState();
    EXPECT_EQ(window->组合框_版本1->count(), 41);
    EXPECT_FALSE(window->Closed());
}

TEST_F(NoticeWindowTest, SilentPageAndLogoAfterAGoodCheckStillEndInTime) {
    PointAt("/hang/1.html", "/hang/logo.png", "/online.html");
    MessageBoxAnswerer answerer({});
    QElapsedTimer clock;
    clock.start();
    OnMainWindowCreated(*window);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(answerer.seen.empty());
    ExpectTemplateState();
    EXPECT_TRUE(window->图片框2->PictureBytes().empty());
}

TEST_F(NoticeWindowTest, EmptyOrSeparatorlessPagesLeaveTheLabels) {
    Fetch("");
    ExpectTemplateState();
    Fetch("just a page without fields");
    ExpectTemplateState();
    Fetch("name=" + kCaptionGbk);
    EXPECT_EQ(window->windowTitle(), kCaption);
    EXPECT_EQ(window->透明标签14->text(), kTemplateLink);
    EXPECT_EQ(window->透明标签16->text(), kTemplateVersion);
}

TEST_F(NoticeWindowTest, FieldsWithoutEqualsStopAtTheFirstMissingValue) {
    Fetch("t=" + kCaptionGbk + "|<br>v=2|<br>no value here|<br>a=" + kAuthorGbk +
          "|<br>l=x|<br>m=" + kTrueGbk);
    EXPECT_EQ(window->windowTitle(), kCaption);
    EXPECT_EQ(window->透明标签14->text(), kTemplateLink);
    EXPECT_EQ(window->透明标签15->text(), QStringLiteral("软件当前版本：V1.0"));
    EXPECT_EQ(window->透明标签16->text(), QStringLiteral("软件最新版本：V2.0"));
    EXPECT_EQ(window->透明标签17->text(), kTemplateAuthor);
    EXPECT_FALSE(window->Closed());
    QTest::mousePress(window->透明标签14, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{QString()});
}

TEST_F(NoticeWindowTest, FivePagesFieldsWithoutTheSixthOfferNothing) {
    EXPECT_TRUE(Fetch("t=" + kCaptionGbk + "|<br>v=3|<br>l=http://127.0.0.1/t|<br>a=" + kAuthorGbk +
                      "|<br>log=x")
                    .empty());
    ExpectFilledLabels("3", "http://127.0.0.1/t");
}

TEST_F(NoticeWindowTest, GbkTrailBytesOfBarOrEqualsDoNotCut) {
    // 亅 is 0x81 0x7C in GBK: its second byte is "|".
    Fetch("t=\x81|<br>x|<br>v=1|<br>l=http://127.0.0.1/t|<br>a=\x81=|<br>g=x|<br>m=no");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("亅<br>x"));
    EXPECT_NE(window->透明标签17->text(), kTemplateAuthor);  // set, with the odd byte replaced
    EXPECT_EQ(window->透明标签16->text(), QStringLiteral("软件最新版本：V1.0"));
}

TEST_F(NoticeWindowTest, HugeBodyIsReadUpToOneMebibyte) {
    // The six fields fit in the first mebibyte; the rest of the 5 MiB body is never read.
    QByteArray body = NoticePageBody("1", "no") + "|<br>";
    body += QByteArray(5 * 1024 * 1024, 'x');
    Fetch(body);
    ExpectFilledLabels("1", "http://127.0.0.1/thread-1.html");

    // A field that starts past the first mebibyte is never seen.
    QByteArray late = "t=" + kCaptionGbk + "|<br>v=1" + QByteArray(2 * 1024 * 1024, ' ') +
                      "|<br>l=http://127.0.0.1/late|<br>a=b|<br>l=x|<br>m=no";
    window = std::make_unique<QtMainWindow>(folder.path());
    Fetch(late);
    EXPECT_EQ(window->windowTitle(), kCaption);
    EXPECT_EQ(window->透明标签14->text(), kTemplateLink);
    EXPECT_TRUE(window->透明标签16->text().startsWith(QStringLiteral("软件最新版本：V1   ")));
}

TEST_F(NoticeWindowTest, BinaryJunkDoesNoHarm) {
    QByteArray junk;
    for (int i = 0; i < 300000; ++i) junk.append(static_cast<char>((i * 2654435761u) >> 13));
    server.Put("logo.png", junk.left(5000));
    Fetch(junk, {Answer::ClickOk, Answer::ClickCancel});
    EXPECT_TRUE(window->图片框2->pixmap().isNull());
}

TEST_F(NoticeWindowTest, UnsafeLinksNeverReachTheDesktop) {
    SetLinkOpener({});  // the real opener, with the desktop's handlers caught
    DesktopCatcher desktop;
    for (const char* link : {"file:///bin/sh", "/usr/bin/xterm", "calc.exe"}) {
        Fetch(NoticePageBody("1", "no", link));
        EXPECT_EQ(window->透明标签14->text(),
                  QString::fromLatin1(link) + QStringLiteral("   （点击可跳转）"));
        QTest::mousePress(window->透明标签14, Qt::LeftButton);
    }
    EXPECT_TRUE(desktop.opened.isEmpty()) << desktop.opened.join(' ').toStdString();
    Fetch(NoticePageBody("1", "no", "https://127.0.0.1/thread-1.html"));
    QTest::mousePress(window->透明标签14, Qt::LeftButton);
    EXPECT_EQ(desktop.opened, QStringList{"https://127.0.0.1/thread-1.html"});
}

// --- the clock line ---

TEST_F(NoticeWindowTest, TickWritesTheLocalTimeAfterTheCaption) {
    const double before = CurrentDateTimeValue();
    OnClockTick(*window);
    const double after = CurrentDateTimeValue();
    const QString line = window->透明标签20->text();
    const auto expected = [](double value) {
        return QStringLiteral("北京时间：") +
               QString::fromStdString(FormatDateTime(value, "yyyy/M/d dddd", "tt hh:mm:ss", true));
    };
    EXPECT_TRUE(line == expected(before) || line == expected(after)) << line.toStdString();
    EXPECT_TRUE(line.startsWith(QStringLiteral("北京时间：") +
                                QString::number(QDate::currentDate().year()) + "/"));
}

TEST_F(NoticeWindowTest, TickTogglesTheLinkBetweenBlueAndRed) {
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    EXPECT_EQ(window->透明标签14->textColor(), blue);
    OnClockTick(*window);
    EXPECT_EQ(window->透明标签14->textColor(), red);
    OnClockTick(*window);
    EXPECT_EQ(window->透明标签14->textColor(), blue);
    OnClockTick(*window);
    EXPECT_EQ(window->透明标签14->textColor(), red);
    for (const ui::Colour other : {ui::kGreen, ui::kBlack, ui::Colour(0xFE0000)}) {
        window->透明标签14->SetTextColour(other);
        OnClockTick(*window);
        EXPECT_EQ(window->透明标签14->textColor(), blue);
    }
}

// Start-up waits for the network inside a local event loop, where the timer goes on; the
// ticks that come meanwhile are dropped, so the clock line is still the bare caption.
TEST_F(NoticeWindowTest, ClockStandsStillWhileStartUpWaitsForTheNetwork) {
    PointAt("/hang/1.html", "/hang/logo.png", "/hang/online.html");
    window->show();
    QElapsedTimer waited;
    waited.start();
    MainWindowCreated(*window);
    ASSERT_GE(waited.elapsed(), 2000);  // the connectivity check's time limit
    EXPECT_EQ(window->透明标签20->text(), QStringLiteral("北京时间："));
    EXPECT_EQ(window->透明标签14->textColor(), QColor(0, 0, 255));
    // Then the clock runs.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return window->透明标签20->text() != QStringLiteral("北京时间："); }, 2000));
}

TEST_F(NoticeWindowTest, TimerDrivesTheClock) {
    window->show();
    EXPECT_EQ(window->透明标签20->text(), QStringLiteral("北京时间："));
    QElapsedTimer waited;
    waited.start();
    while (window->透明标签20->text() == QStringLiteral("北京时间：") && waited.elapsed() < 5000)
        QTest::qWait(50);
    EXPECT_TRUE(window->透明标签20->text().startsWith(QStringLiteral("北京时间：2")));
}

}  // namespace
