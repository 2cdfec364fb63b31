// Whole batch runs through the window, reading every written file back.
#include <QProcess>
#include <QTest>

#include "app_fixture.h"
#include "symbol_reader.h"

namespace {

class BatchTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        output_ = Root() + "/out";
        ASSERT_TRUE(QDir().mkpath(output_));
        window_ = StartWindow();
        window_->编辑框2->SetContent(output_);
    }

    QString Output() const { return output_; }
    QStringList WrittenFiles() const {
        return QDir(output_).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QByteArray Written(const QString& name) const { return ReadAll(output_ + "/" + name); }
    void RunWith(const QString& input) {
        window_->编辑框1->SetContent(input);
        QTest::mouseClick(window_->按钮2, Qt::LeftButton);
    }
    // The command-line tool's --app-names writes the window's files byte for byte, and no
    // other: run on the window's input, with its size boxes.
    void ExpectTheToolWritesTheSameFiles(int exitCode = 0) {
        const QString cliOutput = Root() + "/cli";
        ASSERT_TRUE(QDir().mkpath(cliOutput));
        WriteAll(Root() + "/input.txt", QByteArray::fromStdString(window_->编辑框1->Content()));
        const QString size =
            QString::fromStdString(window_->编辑框4->Content() + "x" + window_->编辑框5->Content());
        QProcess cli;
        cli.start(QR_CLI, {"--app-names", "--size", size, Root() + "/input.txt", "-o", cliOutput});
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), exitCode) << cli.readAllStandardError().toStdString();
        const QStringList names = WrittenFiles();
        ASSERT_EQ(QDir(cliOutput).entryList(QDir::Files | QDir::Hidden, QDir::Name), names);
        for (const QString& name : names) ASSERT_EQ(Written(name), ReadAll(cliOutput + "/" + name));
    }

    std::unique_ptr<QtMainWindow> window_;

  private:
    QString output_;
};

TEST_F(BatchTest, DefaultInputWritesOneReadableFilePerLine) {
    QTest::mouseClick(window_->按钮2, Qt::LeftButton);

    QStringList expected{"测试数据.jpg"};
    for (qint64 n = 20210706001; n <= 20210707000; ++n) expected << QString::number(n) + ".jpg";
    QStringList written = WrittenFiles();
    written.sort();
    expected.sort();
    ASSERT_EQ(written, expected);

    for (const QString& name : expected) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray file = Written(name);
        ASSERT_EQ(file.size(), 5662);
        const auto header = ReadBmpHeader(file);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->width, 200);
        EXPECT_EQ(header->height, 200);
        EXPECT_EQ(header->bitsPerPixel, 1);
        const ReadSymbol symbol = ReadSymbolFromFile(file);
        ASSERT_TRUE(symbol.decoded);
        EXPECT_EQ(QString::fromStdString(symbol.bytes) + ".jpg", name);
        EXPECT_EQ(symbol.maskPattern, 4);
        EXPECT_EQ(symbol.level, 0);
    }
    EXPECT_EQ(window_->透明标签6->text(), "1001");
    EXPECT_EQ(window_->透明标签12->text(), "100%");
    EXPECT_EQ(window_->标签1->width(), 200);
    EXPECT_EQ(Bytes(window_->图片框1->PictureBytes()), Written("20210707000.jpg"));
    EXPECT_FALSE(window_->图片框1->pixmap().isNull());
    EXPECT_TRUE(MessagesShown().isEmpty());  // a run without failures stays silent

    ExpectTheToolWritesTheSameFiles();
}

// Web addresses of up to 251 bytes (the longest that still makes a file name with ".jpg"),
// without "/", as a batch may hold them; all need version 3 or more.
QString WebAddressOfLength(int length) {
    QString address = "www.example.com?item=";
    for (int i = 0; address.size() < length; ++i) address += QChar('a' + i % 26);
    return address;
}

TEST_F(BatchTest, SymbolsLargerThanTheImageAtTheFixedModuleAreDrawnWholeAndDecode) {
    QStringList lines;
    for (int length : {30, 33, 60, 100, 150, 200, 251}) lines << WebAddressOfLength(length);
    RunWith(lines.join("\r\n"));
    for (const QString& line : lines) {
        SCOPED_TRACE(line.size());
        const QByteArray file = Written(line + ".jpg");
        const auto header = ReadBmpHeader(file);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->width, 200);
        EXPECT_EQ(header->height, 200);
        const ReadSymbol symbol = ReadSymbolFromFile(file);
        EXPECT_TRUE(symbol.decoded);
        EXPECT_EQ(symbol.bytes, line.toStdString());
    }
    EXPECT_TRUE(MessagesShown().isEmpty());
    ExpectTheToolWritesTheSameFiles();

    // An image too small for some of them even at one pixel a module: the window writes the
    // others, and so does the tool, which reports the rest.
    QDir(Output()).removeRecursively();
    QDir(Root() + "/cli").removeRecursively();
    ASSERT_TRUE(QDir().mkpath(Output()));
    window_->编辑框4->SetContent("60");
    window_->编辑框5->SetContent("45");
    RunWith(lines.join("\r\n"));
    EXPECT_GT(WrittenFiles().size(), 0);
    EXPECT_LT(WrittenFiles().size(), lines.size());
    ExpectTheToolWritesTheSameFiles(1);
}

TEST_F(BatchTest, SmallerModulesLeaveAQuietZoneOfTwoModules) {
    // 33 bytes at level L need version 3: 29 modules, 232 pixels at 0.2 cm. At 200 pixels the
    // module becomes 200 / (29 + 4) = 6 pixels: 174 pixels, centred, 13 light pixels each side.
    RunWith(WebAddressOfLength(33));
    const QImage image = QImage::fromData(Written(WebAddressOfLength(33) + ".jpg"));
    ASSERT_FALSE(image.isNull());
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                left = std::min(left, x), right = std::max(right, x);
    EXPECT_EQ(left, 13);
    EXPECT_EQ(right, 186);
}

TEST_F(BatchTest, ImageTooSmallForTheWholeSymbolWritesNothingAndSaysSo) {
    // 21 modules of one pixel fit 24 pixels without a full quiet zone; 33 modules do not.
    window_->编辑框4->SetContent("24");
    RunWith("fits\r\n" + WebAddressOfLength(60));
    EXPECT_EQ(WrittenFiles(), QStringList{"fits.jpg"});
    ASSERT_EQ(MessagesShown().size(), 1);
    EXPECT_TRUE(MessagesShown()[0].contains("第 2 行“www.example.com?item="));
    EXPECT_TRUE(MessagesShown()[0].contains("图像大小太小，放不下完整的二维码"));
}

TEST_F(BatchTest, RefusedLineKeepsAnEarlierFileOfItsNameButDoesNotShowIt) {
    const QString refused = WebAddressOfLength(60);
    WriteAll(Output() + "/" + refused + ".jpg", "an earlier run's file");
    window_->编辑框4->SetContent("24");
    RunWith("fits\r\n" + refused);
    EXPECT_EQ(Written(refused + ".jpg"), "an earlier run's file");
    EXPECT_TRUE(window_->图片框1->PictureBytes().empty());
    EXPECT_TRUE(window_->图片框1->pixmap().isNull());
    EXPECT_EQ(MessagesShown().size(), 1);
}

// Records the progress display each time the bar changes width.
class ProgressWatcher : public QObject {
  public:
    explicit ProgressWatcher(QtMainWindow& window) : window_(window) {
        window.标签1->installEventFilter(this);
    }
    QStringList seen;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            seen << QString("%1 %2 %3")
                        .arg(window_.标签1->width())
                        .arg(window_.透明标签6->text(), window_.透明标签12->text());
        return false;
    }

  private:
    QtMainWindow& window_;
};

TEST_F(BatchTest, ThreeLinesMoveTheProgressInThirds) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ProgressWatcher watcher(*window_);
    RunWith("one\r\ntwo\r\nthree");
    // At each width change the counter already shows the line, the percentage the line before.
    EXPECT_EQ(watcher.seen, (QStringList{"66 1 ", "133 2 33%", "200 3 66.5%"}));
    EXPECT_EQ(window_->透明标签12->text(), "100%");
    EXPECT_EQ(window_->透明标签6->text(), "3");
    EXPECT_EQ(WrittenFiles(), (QStringList{"one.jpg", "three.jpg", "two.jpg"}));
}

TEST_F(BatchTest, BlankLineWritesDotJpgAndFinalLineBreakAddsNothing) {
    RunWith("x\r\n\r\ny\r\n");
    EXPECT_EQ(WrittenFiles(), (QStringList{".jpg", "x.jpg", "y.jpg"}));
    EXPECT_EQ(window_->透明标签6->text(), "3");
    const ReadSymbol blank = ReadSymbolFromFile(Written(".jpg"));
    EXPECT_EQ(blank.sideModules, 21);
    EXPECT_EQ(ReadSymbolFromFile(Written("y.jpg")).bytes, "y");
}

TEST_F(BatchTest, EmptyInputWritesNothingAndKeepsTheCounters) {
    RunWith("");
    EXPECT_TRUE(WrittenFiles().isEmpty());
    EXPECT_TRUE(window_->透明标签6->text().isEmpty());
    EXPECT_TRUE(window_->透明标签12->text().isEmpty());
    EXPECT_EQ(window_->标签1->width(), 0);
}

TEST_F(BatchTest, SizeBoxesGiveTheImageSize) {
    window_->编辑框4->SetContent("300");
    window_->编辑框5->SetContent("150");
    RunWith("wide\r\n");
    const auto header = ReadBmpHeader(Written("wide.jpg"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 300);
    EXPECT_EQ(header->height, 150);
    EXPECT_EQ(header->bitsPerPixel, 1);
    // 62 bytes of headers and palette, then 150 rows of 300 bits padded to 40 bytes.
    EXPECT_EQ(Written("wide.jpg").size(), 62 + 150 * 40);
}

TEST_F(BatchTest, FullWidthDigitsInTheSizeBoxesCount) {
    window_->编辑框4->SetContent("２４０");
    RunWith("w");
    const auto header = ReadBmpHeader(Written("w.jpg"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 240);
    EXPECT_EQ(header->height, 240);
}

TEST_F(BatchTest, SizeTextThatIsNoNumberFallsBackToTheLibraryDefaults) {
    window_->编辑框4->SetContent("abc");
    RunWith("d");
    const auto header = ReadBmpHeader(Written("d.jpg"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 500);
    EXPECT_EQ(header->height, 300);
}

TEST_F(BatchTest, ChosenVersionAndLevelApplyToEveryFile) {
    window_->组合框_版本1->setCurrentIndex(5);
    window_->组合框_纠错1->setCurrentIndex(3);
    window_->编辑框4->SetContent("400");
    RunWith("ab\r\n12345\r\n");
    for (const char* name : {"ab", "12345"}) {
        SCOPED_TRACE(name);
        const ReadSymbol symbol = ReadSymbolFromFile(Written(QString(name) + ".jpg"));
        ASSERT_TRUE(symbol.decoded);
        EXPECT_EQ(symbol.bytes, name);
        EXPECT_EQ(symbol.sideModules, 37);  // version 5
        EXPECT_EQ(symbol.level, 3);
        EXPECT_EQ(symbol.maskPattern, 4);
    }
}

TEST_F(BatchTest, ChineseLinesAreWrittenUnderTheirOwnNames) {
    RunWith("二维码\r\n测试 空格\r\n");
    EXPECT_EQ(WrittenFiles(), (QStringList{"二维码.jpg", "测试 空格.jpg"}));
    EXPECT_EQ(ReadSymbolFromFile(Written("二维码.jpg")).bytes, "二维码");
}

TEST_F(BatchTest, LineThatCannotBeWrittenLeavesNoFileAndTheRunGoesOn) {
    RunWith("first\r\nmissing/inside\r\nlast");
    EXPECT_EQ(WrittenFiles(), (QStringList{"first.jpg", "last.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(Output() + "/missing"));
    EXPECT_EQ(window_->透明标签6->text(), "3");
    EXPECT_EQ(window_->透明标签12->text(), "100%");
    EXPECT_EQ(Bytes(window_->图片框1->PictureBytes()), Written("last.jpg"));
    EXPECT_EQ(MessagesShown(), QStringList{"信息：\n有 1 行内容未能生成图片：\r\n\r\n第 2 行"
                                           "“missing/inside”：内容含有不能用作文件名的字符"});
}

TEST_F(BatchTest, MissingFolderFailsEveryLineAndTheMessageShowsTheFirstFive) {
    window_->编辑框2->SetContent(Output() + "/not-there");
    RunWith("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
    EXPECT_EQ(window_->透明标签12->text(), "100%");
    ASSERT_EQ(MessagesShown().size(), 1);
    const QString message = MessagesShown()[0];
    EXPECT_TRUE(message.startsWith("信息：\n有 7 行内容未能生成图片："));
    EXPECT_TRUE(message.contains("第 5 行“5”：保存位置不存在或不是文件夹"));
    EXPECT_FALSE(message.contains("第 6 行"));
    EXPECT_TRUE(message.endsWith("\r\n……"));
}

TEST_F(BatchTest, LineWithASeparatorWritesIntoAnExistingSubfolder) {
    ASSERT_TRUE(QDir().mkpath(Output() + "/sub"));
    RunWith("sub/code");
    EXPECT_EQ(ReadSymbolFromFile(Written("sub/code.jpg")).bytes, "sub/code");
}

TEST_F(BatchTest, FolderWithTrailingSeparatorStillWorks) {
    window_->编辑框2->SetContent(Output() + "/");
    RunWith("t");
    EXPECT_TRUE(QFileInfo::exists(Output() + "/t.jpg"));
}

TEST_F(BatchTest, EqualLinesWriteTheSameFileTwice) {
    RunWith("same\r\nsame");
    EXPECT_EQ(WrittenFiles(), QStringList{"same.jpg"});
    EXPECT_EQ(window_->透明标签6->text(), "2");
}

TEST_F(BatchTest, ExistingFileIsReplaced) {
    WriteAll(Output() + "/old.jpg", "previous bytes");
    RunWith("old");
    EXPECT_EQ(ReadSymbolFromFile(Written("old.jpg")).bytes, "old");
}

TEST_F(BatchTest, SecondRunStartsItsCountersAfresh) {
    RunWith("a\r\nb\r\nc\r\nd");
    RunWith("e");
    EXPECT_EQ(window_->透明标签6->text(), "1");
    EXPECT_EQ(window_->透明标签12->text(), "100%");
}

}  // namespace

namespace {

class BatchFolderNameTest : public AppFixture {};

TEST_F(BatchFolderNameTest, FolderNamedLikeTheOutputFileIsReadAsNothing) {
    const QString output = Root() + "/out";
    ASSERT_TRUE(QDir().mkpath(output + "/dir.jpg"));
    auto window = StartWindow();
    window->编辑框2->SetContent(output);
    window->编辑框1->SetContent("dir\r\nnext");
    QTest::mouseClick(window->按钮2, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(output + "/dir.jpg").isDir());
    EXPECT_EQ(window->透明标签6->text(), "2");
    ASSERT_EQ(MessagesShown().size(), 1);
    EXPECT_TRUE(MessagesShown()[0].contains("第 1 行“dir”：无法写入文件"));
    EXPECT_EQ(ReadSymbolFromFile(ReadAll(output + "/next.jpg")).bytes, "next");
}

}  // namespace
