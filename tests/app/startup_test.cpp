// Start-up on a clean machine and again: the working folder, Set.ini, the library file, the
// version list, the line count and the stored output folder.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTest>

#include "app_fixture.h"
#include "shell/library_image.h"

namespace {

class StartupTest : public AppFixture {};

QByteArray EmbeddedImage() {
    const auto image = LibraryImage();
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

TEST_F(StartupTest, CleanMachineGetsFolderSettingsAndLibrary) {
    ASSERT_FALSE(QFileInfo::exists(WorkingFolder()));
    auto window = StartWindow();

    EXPECT_TRUE(QFileInfo(WorkingFolder()).isDir());
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=\n");
    EXPECT_TRUE(window->编辑框2->text().isEmpty());

    const QByteArray written = ReadAll(LibraryFile());
    EXPECT_EQ(written, EmbeddedImage());
    EXPECT_EQ(written, ReadAll(QR_BUILT_LIBRARY));
    EXPECT_GT(written.size(), 10000);
}

TEST_F(StartupTest, EmbeddedImageIsTheBuiltLibrary) {
    EXPECT_EQ(EmbeddedImage(), ReadAll(QR_BUILT_LIBRARY));
}

TEST_F(StartupTest, SecondRunCreatesNothingAndStoresTheSameValue) {
    StartWindow();
    struct stat libraryBefore {};
    ASSERT_EQ(::stat(LibraryFile().toLocal8Bit().constData(), &libraryBefore), 0);
    const QByteArray settingsBefore = ReadAll(SettingsFile());

    auto again = StartWindow();
    struct stat libraryAfter {};
    ASSERT_EQ(::stat(LibraryFile().toLocal8Bit().constData(), &libraryAfter), 0);
    EXPECT_EQ(libraryAfter.st_ino, libraryBefore.st_ino);
    EXPECT_EQ(libraryAfter.st_mtim.tv_nsec, libraryBefore.st_mtim.tv_nsec);
    EXPECT_EQ(ReadAll(SettingsFile()), settingsBefore);
    EXPECT_EQ(QDir(WorkingFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"Set.ini"});
    EXPECT_EQ(QDir(ProgramFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"QRCodeWin32.dll"});
}

TEST_F(StartupTest, AnotherLibraryFileIsNeverReplaced) {
    WriteAll(LibraryFile(), "not the library");
    StartWindow();
    EXPECT_EQ(ReadAll(LibraryFile()), "not the library");

    WriteAll(LibraryFile(), QByteArray());
    StartWindow();
    EXPECT_EQ(ReadAll(LibraryFile()), QByteArray());
}

TEST_F(StartupTest, StoredRouteIsRestoredAndWrittenBack) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    WriteAll(SettingsFile(), "[preservation]\nroute=E:\\out\n");
    auto window = StartWindow();
    EXPECT_EQ(window->编辑框2->text(), "E:\\out");
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=E:\\out\n");
}

TEST_F(StartupTest, OtherSectionsAndKeysAreKept) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    const QByteArray mine =
        "; my notes\r\n[window]\r\nleft=3\r\n\r\n[preservation]\r\nroute=/srv/codes\r\nextra=1\r\n";
    WriteAll(SettingsFile(), mine);
    auto window = StartWindow();
    EXPECT_EQ(window->编辑框2->text(), "/srv/codes");
    EXPECT_EQ(ReadAll(SettingsFile()), mine);

    window->show();
    window->编辑框2->selectAll();
    QTest::keyClicks(window->编辑框2, "/tmp/x");
    EXPECT_EQ(
        ReadAll(SettingsFile()),
        "; my notes\r\n[window]\r\nleft=3\r\n\r\n[preservation]\r\nroute=/tmp/x\r\nextra=1\r\n");
}

TEST_F(StartupTest, TypedFolderIsStoredAtOnce) {
    auto window = StartWindow();
    window->show();
    QTest::keyClicks(window->编辑框2, "/d");
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=/d\n");
    QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("测"));
    QApplication::sendEvent(window->编辑框2, &chinese);
    EXPECT_EQ(ReadAll(SettingsFile()), QString("[preservation]\nroute=/d测\n").toUtf8());
}

TEST_F(StartupTest, LongRouteArrivesCutToTheReadLimit) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    WriteAll(SettingsFile(), "[preservation]\nroute=" + QByteArray(12000, 'r') + "\n");
    auto window = StartWindow();
    EXPECT_EQ(window->编辑框2->text(), QString(10239, 'r'));
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=" + QByteArray(10239, 'r') + "\n");
}

TEST_F(StartupTest, ExistingEmptySettingsFileIsKept) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    WriteAll(SettingsFile(), "[preservation]\nroute=/kept\n");
    auto window = StartWindow();
    EXPECT_EQ(window->编辑框2->text(), "/kept");
}

TEST_F(StartupTest, WorkingFolderThatIsAPlainFileIsLeftAndStartupGoesOn) {
    WriteAll(WorkingFolder(), "a plain file");
    auto window = StartWindow();
    EXPECT_EQ(ReadAll(WorkingFolder()), "a plain file");
    EXPECT_TRUE(window->编辑框2->text().isEmpty());
    EXPECT_EQ(window->组合框_版本1->count(), 41);
    EXPECT_EQ(window->透明标签5->text(), "1001");
    EXPECT_EQ(ReadAll(LibraryFile()), EmbeddedImage());
}

TEST_F(StartupTest, PipeNamedLikeTheSettingsFileCountsAsUnreadable) {
    ASSERT_TRUE(QDir().mkpath(WorkingFolder()));
    ASSERT_EQ(::mkfifo(SettingsFile().toLocal8Bit().constData(), 0644), 0);
    alarm(20);  // start-up that blocks on the pipe ends the test instead of hanging it
    auto window = StartWindow();
    alarm(0);
    EXPECT_TRUE(window->编辑框2->text().isEmpty());
    EXPECT_EQ(window->组合框_版本1->count(), 41);
    EXPECT_TRUE(QFileInfo(SettingsFile()).isSymLink() || !QFileInfo(SettingsFile()).isFile());
}

TEST_F(StartupTest, NestedMissingConfigFoldersAreCreated) {
    const QString nested = Root() + "/deep/er/config";
    qputenv("XDG_CONFIG_HOME", nested.toLocal8Bit());
    StartWindow();
    EXPECT_EQ(ReadAll(nested + "/korvalind/Set.ini"), "[preservation]\nroute=\n");
}

TEST_F(StartupTest, HomeConfigIsUsedWithoutXdgConfigHome) {
    qunsetenv("XDG_CONFIG_HOME");
    StartWindow();
    EXPECT_EQ(ReadAll(Home() + "/.config/korvalind/Set.ini"), "[preservation]\nroute=\n");
    EXPECT_FALSE(QFileInfo::exists(WorkingFolder()));
}

TEST_F(StartupTest, VersionListHasFortyOneEntriesWithAutomaticSelected) {
    auto window = StartWindow();
    const DropDownList& versions = *window->组合框_版本1;
    ASSERT_EQ(versions.count(), 41);
    EXPECT_EQ(versions.itemText(0), "自动");
    EXPECT_EQ(versions.itemText(1), "版本_1   21×21");
    EXPECT_EQ(versions.itemText(2), "版本_2   25×25");
    EXPECT_EQ(versions.itemText(40), "版本_40   177×177");
    EXPECT_EQ(versions.currentIndex(), 0);
    EXPECT_EQ(window->组合框_纠错1->currentText(), "L(5%)");
}

TEST_F(StartupTest, ProgressBarIsEmptiedAndLinesCounted) {
    auto window = StartWindow();
    EXPECT_EQ(window->标签1->width(), 0);
    EXPECT_EQ(window->透明标签5->text(), "1001");
    EXPECT_TRUE(window->透明标签6->text().isEmpty());
    EXPECT_TRUE(window->透明标签12->text().isEmpty());
}

TEST_F(StartupTest, LineCountFollowsTheInputBox) {
    auto window = StartWindow();
    window->编辑框1->SetContent("");
    EXPECT_EQ(window->透明标签5->text(), "0");
    window->编辑框1->SetContent("a\r\n\r\nb");
    EXPECT_EQ(window->透明标签5->text(), "3");
    window->编辑框1->SetContent("a\r\nb\r\n");
    EXPECT_EQ(window->透明标签5->text(), "2");
    window->编辑框1->SetContent("a\r\nb\r\n\r\n");
    EXPECT_EQ(window->透明标签5->text(), "3");
}

TEST_F(StartupTest, StartupMakesNoLibraryCall) {
    // A library file that could not be loaded does not matter until the first generation.
    WriteAll(LibraryFile(), "garbage");
    auto window = StartWindow();
    EXPECT_EQ(window->组合框_版本1->count(), 41);
    EXPECT_FALSE(window->Closed());
}

}  // namespace
