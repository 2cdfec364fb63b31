#include "notice/fetch_notice.h"

#include <algorithm>
#include <chrono>

#include "notice/link_opener.h"
#include "notice/notice_addresses.h"
#include "notice/notice_page.h"
#include "notice/notice_requests.h"
#include "notice/update_offer.h"
#include "shell/main_window.h"
#include "toolkit/services.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Start-up waits for the network, so every request and the step as a whole are bounded.
constexpr auto kRequestLimit = 3000ms;
constexpr auto kStepLimit = 8000ms;

std::chrono::milliseconds NextLimit(Clock::time_point stepEnd) {
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(stepEnd - Clock::now());
    return std::clamp<std::chrono::milliseconds>(remaining, 0ms, kRequestLimit);
}

std::string Fetch(const std::string& url, Clock::time_point stepEnd) {
    const ui::Bytes bytes =
        services::HttpGet(url, kNoticeAgent, {NextLimit(stepEnd), kMaxResponseBytes});
    return std::string(bytes.begin(), bytes.end());
}

void OfferUpdate(MainWindow& window, const NoticePage& page) {
    services::ShowMessage(kUpdateInfoCaption, UpdateInfoText(page), services::MessageButtons::Ok);
    const auto answer = services::ShowMessage(kUpdateQuestionCaption, kUpdateQuestionText,
                                              services::MessageButtons::OkCancel);
    if (answer == services::MessageAnswer::Ok) {
        OpenLink(services::FromGbk(page.link));
    } else if (page.mandatoryUpdate) {
        // Start-up still finishes; the program ends because its only window is gone.
        window.frame->Close();
    }
}

// Uses the values in page order and stops at the first one the page does not hold, leaving
// the controls that depend on it, and everything after, as they were.
void ShowNotice(MainWindow& window, const NoticePage& page) {
    if (!page.HasValue(1)) return;
    window.frame->SetTitle(services::FromGbk(page.windowCaption));
    if (!page.HasValue(2)) return;
    if (page.HasValue(3)) window.noticeLink = services::FromGbk(page.link);
    if (page.HasValue(kNoticeFieldCount) && IsNewerThanCurrent(page.latestVersion))
        OfferUpdate(window, page);
    if (page.HasValue(3)) window.透明标签14->SetCaption(LinkCaption(page));
    window.透明标签15->SetCaption(CurrentVersionCaption());
    window.透明标签16->SetCaption(LatestVersionCaption(page));
    if (page.HasValue(4)) window.透明标签17->SetCaption(AuthorCaption(page));
}

}  // namespace

void FetchNotice(MainWindow& window) {
    const NoticeAddresses addresses = NoticeAddressesFromEnvironment();
    const Clock::time_point stepEnd = Clock::now() + kStepLimit;
    if (!services::HttpAnswers(addresses.onlineCheck, kOnlineCheckAgent, NextLimit(stepEnd)))
        return;

    const std::string body = Fetch(addresses.noticePage, stepEnd);
    const std::string logo = Fetch(addresses.logo, stepEnd);
    window.图片框2->SetPictureBytes(ui::Bytes(logo.begin(), logo.end()));
    ShowNotice(window, ReadNoticePage(body));
}

void OnLinkClicked(MainWindow& window) {
    OpenLink(window.noticeLink);
}
