#pragma once

#include <QUrl>

// Where the notice step looks. Compiled-in defaults; each can be replaced through the
// environment so that users behind other servers, and tests, can point them elsewhere.
struct NoticeAddresses {
    QUrl noticePage;   // QRBATCH_NOTICE_URL
    QUrl logo;         // QRBATCH_LOGO_URL
    QUrl onlineCheck;  // QRBATCH_ONLINE_URL
};

inline constexpr char kDefaultNoticeUrl[] = "http://www.korvalind.com/1.html";
inline constexpr char kDefaultLogoUrl[] = "https://bbs.korvalind.com/static/image/common/logo.png";
inline constexpr char kDefaultOnlineUrl[] = "http://www.baidu.com/";

// Reads the environment each time, so a test can change it between runs.
NoticeAddresses NoticeAddressesFromEnvironment();
