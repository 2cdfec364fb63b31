#include <QApplication>
#include <QDir>

#include "shell/main_window.h"
#include "toolkit/qt/application_setup.h"
#include "toolkit/qt/qt_main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    PrepareApplication(application);
    // Relative output folders start at the program folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    QtMainWindow window;
    // The window shows its template state while start-up runs (and waits for the network).
    window.show();
    window.repaint();
    QApplication::processEvents();
    MainWindowCreated(window);
    // The notice step may have closed the window (a declined mandatory update).
    if (window.Closed()) return 0;
    return application.exec();
}
