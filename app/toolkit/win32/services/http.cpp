// HTTP through WinINet, bounded in time and size, for http and https addresses only.
#include <windows.h>

#include <wininet.h>

#include <string>

#include "toolkit/services.h"
#include "toolkit/win32/services/http_transfer.h"

namespace services {

namespace {

struct Address {
    bool web = false;    // http or https with a host
    bool local = false;  // a server on this machine
};

Address Inspect(const std::string& url) {
    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    if (url.empty() || !InternetCrackUrlA(url.c_str(), 0, 0, &parts)) return {};
    const std::string name(host, parts.dwHostNameLength);
    Address address;
    address.web =
        (parts.nScheme == INTERNET_SCHEME_HTTP || parts.nScheme == INTERNET_SCHEME_HTTPS) &&
        !name.empty();
    address.local = lstrcmpiA(name.c_str(), "localhost") == 0 || name.rfind("127.", 0) == 0 ||
                    name == "[::1]" || name == "::1";
    return address;
}

}  // namespace

ui::Bytes HttpGet(const std::string& url, const char* agent, const FetchLimits& limits) {
    if (!Inspect(url).web || limits.maxBytes == 0) return {};
    win32::TransferRequest request;
    request.kind = win32::TransferRequest::Kind::Get;
    request.url = url;
    request.agent = agent;
    request.maxBytes = limits.maxBytes;
    return win32::RunTransfer(request, limits.timeLimit).bytes;
}

bool HttpAnswers(const std::string& url, const char* agent, std::chrono::milliseconds timeLimit) {
    const Address address = Inspect(url);
    if (!address.web) return false;
    // The system's word on the connection decides for servers elsewhere; a server on this
    // machine needs no connection to answer.
    DWORD state = 0;
    if (!address.local && !InternetGetConnectedState(&state, 0)) return false;
    win32::TransferRequest request;
    request.kind = win32::TransferRequest::Kind::Answer;
    request.url = url;
    request.agent = agent;
    return win32::RunTransfer(request, timeLimit).answered;
}

}  // namespace services
