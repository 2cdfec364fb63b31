#include "notice/notice_addresses.h"

#include <cstdlib>

namespace {

// An unset or empty variable keeps the default.
std::string AddressFromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0' ? value : fallback;
}

}  // namespace

NoticeAddresses NoticeAddressesFromEnvironment() {
    return {AddressFromEnvironment("QRBATCH_NOTICE_URL", kDefaultNoticeUrl),
            AddressFromEnvironment("QRBATCH_LOGO_URL", kDefaultLogoUrl),
            AddressFromEnvironment("QRBATCH_ONLINE_URL", kDefaultOnlineUrl)};
}
