#include <cstdio>

#include "client/checks.h"
#include "files.h"
#include "first_start_checks.h"
#include "scenario_steps.h"
#include "scenarios.h"

namespace ui_client {

using qrwin::Check;

void RunInstalledScenario(const Options& options) {
    std::printf("== the installed program\n");
    const std::wstring library = Join(options.programFolder, kLibraryFile);
    const auto installed = ReadBytes(library);
    Check(installed && installed == ReadBytes(options.libraryCopy),
          "the installer put the built library beside the program");

    Program program;
    StartTimes times;
    const auto window = StartProgram(program, options, options.programFolder,
                                     OfflineAddresses(options.closedBase), kStartLimit, times);
    if (!window) return;
    if (!Check(WaitUntilReady(program, *window, kReadyLimit, times),
               "start-up ends with 41 versions in the list"))
        return;
    CheckFolderStored(*window, options);
    CheckDefaultBatch(program, *window, options);
    // Under Program Files the folder is not the user's to write: the program must not need to.
    Check(ReadBytes(library) == installed, "the program leaves the installed library as it was");
    CloseAndCheckEnd(program, *window, "WM_CLOSE ends the installed program with code 0");
}

}  // namespace ui_client
