// Window test client of qrbatch.exe under Wine.
//   qr-windows-ui-client --program FOLDER --library FILE --output FOLDER --work FOLDER
//                        --server http://127.0.0.1:PORT --closed http://127.0.0.1:PORT
//                        [--scenario installed|installer-pages]
// Starts the program a few times, finds its controls by their names and drives them with
// window messages. Ends with the line "N passed, M failed".
#include <cstdio>

#include "client/checks.h"
#include "file_dialog_checks.h"
#include "options.h"
#include "scenarios.h"
#include "waiting.h"

int wmain(int argc, wchar_t** argv) {
    std::string error;
    const auto options = ui_client::ParseOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "%s\n%s", error.c_str(), ui_client::kUsage);
        return 2;
    }
    const ui_client::Stopwatch watch;
    if (!options->scenario.empty()) {
        if (options->scenario == L"installed") ui_client::RunInstalledScenario(*options);
        if (options->scenario == L"installer-pages") ui_client::RunInstallerPages(*options);
        std::printf("%d passed, %d failed\n", qrwin::PassedCount(), qrwin::FailedCount());
        return qrwin::FailedCount() == 0 ? 0 : 1;
    }
    ui_client::CheckFileDialogRequests();
    ui_client::RunFirstStartScenario(*options);
    ui_client::RunNoticeScenario(*options);
    ui_client::RunSilentServerScenario(*options);
    ui_client::RunBrokenLibraryScenario(*options);
    std::printf("time all scenarios: %.1f s\n", watch.Seconds());
    std::printf("%d passed, %d failed\n", qrwin::PassedCount(), qrwin::FailedCount());
    return qrwin::FailedCount() == 0 ? 0 : 1;
}
