#include <cstdio>
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
constexpr int kNextButton = 1;  // the installer's "Next", "Install" and "Finish" button
constexpr int kLastPage = 8;

// The script takes each picture from the Linux side, where the X display is.
bool AskForScreenshot(const Options& options, int page) {
    const std::wstring stem = Join(options.workFolder, L"page-" + std::to_wstring(page));
    WriteBytes(stem + L".request", "installer page\n");
    return WaitUntil([&] { return IsFile(stem + L".done"); }, 120, 500);
}

}  // namespace

void RunInstallerPages(const Options& options) {
    std::printf("== the installer's pages\n");
    Program program;
    const std::wstring installer = Join(options.programFolder, kInstallerFile);
    if (!Check(program.Start(installer, OfflineAddresses(options.closedBase),
                             Join(options.workFolder, L"installer-output.txt")),
               "the installer starts"))
        return;
    int page = 0;
    while (program.Running() && page < kLastPage) {
        const HWND dialog = WaitForProcessWindow(program, kDialogClass, std::nullopt, 240);
        if (dialog == nullptr) break;
        const HWND next = ::GetDlgItem(dialog, kNextButton);
        // The files page enables its button when the copying is done.
        WaitUntil([&] { return !program.Running() || ::IsWindowEnabled(next); }, 600, 500);
        Pause(3000);
        if (!program.Running()) break;
        ++page;
        Check(AskForScreenshot(options, page), "page " + std::to_string(page) + " pictured");
        ::SendMessageW(next, BM_CLICK, 0, 0);
        Pause(2000);
    }
    const auto code = program.WaitForExit(300);
    Check(page >= 5 && code == 0u, "the installer went through its pages and ended with code 0",
          std::to_string(page) + " pages, " +
              (code ? "exit code " + std::to_string(*code) : "still running"));
}

}  // namespace ui_client
