#include "toolkit/qt/controls/components.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

Timer::Timer(QWidget* parent) : QWidget(parent) {
    hide();
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (tick) tick();
    });
}

void Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    if (milliseconds <= 0)
        timer_.stop();
    else
        timer_.start(milliseconds);
}

SaveFileDialog::SaveFileDialog(QWidget* parent) : QWidget(parent) {
    hide();
}

bool SaveFileDialog::Show() {
    // The toolkit's dialog decides how "file must exist" combines with saving and has no
    // read-only check box; the other settings map one to one.
    QFileDialog dialog(window(), QString::fromStdString(title),
                       QString::fromStdString(initialFolder));
    dialog.setAcceptMode(saveType ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saveType || !fileMustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    const QStringList filters =
        QString::fromStdString(nameFilter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    QString suffix = QString::fromStdString(defaultSuffix);
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!fileName.empty()) {
        // A name with a folder would open the dialog there, whatever the initial folder.
        const QFileInfo name(QString::fromStdString(fileName));
        dialog.selectFile(initialFolder.empty() ? name.filePath() : name.fileName());
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst().toStdString();
    return true;
}
