#include <cstdio>

#include "client/checks.h"
#include "first_start_checks.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "window_layout_checks.h"

namespace ui_client {

using qrwin::Check;

void RunFirstStartScenario(const Options& options) {
    std::printf("== first start on a clean prefix\n");
    CheckCleanBeforeStart(options);

    Program program;
    StartTimes times;
    const auto window = StartProgram(program, options, options.programFolder,
                                     OfflineAddresses(options.closedBase), kFirstStartLimit, times);
    if (!window) return;
    const bool ready = WaitUntilReady(program, *window, kReadyLimit, times);
    PrintTime("first start, main window", times.window);
    PrintTime("first start, start-up done", times.ready);
    if (!Check(ready, "start-up ends with 41 versions in the list")) return;

    RunLayoutChecks(*window);
    CheckStartupState(*window, options);
    CheckFolderStored(*window, options);
    CheckDefaultBatch(program, *window, options);
    CheckSingleAndMirror(*window, options);
    CheckClockLine(*window);
    CheckEscapeInOpenLists(program, *window);

    // Esc in the big input box closes the window, and the program ends.
    window->PressKey("编辑框1", VK_ESCAPE);
    const auto code = program.WaitForExit(120);
    Check(code == 0u, "Esc in 编辑框1 ends the program with code 0",
          code ? "exit code " + std::to_string(*code) : "still running after 120 s");
}

}  // namespace ui_client
