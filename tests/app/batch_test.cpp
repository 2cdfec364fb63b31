// Whole batch runs through the window, reading every written file back.
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
    EXPECT_EQ(ReadSymbolFromFile(ReadAll(output + "/next.jpg")).bytes, "next");
}

}  // namespace
