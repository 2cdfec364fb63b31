#include <cstdio>
#include <optional>
#include <string>

#include "client/checks.h"
#include "files.h"
#include "scenarios.h"
#include "text.h"
#include "waiting.h"
#include "window_search.h"

namespace ui_client {

namespace {

using qrwin::Check;

constexpr wchar_t kInstallerFile[] = L"installer.exe";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\qrbatch";
// The "Next", "Install", "Finish", "Uninstall" and "Close" button of the outer dialog.
constexpr int kNextButton = 1;
constexpr int kHeaderTitle = 1037;
// Welcome, licence, install mode, folder, progress and finish; the mode page is shown because
// Wine's user counts as an administrator.
constexpr int kInstallerPages = 6;
// Confirmation and progress.
constexpr int kUninstallerPages = 2;

// The visible page inside the installer's outer dialog: each page is a child dialog of its
// own, made anew when the page is entered.
HWND CurrentPage(HWND dialog) {
    for (HWND child = ::FindWindowExW(dialog, nullptr, kDialogClass, nullptr); child != nullptr;
         child = ::FindWindowExW(dialog, child, kDialogClass, nullptr)) {
        if (::IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// The script takes each picture from the Linux side, where the X display is.
bool AskForScreenshot(const Options& options, const std::wstring& name) {
    const std::wstring stem = Join(options.workFolder, name);
    WriteBytes(stem + L".request", "installer page\n");
    return WaitUntil([&] { return IsFile(stem + L".done"); }, 120, 500);
}

// Pictures each page of a running installer or uninstaller as NAME-page-N and goes on with
// its first button, until it ends. Answers the number of pages pictured.
int PictureEachPage(const Options& options, const Program& program, const std::wstring& name) {
    int page = 0;
    HWND previous = nullptr;
    while (program.Running() && page < 10) {
        const HWND dialog = WaitForProcessWindow(program, kDialogClass, std::nullopt, 240);
        if (dialog == nullptr) break;
        HWND current = nullptr;
        WaitUntil(
            [&] {
                current = CurrentPage(dialog);
                return !program.Running() || (current != nullptr && current != previous);
            },
            240, 250);
        if (!program.Running() || current == nullptr || current == previous) break;
        // The progress page enables its button when the work is done.
        const HWND next = ::GetDlgItem(dialog, kNextButton);
        WaitUntil([&] { return !program.Running() || ::IsWindowEnabled(next); }, 600, 500);
        Pause(3000);
        if (!program.Running()) break;
        ++page;
        // The welcome and finish pages hide the header with the page's title.
        const HWND header = ::GetDlgItem(dialog, kHeaderTitle);
        const std::string title =
            ::IsWindowVisible(header) ? " (" + ReadText(header).value_or("") + ")" : "";
        Check(AskForScreenshot(options, name + L"-page-" + std::to_wstring(page)),
              Narrow(name) + " page " + std::to_string(page) + title + " pictured");
        previous = current;
        // Posted, not sent: entering a custom page (the install mode) runs that page's message
        // loop inside the click's handler, so a sent click would return only when it is left.
        ::PostMessageW(next, BM_CLICK, 0, 0);
    }
    return page;
}

std::optional<std::wstring> InstallLocation() {
    wchar_t location[MAX_PATH] = {};
    DWORD size = sizeof location;
    if (::RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr,
                       location, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(location);
}

std::string Ending(const std::optional<DWORD>& code) {
    return code ? "exit code " + std::to_string(*code) : "still running";
}

}  // namespace

void RunInstallerPages(const Options& options) {
    std::printf("== the installer's pages\n");
    {
        Program installer;
        if (!Check(installer.Start(Join(options.programFolder, kInstallerFile),
                                   OfflineAddresses(options.closedBase),
                                   Join(options.workFolder, L"installer-output.txt")),
                   "the installer starts"))
            return;
        const int pages = PictureEachPage(options, installer, L"installer");
        const auto code = installer.WaitForExit(300);
        Check(pages == kInstallerPages && code == 0u,
              "the installer went through its six pages and ended with code 0",
              std::to_string(pages) + " pages, " + Ending(code));
    }
    const auto location = InstallLocation();
    if (!Check(location.has_value(), "the installer recorded its folder for the uninstaller"))
        return;
    const std::wstring program = Join(*location, L"qrbatch.exe");
    Check(IsFile(program), "the installer put qrbatch.exe into its folder", Narrow(*location));

    // "_?=" keeps the uninstaller in its own process instead of a copy in the temporary folder,
    // so that its windows are found by that process; it leaves itself and its folder behind.
    Program uninstaller;
    if (!Check(uninstaller.Start(
                   Join(*location, L"uninstall.exe"), OfflineAddresses(options.closedBase),
                   Join(options.workFolder, L"uninstaller-output.txt"), L"_?=" + *location),
               "the uninstaller starts"))
        return;
    const int pages = PictureEachPage(options, uninstaller, L"uninstaller");
    const auto code = uninstaller.WaitForExit(300);
    Check(pages == kUninstallerPages && code == 0u,
          "the uninstaller went through its two pages and ended with code 0",
          std::to_string(pages) + " pages, " + Ending(code));
    Check(!IsFile(program), "the uninstaller removed qrbatch.exe");
}

}  // namespace ui_client
