#include "shell/fatal_error.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

bool HasInteractiveDisplay() {
    if (QGuiApplication::instance() == nullptr) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

void FailLibraryLoad(const std::string& exportName, const std::string& detail) {
    const QString message =
        QStringLiteral(
            "无法从 \"QRCodeWin32.dll\" 载入函数 \"%1\"，程序即将结束。\n"
            "Cannot load the function \"%1\" from \"QRCodeWin32.dll\".\n%2")
            .arg(QString::fromStdString(exportName), QString::fromLocal8Bit(detail.c_str()));
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (HasInteractiveDisplay())
        QMessageBox::critical(nullptr, QStringLiteral("QRCodeWin32.dll"), message);
    // The program ends here, in the middle of a handler: nothing is left to save.
    std::_Exit(EXIT_FAILURE);
}
