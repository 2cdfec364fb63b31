// The window's default batch (1001 lines, 200 x 200) through RunBatch under the offscreen
// platform, beside the library-only loop with the same settings in the same run. The window
// adds reading every file back, the preview, the counters and the throttled repaints.
// Usage: qr_window_batch_bench (QT_QPA_PLATFORM=offscreen is set when no platform is given)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "batch/batch_handlers.h"
#include "shell/library_calls.h"
#include "shell/startup.h"
#include "text/split_lines.h"
#include "toolkit/qt/qt_main_window.h"

namespace {

constexpr int kRounds = 3;

double LibraryOnlySeconds(const std::vector<std::string>& lines, const std::string& folder) {
    Library::QRSetBackColor(255, 255, 255);
    Library::QRSetBarColor(0, 0, 0);
    Library::QRConfigure(0, 0, 5);
    Library::QRAppearance(0.2, 1, 0);
    QElapsedTimer clock;
    clock.start();
    for (const std::string& line : lines) {
        Library::QRSetSize(200, 200);
        Library::QRSetMessage(line.c_str());
        Library::QRSaveAsBMP((folder + "/" + line + ".jpg").c_str());
    }
    return clock.nsecsElapsed() / 1e9;
}

double WindowSeconds(QtMainWindow& window) {
    QElapsedTimer clock;
    clock.start();
    RunBatch(window);
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    QDir().mkpath(root.path() + "/program");
    QDir().mkpath(root.path() + "/library");
    QDir().mkpath(root.path() + "/window");

    QtMainWindow window(root.path() + "/program");
    OnMainWindowCreated(window);
    window.编辑框2->SetContent((root.path() + "/window").toStdString());
    window.show();
    const auto lines = SplitLines(window.编辑框1->Content(), "\r\n");

    double library = 1e9;
    double shown = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        library =
            std::min(library, LibraryOnlySeconds(lines, (root.path() + "/library").toStdString()));
        shown = std::min(shown, WindowSeconds(window));
        QApplication::processEvents();
    }
    std::printf("%zu lines, best of %d rounds\n", lines.size(), kRounds);
    std::printf("library only: %.3f s (%.0f files/s)\n", library, lines.size() / library);
    std::printf("window batch: %.3f s (%.0f files/s)\n", shown, lines.size() / shown);
    std::printf("window / library: %.2f (goal: at most 3)\n", shown / library);
    return 0;
}
