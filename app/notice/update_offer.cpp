#include "notice/update_offer.h"

#include "text/to_integer.h"

bool IsNewerThanCurrent(const QByteArray& latestVersion) {
    // The page is GBK, so its full-width digits are GBK's.
    return kCurrentVersion <
           ToInteger(std::string_view(latestVersion.constData(), latestVersion.size()),
                     CodePage::Gbk);
}

QString UpdateInfoText(const NoticePage& page) {
    return u"检测到当前软件有更新，请前往【澜格论坛】进行下载更新\r\n\r\n当前版本："_qs +
           QString::number(kCurrentVersion) + u".0\r\n最新版本："_qs + FromGbk(page.latestVersion) +
           u".0\r\n\r\n新版更新日志：\r\n"_qs + FromGbk(page.updateLog);
}

QString CurrentVersionCaption() {
    return u"软件当前版本：V"_qs + QString::number(kCurrentVersion) + u".0"_qs;
}

QString LatestVersionCaption(const NoticePage& page) {
    return u"软件最新版本：V"_qs + FromGbk(page.latestVersion) + u".0"_qs;
}

QString AuthorCaption(const NoticePage& page) {
    return u"软件作者："_qs + FromGbk(page.author);
}

QString LinkCaption(const NoticePage& page) {
    return FromGbk(page.link) + u"   （点击可跳转）"_qs;
}
