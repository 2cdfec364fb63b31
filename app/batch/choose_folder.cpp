#include "batch/batch_handlers.h"
#include "shell/main_window.h"
#include "toolkit/services.h"

void ChooseFolder(MainWindow& window) {
    // Also an empty result (cancelled) goes into the box, and from there into the settings.
    window.编辑框2->SetContent(services::ChooseFolder("选择保存位置"));
}
