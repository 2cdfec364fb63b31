#include "notice/fetch_notice.h"

#include <QDeadlineTimer>
#include <QMessageBox>
#include <algorithm>
#include <chrono>

#include "notice/http_fetch.h"
#include "notice/link_opener.h"
#include "notice/notice_addresses.h"
#include "notice/notice_page.h"
#include "notice/update_offer.h"
#include "shell/main_window.h"

namespace {

using namespace std::chrono_literals;

// Start-up waits for the network, so every request and the step as a whole are bounded.
constexpr auto kRequestLimit = 3000ms;
constexpr auto kStepLimit = 8000ms;

// The link lives with the window it was shown in; empty until a page has named one.
constexpr char kLinkProperty[] = "noticeLink";

std::chrono::milliseconds NextLimit(const QDeadlineTimer& step) {
    return std::min<std::chrono::milliseconds>(
        kRequestLimit,
        std::chrono::duration_cast<std::chrono::milliseconds>(step.remainingTimeAsDuration()));
}

// Owned by no window and modal to the whole application, as the update offer always was.
QMessageBox::StandardButton Ask(const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, buttons);
    box.setTextFormat(Qt::PlainText);  // a change log may hold markup; it is shown as written
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void OfferUpdate(MainWindow& window, const NoticePage& page) {
    Ask(QString::fromUtf16(kUpdateInfoCaption), UpdateInfoText(page), QMessageBox::Ok);
    const auto answer =
        Ask(QString::fromUtf16(kUpdateQuestionCaption), QString::fromUtf16(kUpdateQuestionText),
            QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok) {
        OpenLink(FromGbk(page.link));
    } else if (page.mandatoryUpdate) {
        // Start-up still finishes; the program ends because its only window is gone.
        window.close();
    }
}

// Uses the values in page order and stops at the first one the page does not hold, leaving
// the controls that depend on it, and everything after, as they were.
void ShowNotice(MainWindow& window, const NoticePage& page) {
    if (!page.HasValue(1)) return;
    window.setWindowTitle(FromGbk(page.windowCaption));
    if (!page.HasValue(2)) return;
    if (page.HasValue(3)) window.setProperty(kLinkProperty, FromGbk(page.link));
    if (page.HasValue(kNoticeFieldCount) && IsNewerThanCurrent(page.latestVersion))
        OfferUpdate(window, page);
    if (page.HasValue(3)) window.透明标签14->setText(LinkCaption(page));
    window.透明标签15->setText(CurrentVersionCaption());
    window.透明标签16->setText(LatestVersionCaption(page));
    if (page.HasValue(4)) window.透明标签17->setText(AuthorCaption(page));
}

}  // namespace

void FetchNotice(MainWindow& window) {
    const NoticeAddresses addresses = NoticeAddressesFromEnvironment();
    const QDeadlineTimer step(kStepLimit);
    if (!AnswersRequest(addresses.onlineCheck, NextLimit(step))) return;

    const QByteArray body = FetchBytes(addresses.noticePage, {NextLimit(step), kMaxResponseBytes});
    const QByteArray logo = FetchBytes(addresses.logo, {NextLimit(step), kMaxResponseBytes});
    window.图片框2->SetPictureBytes(logo);
    ShowNotice(window, ReadNoticePage(body));
}

void OnLinkClicked(MainWindow& window) {
    OpenLink(window.property(kLinkProperty).toString());
}
