// The system's folder browser, message boxes and the shell's "open" verb.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "toolkit/services.h"
#include "toolkit/win32/text/wide_text.h"

namespace services {

namespace {

// Folders only, with an edit field in the browser.
constexpr UINT kFolderBrowserFlags = 0x10;

}  // namespace

std::string ChooseFolder(const std::string& title) {
    const std::string ansiTitle = ToSystem8Bit(title);
    char chosen[MAX_PATH + 1] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = GetActiveWindow();
    browse.pszDisplayName = chosen;
    browse.lpszTitle = ansiTitle.c_str();
    browse.ulFlags = kFolderBrowserFlags;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
    if (item == nullptr) return {};
    char path[MAX_PATH + 1] = {};
    const bool hasPath = SHGetPathFromIDListA(item, path) != FALSE;
    CoTaskMemFree(item);
    return hasPath ? FromSystem8Bit(path) : std::string();
}

MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                          MessageButtons buttons) {
    const UINT style = (buttons == MessageButtons::Ok ? MB_OK : MB_OKCANCEL) | MB_TASKMODAL;
    // The close box and Esc answer IDCANCEL, which counts as Cancel.
    const int answer =
        MessageBoxW(nullptr, win32::Widen(text).c_str(), win32::Widen(caption).c_str(), style);
    return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void OpenInBrowser(const std::string& address) {
    ShellExecuteW(nullptr, L"open", win32::Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace services
