#include "desktop_catcher.h"

#include <QDesktopServices>

namespace {

const char* const kSchemes[] = {"http", "https", "file", "ftp", "mailto"};

}  // namespace

DesktopCatcher::DesktopCatcher() {
    for (const char* scheme : kSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Catch");
}

DesktopCatcher::~DesktopCatcher() {
    for (const char* scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void DesktopCatcher::Catch(const QUrl& url) {
    opened << url.toString();
}
