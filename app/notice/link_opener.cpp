#include "notice/link_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

LinkOpener& CurrentOpener() {
    static LinkOpener opener = OpenInBrowser;
    return opener;
}

}  // namespace

void SetLinkOpener(LinkOpener opener) {
    CurrentOpener() = opener ? std::move(opener) : LinkOpener(OpenInBrowser);
}

void OpenLink(const QString& address) {
    CurrentOpener()(address);
}

bool IsWebAddress(const QString& address) {
    if (!address.startsWith(u"http://", Qt::CaseInsensitive) &&
        !address.startsWith(u"https://", Qt::CaseInsensitive))
        return false;
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty();
}

void OpenInBrowser(const QString& address) {
    if (IsWebAddress(address)) QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}
