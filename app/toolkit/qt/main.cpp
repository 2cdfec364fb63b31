#include <QApplication>
#include <QDir>

#include "shell/startup.h"
#include "toolkit/qt/qt_main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Relative output folders start at the program folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    QtMainWindow window;
    OnMainWindowCreated(window);
    // The notice step may have closed the window (a declined mandatory update).
    if (window.Closed()) return 0;
    window.show();
    return application.exec();
}
