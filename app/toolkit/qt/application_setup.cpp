#include "toolkit/qt/application_setup.h"

#include <csignal>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void PrepareApplication(QApplication& application) {
    // Past a file-size limit a write fails with EFBIG, as on a full disk, and the window goes on
    // instead of being ended by the signal.
    std::signal(SIGXFSZ, SIG_IGN);
    // The window speaks Chinese, so the save and folder dialogs and the message box buttons
    // do too; without the translations installed they stay in English.
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}
