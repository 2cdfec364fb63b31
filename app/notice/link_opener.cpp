#include "notice/link_opener.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "toolkit/services.h"

namespace {

LinkOpener& CurrentOpener() {
    static LinkOpener opener = OpenInBrowser;
    return opener;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == lower;
           });
}

bool IsHostCharacter(unsigned char c) {
    return std::isalnum(c) || c >= 0x80 ||
           std::string_view("-._~:[]@%!$&'()*+,;=").find(char(c)) != std::string_view::npos;
}

}  // namespace

void SetLinkOpener(LinkOpener opener) {
    CurrentOpener() = opener ? std::move(opener) : LinkOpener(OpenInBrowser);
}

void OpenLink(const std::string& address) {
    CurrentOpener()(address);
}

bool IsWebAddress(const std::string& address) {
    std::string_view rest = address;
    if (StartsWithNoCase(rest, "http://"))
        rest.remove_prefix(7);
    else if (StartsWithNoCase(rest, "https://"))
        rest.remove_prefix(8);
    else
        return false;
    // No blanks or control characters anywhere: the shell would read them as arguments.
    if (std::any_of(address.begin(), address.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }))
        return false;
    const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return IsHostCharacter(static_cast<unsigned char>(c));
    });
}

void OpenInBrowser(const std::string& address) {
    if (IsWebAddress(address)) services::OpenInBrowser(address);
}
