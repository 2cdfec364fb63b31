#include "scenario_steps.h"

#include <cstdio>

#include "client/checks.h"
#include "files.h"
#include "text.h"
#include "waiting.h"
#include "window_search.h"

namespace ui_client {

using qrwin::Check;

std::optional<WindowDriver> StartProgram(Program& program, const Options& options,
                                         const std::wstring& folder,
                                         const NoticeAddresses& addresses, double limitSeconds,
                                         StartTimes& times) {
    const std::wstring executable = Join(folder, kProgramFile);
    const std::wstring output = Join(options.workFolder, L"qrbatch-output.txt");
    const bool started = program.Start(executable, addresses, output);
    if (!Check(started, "the program starts",
               Narrow(executable) + " error " + std::to_string(::GetLastError())))
        return std::nullopt;
    HWND main = WaitForProcessWindow(program, kMainWindowClass, std::nullopt, limitSeconds);
    times.window = program.SecondsSinceStart();
    if (!Check(main != nullptr, "its main window appears",
               program.Running() ? "none after " + std::to_string(limitSeconds) + " s"
                                 : "the program ended"))
        return std::nullopt;
    return WindowDriver(main);
}

bool WaitUntilReady(const Program& program, const WindowDriver& window, double limitSeconds,
                    StartTimes& times) {
    const bool ready = WaitUntil(
        [&] {
            return !program.Running() ||
                   (window.ItemCount("组合框_版本1") == kVersionItems && window.Answers());
        },
        limitSeconds, 100);
    times.ready = program.SecondsSinceStart();
    return ready && program.Running();
}

std::string TitleOf(const WindowDriver& window) {
    wchar_t title[512] = {};
    ::GetWindowTextW(window.Main(), title, 512);
    return Narrow(title);
}

void CloseAndCheckEnd(Program& program, const WindowDriver& window, const std::string& what) {
    ::PostMessageW(window.Main(), WM_CLOSE, 0, 0);
    const auto code = program.WaitForExit(120);
    Check(code == 0u, what,
          code ? "exit code " + std::to_string(*code) : "still running after 120 s");
}

void PrintTime(const std::string& what, double seconds) {
    std::printf("time %s: %.1f s\n", what.c_str(), seconds);
    std::fflush(stdout);
}

}  // namespace ui_client
