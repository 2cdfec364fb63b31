#include "notice/notice_addresses.h"

#include <QByteArray>

namespace {

// An unset or empty variable keeps the default.
QUrl AddressFromEnvironment(const char* variable, const char* fallback) {
    const QByteArray value = qgetenv(variable);
    return QUrl(QString::fromUtf8(value.isEmpty() ? QByteArray(fallback) : value));
}

}  // namespace

NoticeAddresses NoticeAddressesFromEnvironment() {
    return {AddressFromEnvironment("QRBATCH_NOTICE_URL", kDefaultNoticeUrl),
            AddressFromEnvironment("QRBATCH_LOGO_URL", kDefaultLogoUrl),
            AddressFromEnvironment("QRBATCH_ONLINE_URL", kDefaultOnlineUrl)};
}
