// "生成", "保存" and "…": the single symbol, its save dialog and the folder choice.
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include "app_fixture.h"
#include "symbol_reader.h"

namespace {

class SingleSymbolTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        window_ = StartWindow();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    QString InProgram(const QString& name) const { return ProgramFolder() + "/" + name; }

    // Answers the next file dialog with path, or cancels it when path is empty.
    static void AnswerFileDialog(const QString& path) {
        WhenModalShown<QFileDialog>([path](QFileDialog* dialog) {
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed into the name field, as a user does (selectFile leaves a focused field alone).
            dialog->setDirectory(QFileInfo(path).path());
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(QFileInfo(path).fileName());
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    std::unique_ptr<QtMainWindow> window_;
};

TEST_F(SingleSymbolTest, EmptyBoxGetsThePromptTextAndItsSymbol) {
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    EXPECT_EQ(window_->编辑框123456->text(), "未检测到你输入了内容");
    const QByteArray preview = ReadAll(InProgram("a.jpg"));
    const ReadSymbol symbol = ReadSymbolFromFile(preview);
    ASSERT_TRUE(symbol.decoded);
    EXPECT_EQ(QString::fromStdString(symbol.bytes), "未检测到你输入了内容");
    EXPECT_EQ(Bytes(window_->图片框1->PictureBytes()), preview);
    const auto header = ReadBmpHeader(preview);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 200);
    EXPECT_EQ(header->height, 200);
}

TEST_F(SingleSymbolTest, LongWebAddressesAreDrawnWholeAndDecode) {
    for (int length : {40, 120, 300}) {
        SCOPED_TRACE(length);
        QString address = "https://www.example.com/forum/thread-";
        while (address.size() < length) address += QString::number(address.size() % 10);
        window_->编辑框123456->SetContent(address);
        QTest::mouseClick(window_->按钮3, Qt::LeftButton);
        const ReadSymbol symbol = ReadSymbolFromFile(ReadAll(InProgram("a.jpg")));
        EXPECT_TRUE(symbol.decoded);
        EXPECT_EQ(symbol.bytes, address.toStdString());
    }
}

// A symbol that cannot be drawn whole is refused as a batch line is: the reason in a message,
// no file written, and the preview empty instead of showing the file an earlier click left.
TEST_F(SingleSymbolTest, SymbolThatCannotBeDrawnWholeWritesNothingAndSaysWhy) {
    struct Refusal {
        const char* size;
        QString text;
        QString shown;  // the text as the message quotes it
        QString reason;
    };
    const QString address = "https://www.example.com/forum/thread-12345";  // version 3
    const Refusal refusals[] = {
        {"24", address, address, "图像大小太小，放不下完整的二维码"},
        {"200", QString(3000, 'a'), QString(60, 'a') + "…",
         "内容太长，超出所选版本和纠错级别的容量"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.reason.toStdString());
        window_->编辑框123456->SetContent("fits");
        window_->编辑框3->SetContent("200");
        QTest::mouseClick(window_->按钮3, Qt::LeftButton);
        const QByteArray earlier = ReadAll(InProgram("a.jpg"));
        ASSERT_EQ(ReadSymbolFromFile(earlier).bytes, "fits");

        window_->编辑框123456->SetContent(refusal.text);
        window_->编辑框3->SetContent(refusal.size);
        QTest::mouseClick(window_->按钮3, Qt::LeftButton);
        EXPECT_EQ(ReadAll(InProgram("a.jpg")), earlier);
        EXPECT_TRUE(window_->图片框1->PictureBytes().empty());
        ASSERT_FALSE(MessagesShown().isEmpty());
        EXPECT_EQ(MessagesShown().last(),
                  "信息：\n内容未能生成图片：\r\n\r\n“" + refusal.shown + "”：" + refusal.reason);
    }
    EXPECT_EQ(MessagesShown().size(), 2);
}

TEST_F(SingleSymbolTest, SpacesAreContentAndSizeBoxMakesASquare) {
    window_->编辑框123456->SetContent(" ");
    window_->编辑框3->SetContent("260");
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    EXPECT_EQ(window_->编辑框123456->text(), " ");
    const QByteArray preview = ReadAll(InProgram("a.jpg"));
    const auto header = ReadBmpHeader(preview);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 260);
    EXPECT_EQ(header->height, 260);
    EXPECT_EQ(ReadSymbolFromFile(preview).bytes, " ");
}

TEST_F(SingleSymbolTest, SaveWritesScratchCopyAndTheChosenFile) {
    window_->编辑框123456->SetContent("hello");
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    const QString chosen = Root() + "/chosen.jpg";
    AnswerFileDialog(chosen);
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);

    EXPECT_EQ(ReadAll(chosen), ReadAll(InProgram("a.jpg")));
    EXPECT_EQ(ReadSymbolFromFile(ReadAll(InProgram("a.bmp"))).bytes, "hello");
    EXPECT_EQ(window_->通用对话框1->fileName, chosen.toStdString());
    // The desktop becomes the starting folder of the next save.
    EXPECT_EQ(
        window_->通用对话框1->initialFolder,
        (QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/").toStdString());
}

TEST_F(SingleSymbolTest, EverySaveAfterTheFirstOpensOnTheDesktop) {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    ASSERT_TRUE(QDir().mkpath(desktop));
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    AnswerFileDialog(Root() + "/first.jpg");
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    QTest::qWait(200);  // the first answer stops watching for dialogs
    for (int save = 2; save <= 3; ++save) {
        QString opened;
        WhenModalShown<QFileDialog>([&opened](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        QTest::mouseClick(window_->按钮4, Qt::LeftButton);
        QTest::qWait(200);
        EXPECT_EQ(opened.toStdString(), QDir(desktop).absolutePath().toStdString()) << save;
    }
}

TEST_F(SingleSymbolTest, NameWithoutExtensionGetsJpg) {
    window_->编辑框123456->SetContent("x");
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    AnswerFileDialog(Root() + "/named");
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    EXPECT_EQ(ReadAll(Root() + "/named.jpg"), ReadAll(InProgram("a.jpg")));
}

TEST_F(SingleSymbolTest, CancelledSaveStillWritesTheScratchCopyOnly) {
    window_->编辑框123456->SetContent("kept");
    QTest::mouseClick(window_->按钮3, Qt::LeftButton);
    const QStringList before = QDir(Root()).entryList(QDir::Files);
    AnswerFileDialog({});
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    EXPECT_EQ(ReadSymbolFromFile(ReadAll(InProgram("a.bmp"))).bytes, "kept");
    EXPECT_EQ(QDir(Root()).entryList(QDir::Files), before);
    EXPECT_TRUE(window_->通用对话框1->initialFolder.empty());
}

TEST_F(SingleSymbolTest, SaveBeforeAnyGenerationWritesAnEmptyFile) {
    const QString chosen = Root() + "/nothing.jpg";
    AnswerFileDialog(chosen);
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(chosen));
    EXPECT_EQ(QFileInfo(chosen).size(), 0);
}

TEST_F(SingleSymbolTest, SaveAfterABatchShowsItsLastLineAtItsSize) {
    const QString output = Root() + "/out";
    ASSERT_TRUE(QDir().mkpath(output));
    window_->编辑框2->SetContent(output);
    window_->编辑框4->SetContent("240");
    window_->编辑框1->SetContent("first\r\nlast\r\n");
    QTest::mouseClick(window_->按钮2, Qt::LeftButton);
    const QString chosen = Root() + "/copy.jpg";
    AnswerFileDialog(chosen);
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    const QByteArray scratch = ReadAll(InProgram("a.bmp"));
    EXPECT_EQ(ReadSymbolFromFile(scratch).bytes, "last");
    EXPECT_EQ(ReadBmpHeader(scratch)->width, 240);
    EXPECT_EQ(ReadAll(chosen), ReadAll(output + "/last.jpg"));
}

// The clock's timer goes on inside the dialog's own event loop; its ticks are dropped.
TEST_F(SingleSymbolTest, ClockStandsStillWhileTheSaveDialogIsOpen) {
    window_->透明标签20->SetCaption("before the dialog");
    const QColor linkColour = window_->透明标签14->textColor();
    auto open = std::make_shared<QElapsedTimer>();
    WhenModalShown<QFileDialog>([open](QFileDialog* dialog) {
        if (!open->isValid()) open->start();
        if (open->elapsed() >= 1600) dialog->reject();  // three ticks and more
    });
    QTest::mouseClick(window_->按钮4, Qt::LeftButton);
    EXPECT_GE(open->elapsed(), 1600);
    EXPECT_EQ(window_->透明标签20->text(), "before the dialog");
    EXPECT_EQ(window_->透明标签14->textColor(), linkColour);
    // Afterwards the clock runs again.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return window_->透明标签20->text().startsWith("北京时间："); }, 2000));
}

TEST_F(SingleSymbolTest, ChosenFolderGoesIntoTheBoxAndTheSettings) {
    const QString folder = Root() + "/picked";
    ASSERT_TRUE(QDir().mkpath(folder));
    WhenModalShown<QFileDialog>([folder](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "选择保存位置");
        dialog->setDirectory(QFileInfo(folder).path());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(folder).fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(window_->按钮1, Qt::LeftButton);
    EXPECT_EQ(window_->编辑框2->text(), folder);
    EXPECT_EQ(ReadAll(SettingsFile()), ("[preservation]\nroute=" + folder + "\n").toUtf8());
}

TEST_F(SingleSymbolTest, CancelledFolderChoiceEmptiesTheBox) {
    window_->编辑框2->SetContent("/was/here");
    WhenModalShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QTest::mouseClick(window_->按钮1, Qt::LeftButton);
    EXPECT_TRUE(window_->编辑框2->text().isEmpty());
    EXPECT_EQ(ReadAll(SettingsFile()), "[preservation]\nroute=\n");
}

class NoWorkingFolderTest : public AppFixture {};

TEST_F(NoWorkingFolderTest, GenerationWorksWhenTheWorkingFolderIsAFile) {
    WriteAll(WorkingFolder(), "in the way");
    auto window = StartWindow();
    window->编辑框123456->SetContent("still works");
    QTest::mouseClick(window->按钮3, Qt::LeftButton);
    EXPECT_EQ(ReadSymbolFromFile(ReadAll(ProgramFolder() + "/a.jpg")).bytes, "still works");
    EXPECT_EQ(ReadAll(WorkingFolder()), "in the way");
}

}  // namespace
