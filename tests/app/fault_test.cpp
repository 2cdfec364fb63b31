// The window program when things go wrong around it: the program killed while it stores the
// folder, a truncated library file, a full disk and a read-only folder during a batch.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <random>

#include "app_fixture.h"
#include "support/small_mount.h"
#include "toolkit/services.h"

namespace {

TEST_F(AppFixture, SettingsFileHoldsTheOldOrTheNewValueWhateverMomentTheWriterDies) {
    QByteArray others;
    for (int i = 0; i < 2000; ++i)
        others += "[s" + QByteArray::number(i) + "]\nkey=" + QByteArray(40, 'v') + "\n";
    const QString file = Root() + "/Set.ini";
    WriteAll(file, others);
    const std::string path = file.toStdString();
    const std::string first(3000, 'A');
    const std::string second(3000, 'B');
    ASSERT_TRUE(services::WriteProfileString("preservation", "route", first, path));
    const QByteArray expectedA = ReadAll(file);

    std::mt19937 random(8);
    int interrupted = 0;
    for (int round = 0; round < 300; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Stores the two values in turn until it is killed.
            for (int k = 0;; ++k)
                services::WriteProfileString("preservation", "route", k % 2 ? first : second, path);
        }
        usleep(static_cast<useconds_t>(random() % 3000));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        interrupted += WIFSIGNALED(status) ? 1 : 0;

        const std::string value =
            services::ReadProfileString("preservation", "route", "", path, 10240);
        ASSERT_TRUE(value == first || value == second)
            << "round " << round << ": " << value.size() << " bytes";
        const QByteArray now = ReadAll(file);
        ASSERT_TRUE(now.startsWith(others)) << "round " << round;  // every other line is there
        ASSERT_EQ(now.size(), expectedA.size()) << "round " << round;
    }
    EXPECT_EQ(interrupted, 300);
    // The next store sweeps away the scratch files the killed writers left.
    ASSERT_TRUE(services::WriteProfileString("preservation", "route", first, path));
    EXPECT_EQ(QDir(Root()).entryList({"Set.ini*"}, QDir::Files | QDir::Hidden),
              QStringList{"Set.ini"});
}

TEST_F(AppFixture, TruncatedLibraryIsAFatalErrorAtTheFirstCall) {
    const QByteArray library = ReadAll(QR_BUILT_LIBRARY);
    ASSERT_GT(library.size(), 4096);
    // Cut inside the code: the loader alone would fault on the missing pages.
    const QByteArray truncated = library.left(20000);
    WriteAll(LibraryFile(), truncated);
    qunsetenv("LD_LIBRARY_PATH");
    auto window = StartWindow();
    EXPECT_EQ(ReadAll(LibraryFile()), truncated);  // left as it was
    EXPECT_EXIT(window->按钮3->click(), ::testing::ExitedWithCode(1), "QRCodeWin32\\.dll");
}

class BatchFaultTest : public AppFixture {
  protected:
    QStringList RunInto(const QString& folder, const QString& input) {
        auto window = StartWindow();
        window->编辑框2->SetContent(folder);
        window->编辑框1->SetContent(input);
        QTest::mouseClick(window->按钮2, Qt::LeftButton);
        processed_ = window->透明标签6->text();
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QString processed_;
};

TEST_F(BatchFaultTest, FullDiskFailsThoseLinesAndTheRunGoesOn) {
    const QString disk = Root() + "/disk";
    SmallMount mount(disk.toStdString(), "size=16k");
    if (!mount.mounted()) GTEST_SKIP() << "no permission to mount a small file system here";
    const QStringList files = RunInto(disk, "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(processed_, "4");
    ASSERT_FALSE(files.isEmpty());
    EXPECT_LT(files.size(), 4);  // 5,662-byte files: no more than two fit
    ASSERT_EQ(MessagesShown().size(), 1);
    EXPECT_TRUE(
        MessagesShown()[0].contains(QString("有 %1 行内容未能生成图片").arg(4 - files.size())));
    for (const QString& name : files) {
        EXPECT_TRUE(name.endsWith(".jpg")) << name.toStdString();
        EXPECT_EQ(ReadAll(disk + "/" + name).size(), 5662) << name.toStdString();
    }
}

TEST_F(BatchFaultTest, ReadOnlyFolderWritesNothingAndTheRunEnds) {
    const QString folder = Root() + "/ro";
    SmallMount mount(folder.toStdString(), "size=64k,ro");
    if (!mount.mounted()) GTEST_SKIP() << "no permission to mount a read-only file system here";
    EXPECT_TRUE(RunInto(folder, "a\r\nb\r\nc").isEmpty());
    EXPECT_EQ(processed_, "3");
    ASSERT_EQ(MessagesShown().size(), 1);
    EXPECT_TRUE(MessagesShown()[0].contains("有 3 行内容未能生成图片"));
    EXPECT_TRUE(MessagesShown()[0].contains("第 3 行“c”：无法写入文件"));
}

}  // namespace
