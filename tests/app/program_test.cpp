// The real program started as a child process from a fresh program folder.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include "app_fixture.h"

namespace {

class ProgramTest : public AppFixture {
  protected:
    // Starts a copy of the program from the program folder, with the test's home and no display.
    void Start(QProcess& process) {
        const QString program = ProgramFolder() + "/qrbatch";
        if (!QFileInfo::exists(program)) {
            ASSERT_TRUE(QFile::copy(QR_PROGRAM, program));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", ConfigHome());
        environment.insert("HOME", Home());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.remove("LD_LIBRARY_PATH");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Root());
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Starts the program, waits until start-up has stored the folder, then ends it.
    void RunOnce() {
        // Start-up ends by storing the folder, which always replaces Set.ini by a new file.
        const auto settingsIdentity = [this]() -> ino_t {
            struct stat status {};
            return ::stat(SettingsFile().toLocal8Bit().constData(), &status) == 0 &&
                           status.st_size > 0
                       ? status.st_ino
                       : 0;
        };
        const ino_t before = settingsIdentity();
        QProcess process;
        Start(process);
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && settingsIdentity() == before) QThread::msleep(20);
        EXPECT_NE(settingsIdentity(), before);
        EXPECT_EQ(process.state(), QProcess::Running);
        process.kill();
        process.waitForFinished(10000);
    }
};

TEST_F(ProgramTest, FirstStartDeploysTheLibraryAndStoresTheEmptyFolder) {
    RunOnce();
    EXPECT_EQ(ReadAll(LibraryFile()), ReadAll(QR_BUILT_LIBRARY));
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=\n");
}

TEST_F(ProgramTest, SecondStartKeepsAnotherLibraryAndTheStoredFolder) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    WriteAll(SettingsFile(), "[x]\ny=1\n[preservation]\nroute=/srv/qr\n");
    WriteAll(LibraryFile(), "someone else's file");
    RunOnce();
    EXPECT_EQ(ReadAll(LibraryFile()), "someone else's file");
    EXPECT_EQ(ReadAll(SettingsFile()), "[x]\ny=1\n[preservation]\nroute=/srv/qr\n");
}

// Past a file-size limit the store at start-up fails as on a full disk: the program goes on
// (the signal no longer ends it) and the settings file is as it was, no scratch file beside it.
TEST_F(ProgramTest, FileSizeLimitFailsTheStoreAndTheProgramGoesOn) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    const QByteArray settings = "[preservation]\nroute=/srv/qr\n";
    WriteAll(SettingsFile(), settings);
    ASSERT_TRUE(QFile::copy(QR_BUILT_LIBRARY, LibraryFile()));
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);  // as a shell starts it, whatever this test ignores
    });
    Start(process);
    // Start-up stores the folder within a few seconds; the signal would end the program there.
    EXPECT_FALSE(process.waitForFinished(8000))
        << "ended: exit " << process.exitCode() << ", status " << int(process.exitStatus());
    process.kill();
    process.waitForFinished(10000);
    EXPECT_EQ(ReadAll(SettingsFile()), settings);
    EXPECT_EQ(QDir(WorkingFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Set.ini"});
}

}  // namespace
