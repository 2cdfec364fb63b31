#include <cstdio>

#include "client/checks.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "text.h"

namespace ui_client {

namespace {

using qrwin::Check;

// Each request is limited to 3 s and the notice step to 8 s; the emulator adds its own slowness.
constexpr double kLeastWait = 5;
constexpr double kStepLimit = 8;
constexpr double kEmulatorSlack = 30;

}  // namespace

void RunSilentServerScenario(const Options& options) {
    std::printf("== notice server that never answers\n");
    const std::string server = options.serverBase;
    Program program;
    StartTimes times;
    // The online test answers; the page and the logo are accepted and never answered.
    const auto window = StartProgram(
        program, options, options.programFolder,
        {server + "/1.html", server + "/hang-page", server + "/hang-logo"}, kStartLimit, times);
    if (!window) return;
    const bool ready = WaitUntilReady(program, *window, kReadyLimit, times);
    const double startup = times.ready - times.window;
    PrintTime("start with a silent notice server, main window", times.window);
    PrintTime("start with a silent notice server, window to start-up done", startup);
    if (!Check(ready, "start-up ends although the server never answers")) return;
    Check(startup >= kLeastWait && startup <= kStepLimit + kEmulatorSlack,
          "start-up waits for the page and the logo, and no longer than the step's limit",
          std::to_string(startup) + " s");
    Check(TitleOf(*window).empty(), "no page: the window title stays empty");
    Check(window->Text("透明标签14") == "未获取到数据",
          "no page: 透明标签14 still reads 未获取到数据",
          Shown(window->Text("透明标签14").value_or("(no answer)")));
    CloseAndCheckEnd(program, *window, "WM_CLOSE ends the program with code 0");
}

}  // namespace ui_client
