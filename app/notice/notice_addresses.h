#pragma once

#include <string>

// Where the notice step looks. Compiled-in defaults; each can be replaced through the
// environment so that users behind other servers, and tests, can point them elsewhere.
struct NoticeAddresses {
    std::string noticePage;   // QRBATCH_NOTICE_URL
    std::string logo;         // QRBATCH_LOGO_URL
    std::string onlineCheck;  // QRBATCH_ONLINE_URL
};

inline constexpr char kDefaultNoticeUrl[] = "http://www.korvalind.com/1.html";
inline constexpr char kDefaultLogoUrl[] = "https://bbs.korvalind.com/static/image/common/logo.png";
inline constexpr char kDefaultOnlineUrl[] = "http://www.baidu.com/";

// Reads the environment each time, so a test can change it between runs.
NoticeAddresses NoticeAddressesFromEnvironment();
