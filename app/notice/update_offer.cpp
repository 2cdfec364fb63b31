#include "notice/update_offer.h"

#include "text/to_integer.h"
#include "toolkit/services.h"

bool IsNewerThanCurrent(const std::string& latestVersion) {
    // The page is GBK, so its full-width digits are GBK's.
    return kCurrentVersion < ToInteger(latestVersion, CodePage::Gbk);
}

std::string UpdateInfoText(const NoticePage& page) {
    return "检测到当前软件有更新，请前往【澜格论坛】进行下载更新\r\n\r\n当前版本：" +
           std::to_string(kCurrentVersion) + ".0\r\n最新版本：" +
           services::FromGbk(page.latestVersion) + ".0\r\n\r\n新版更新日志：\r\n" +
           services::FromGbk(page.updateLog);
}

std::string CurrentVersionCaption() {
    return "软件当前版本：V" + std::to_string(kCurrentVersion) + ".0";
}

std::string LatestVersionCaption(const NoticePage& page) {
    return "软件最新版本：V" + services::FromGbk(page.latestVersion) + ".0";
}

std::string AuthorCaption(const NoticePage& page) {
    return "软件作者：" + services::FromGbk(page.author);
}

std::string LinkCaption(const NoticePage& page) {
    return services::FromGbk(page.link) + "   （点击可跳转）";
}
