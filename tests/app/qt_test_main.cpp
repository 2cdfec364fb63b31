#include <gtest/gtest.h>

#include <QApplication>

#include "toolkit/qt/application_setup.h"

int main(int argc, char* argv[]) {
    // The real window, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests start a fresh copy of this program rather than forking a running Qt.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication application(argc, argv);
    PrepareApplication(application);
    return RUN_ALL_TESTS();
}
