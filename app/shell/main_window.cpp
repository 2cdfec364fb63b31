#include "shell/main_window.h"

#include "batch/batch_handlers.h"
#include "notice/clock.h"
#include "notice/fetch_notice.h"
#include "shell/startup.h"

namespace {

using Behaviour = void (*)(MainWindow&);

// An event that starts a handler of its own: a click, a press, a tick.
std::function<void()> Starts(MainWindow& window, Behaviour behaviour) {
    return [&window, behaviour] { window.events.Start([&] { behaviour(window); }); };
}

// A change of content, which belongs to whatever made it.
std::function<void()> Follows(MainWindow& window, Behaviour behaviour) {
    return [&window, behaviour] { window.events.Follow([&] { behaviour(window); }); };
}

void BindEvents(MainWindow& window) {
    window.时钟1->tick = Starts(window, OnClockTick);
    window.透明标签14->leftButtonPressed = Starts(window, OnLinkClicked);
    window.编辑框4->contentChanged = Follows(window, OnImageWidthChanged);
    window.按钮3->clicked = Starts(window, GenerateSingle);
    window.按钮4->clicked = Starts(window, SaveSingle);
    window.按钮2->clicked = Starts(window, RunBatch);
    window.按钮1->clicked = Starts(window, ChooseFolder);
    window.编辑框2->contentChanged = Follows(window, OnFolderChanged);
    window.编辑框1->contentChanged = Follows(window, CountInputLines);
}

}  // namespace

void BuildMainWindow(MainWindow& window, ControlFactory& factory) {
    const auto controls = MainWindowControls();
    std::size_t next = 0;
#define QR_CREATE_CONTROL(name, kind, ...) window.name = factory.Create##kind(controls[next++]);
    QR_MAIN_WINDOW_CONTROLS(QR_CREATE_CONTROL)
#undef QR_CREATE_CONTROL
    BindEvents(window);
}

void MainWindowCreated(MainWindow& window) {
    window.events.Start([&window] { OnMainWindowCreated(window); });
}

void OnImageWidthChanged(MainWindow& window) {
    window.编辑框5->SetContent(window.编辑框4->Content());
}
