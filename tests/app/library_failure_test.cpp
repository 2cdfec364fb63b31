// A library file that is missing, corrupt or lacks an export: the first call ends the program
// (a child process here) with a message naming "QRCodeWin32.dll" and the export.
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTest>

#include "app_fixture.h"

namespace {

// The same words as the Windows program shows: a line naming the file and the export, then the
// reason, which starts with the library's path.
std::string FatalText(const char* exportName) {
    return std::string("无法从 \"QRCodeWin32\\.dll\" 载入函数 \"") + exportName +
           "\"，程序即将结束。\n/";
}

class LibraryFailureTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        qunsetenv("LD_LIBRARY_PATH");  // the bare-name search must not find the real library
        output_ = Root() + "/out";
        ASSERT_TRUE(QDir().mkpath(output_));
    }
    std::unique_ptr<QtMainWindow> StartWith(const QByteArray& libraryBytes) {
        WriteAll(LibraryFile(), libraryBytes);
        auto window = StartWindow();
        window->编辑框2->SetContent(output_);
        return window;
    }

    QString output_;
};

TEST_F(LibraryFailureTest, CorruptLibraryEndsTheProgramAtTheFirstCall) {
    auto window = StartWith("MZ this is not a library at all");
    EXPECT_EXIT(window->按钮3->click(), ::testing::ExitedWithCode(1), FatalText("QRSetMessage"));
}

TEST_F(LibraryFailureTest, CorruptLibraryStopsABatchBeforeAnyFile) {
    auto window = StartWith(QByteArray(4096, '\0'));
    EXPECT_EXIT(window->按钮2->click(), ::testing::ExitedWithCode(1), FatalText("QRSetMessage"));
    EXPECT_TRUE(QDir(output_).isEmpty());
}

TEST_F(LibraryFailureTest, FolderInPlaceOfTheLibraryIsReportedToo) {
    ASSERT_TRUE(QDir().mkpath(LibraryFile()));
    auto window = StartWindow();
    EXPECT_EXIT(window->按钮3->click(), ::testing::ExitedWithCode(1), FatalText("QRSetMessage"));
}

TEST_F(LibraryFailureTest, PipeInPlaceOfTheLibraryIsReportedInsteadOfBlocking) {
    ASSERT_EQ(::mkfifo(LibraryFile().toLocal8Bit().constData(), 0644), 0);
    auto window = StartWindow();
    EXPECT_EXIT(
        {
            alarm(20);  // a loader blocked on the pipe dies of the alarm, not with the message
            window->按钮3->click();
        },
        ::testing::ExitedWithCode(1), FatalText("QRSetMessage"));
}

TEST_F(LibraryFailureTest, LibraryWithoutExportsNamesTheFirstExportAsked) {
    auto window = StartWith(ReadAll(QR_EXPORTLESS_LIBRARY));
    EXPECT_EXIT(window->按钮3->click(), ::testing::ExitedWithCode(1), FatalText("QRSetMessage"));
}

TEST_F(LibraryFailureTest, MissingOutputExportIsNamed) {
    auto window = StartWith(ReadAll(QR_PARTIAL_LIBRARY));
    EXPECT_EXIT(window->按钮2->click(), ::testing::ExitedWithCode(1), FatalText("QRSaveAsBMP"));
}

TEST_F(LibraryFailureTest, ExportsAreLookedUpOnlyWhenFirstCalled) {
    // The partial library has everything a generation asks for before QRSaveAsBMP.
    auto window = StartWith(ReadAll(QR_PARTIAL_LIBRARY));
    window->编辑框1->SetContent("");
    window->按钮2->click();  // no line: QRSaveAsBMP is never asked for
    EXPECT_FALSE(window->Closed());
    EXPECT_TRUE(window->透明标签6->text().isEmpty());
}

}  // namespace
