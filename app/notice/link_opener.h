#pragma once

#include <functional>
#include <string>

// What a click on the notice link, or an accepted update, hands the address to. The address
// arrives exactly as the page gave it (UTF-8), possibly empty. Tests put their own opener here.
using LinkOpener = std::function<void(const std::string& address)>;

void SetLinkOpener(LinkOpener opener);  // an empty opener restores the browser
void OpenLink(const std::string& address);

// Only http and https addresses with a host: a notice page must never make us run a local
// program or open a local file.
bool IsWebAddress(const std::string& address);

// The usual opener: the desktop's web browser, for web addresses only; anything else is dropped.
void OpenInBrowser(const std::string& address);
