#include <QApplication>
#include <QFileDialog>

#include "batch/batch_handlers.h"
#include "shell/main_window.h"

void ChooseFolder(MainWindow& window) {
    QWidget* owner = QApplication::activeWindow();
    if (owner == nullptr) owner = &window;
    // Modal to the application: every other window of the program is disabled meanwhile.
    const QString folder = QFileDialog::getExistingDirectory(owner, QStringLiteral("选择保存位置"),
                                                             QString(), QFileDialog::ShowDirsOnly);
    // Also an empty result (cancelled) goes into the box, and from there into the settings.
    window.编辑框2->SetContent(folder);
}
