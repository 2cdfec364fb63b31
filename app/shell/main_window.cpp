#include "shell/main_window.h"

#include "batch/batch_handlers.h"
#include "notice/clock.h"
#include "notice/fetch_notice.h"
#include "shell/startup.h"

namespace {

void BindEvents(MainWindow& window) {
    window.时钟1->tick = [&window] { OnClockTick(window); };
    window.透明标签14->leftButtonPressed = [&window] { OnLinkClicked(window); };
    window.编辑框4->contentChanged = [&window] { OnImageWidthChanged(window); };
    window.按钮3->clicked = [&window] { GenerateSingle(window); };
    window.按钮4->clicked = [&window] { SaveSingle(window); };
    window.按钮2->clicked = [&window] { RunBatch(window); };
    window.按钮1->clicked = [&window] { ChooseFolder(window); };
    window.编辑框2->contentChanged = [&window] { OnFolderChanged(window); };
    window.编辑框1->contentChanged = [&window] { CountInputLines(window); };
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

void OnImageWidthChanged(MainWindow& window) {
    window.编辑框5->SetContent(window.编辑框4->Content());
}
