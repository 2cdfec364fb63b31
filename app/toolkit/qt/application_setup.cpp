#include "toolkit/qt/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void PrepareApplication(QApplication& application) {
    // The window speaks Chinese, so the save and folder dialogs and the message box buttons
    // do too; without the translations installed they stay in English.
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}
