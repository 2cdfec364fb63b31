#include "shell/controls/components.h"

#include <QFileDialog>
#include <QStringList>

Timer::Timer(QWidget* parent) : QWidget(parent) {
    hide();
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (milliseconds <= 0)
        timer_.stop();
    else
        timer_.start(milliseconds);
}

SaveFileDialog::SaveFileDialog(QWidget* parent) : QWidget(parent) {
    hide();
}

bool SaveFileDialog::Show(QWidget* owner) {
    // The toolkit's dialog decides how "file must exist" combines with saving and has no
    // read-only check box; the other settings map one to one.
    QFileDialog dialog(owner, title, initialFolder);
    dialog.setAcceptMode(saveType ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saveType || !fileMustExist ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    const QStringList filters = nameFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    QString suffix = defaultSuffix;
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}
