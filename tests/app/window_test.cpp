// The main window as the user first sees it: controls, frame, keys and the event bindings.
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "app_fixture.h"

namespace {

struct ControlRow {
    const char* name;
    const char* kind;
    const char* container;
    int left, top, width, height;
    const char* caption;  // nullptr where the kind has none
};

const ControlRow kControls[] = {
    {"分组框5", "GroupBox", "MainWindow", 8, 8, 232, 80, "生成单个内容"},
    {"编辑框123456", "EditBox", "分组框5", 8, 23, 208, 20, ""},
    {"透明标签9", "TransparentLabel", "分组框5", 18, 45, 24, 24, "像素"},
    {"编辑框3", "EditBox", "分组框5", 47, 48, 40, 20, "200"},
    {"按钮3", "Button", "分组框5", 91, 48, 60, 20, "生成"},
    {"按钮4", "Button", "分组框5", 155, 48, 60, 20, "保存"},
    {"分组框1", "GroupBox", "MainWindow", 8, 104, 232, 416, "批量转换-待转换内容输入"},
    {"编辑框1", "MultiLineEditBox", "分组框1", 10, 25, 208, 383, nullptr},
    {"分组框2", "GroupBox", "MainWindow", 256, 8, 232, 88, "保存"},
    {"透明标签1", "TransparentLabel", "分组框2", 8, 16, 56, 24, "保存位置"},
    {"编辑框2", "EditBox", "分组框2", 8, 40, 184, 20, ""},
    {"按钮1", "Button", "分组框2", 196, 40, 24, 20, "…"},
    {"分组框4", "GroupBox", "MainWindow", 256, 104, 232, 128, "二维码参数设置"},
    {"透明标签7", "TransparentLabel", "分组框4", 16, 24, 56, 24, "版本选择"},
    {"组合框_版本1", "DropDownList", "分组框4", 74, 27, 140, 20, nullptr},
    {"透明标签8", "TransparentLabel", "分组框4", 16, 54, 56, 24, "纠错级别"},
    {"组合框_纠错1", "DropDownList", "分组框4", 74, 58, 140, 20, nullptr},
    {"透明标签10", "TransparentLabel", "分组框4", 16, 85, 56, 24, "图像大小"},
    {"编辑框4", "EditBox", "分组框4", 72, 88, 40, 20, "200"},
    {"透明标签11", "TransparentLabel", "分组框4", 118, 86, 16, 24, "×"},
    {"编辑框5", "EditBox", "分组框4", 136, 88, 40, 20, "200"},
    {"分组框3", "GroupBox", "MainWindow", 256, 240, 232, 120, "数据显示"},
    {"透明标签2", "TransparentLabel", "分组框3", 16, 16, 80, 24, "数据总数量："},
    {"透明标签5", "TransparentLabel", "分组框3", 92, 16, 120, 24, ""},
    {"透明标签3", "TransparentLabel", "分组框3", 16, 40, 64, 24, "已生成数量："},
    {"透明标签6", "TransparentLabel", "分组框3", 92, 40, 120, 24, ""},
    {"透明标签4", "TransparentLabel", "分组框3", 16, 65, 56, 24, "生成进度："},
    {"透明标签12", "TransparentLabel", "分组框3", 92, 64, 120, 24, ""},
    {"标签1", "Label", "分组框3", 16, 96, 200, 3, ""},
    {"按钮2", "Button", "MainWindow", 408, 366, 80, 20, "批量生成"},
    {"图片框1", "PictureBox", "MainWindow", 496, 14, 370, 370, nullptr},
    {"分组框6", "GroupBox", "MainWindow", 256, 398, 608, 120, "其他信息————请尊重原创作者"},
    {"透明标签15", "TransparentLabel", "分组框6", 12, 15, 124, 24, "软件当前版本："},
    {"透明标签16", "TransparentLabel", "分组框6", 12, 33, 124, 24, "软件当前版本："},
    {"透明标签17", "TransparentLabel", "分组框6", 12, 51, 180, 24, "软件作者："},
    {"透明标签20", "TransparentLabel", "分组框6", 12, 69, 236, 24, "北京时间："},
    {"透明标签13", "TransparentLabel", "分组框6", 10, 88, 110, 24, "澜格帖子链接："},
    {"透明标签14", "LinkLabel", "分组框6", 118, 89, 475, 24, "未获取到数据"},
    {"图片框2", "PictureBox", "分组框6", 392, 11, 208, 71, nullptr},
    {"时钟1", "Timer", "MainWindow", 496, 400, 26, 26, nullptr},
    {"通用对话框1", "SaveFileDialog", "MainWindow", 224, 72, 26, 26, nullptr},
};

// The control kind of a widget, by its class; empty for the toolkit's inner widgets.
std::string KindOf(const QWidget* control) {
    if (dynamic_cast<const ::GroupBox*>(control)) return "GroupBox";
    if (dynamic_cast<const ::EditBox*>(control)) return "EditBox";
    if (dynamic_cast<const ::MultiLineEditBox*>(control)) return "MultiLineEditBox";
    if (dynamic_cast<const ::Button*>(control)) return "Button";
    if (dynamic_cast<const ::DropDownList*>(control)) return "DropDownList";
    if (dynamic_cast<const ::TransparentLabel*>(control)) return "TransparentLabel";
    if (dynamic_cast<const ::LinkLabel*>(control)) return "LinkLabel";
    if (dynamic_cast<const ::Label*>(control)) return "Label";
    if (dynamic_cast<const ::PictureBox*>(control)) return "PictureBox";
    if (dynamic_cast<const ::Timer*>(control)) return "Timer";
    if (dynamic_cast<const ::SaveFileDialog*>(control)) return "SaveFileDialog";
    return {};
}

QString CaptionOf(const QWidget* control) {
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    return {};
}

std::string DefaultInput() {
    std::string text = "测试数据\r\n";
    for (long long n = 20210706001; n <= 20210707000; ++n) text += std::to_string(n) + "\r\n";
    return text;
}

class WindowTest : public AppFixture {};

TEST_F(WindowTest, HoldsExactlyTheFortyOneControlsOfTheTable) {
    auto window = CreateWindow();
    int controls = 0;
    for (const QWidget* child : window->findChildren<QWidget*>())
        if (!KindOf(child).empty()) ++controls;
    EXPECT_EQ(controls, 41);
    EXPECT_EQ(std::size(kControls), 41u);

    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        const auto* control = window->findChild<QWidget*>(QString::fromUtf8(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(KindOf(control), row.kind);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromUtf8(row.container));
        EXPECT_EQ(control->geometry(), QRect(row.left, row.top, row.width, row.height));
        if (row.caption != nullptr) {
            EXPECT_EQ(CaptionOf(control), QString::fromUtf8(row.caption));
        }
    }
}

TEST_F(WindowTest, MembersCarryTheControlNames) {
    auto window = CreateWindow();
    EXPECT_EQ(window->编辑框1, window->findChild<QWidget*>("编辑框1"));
    EXPECT_EQ(window->透明标签14, window->findChild<QWidget*>("透明标签14"));
    EXPECT_EQ(window->组合框_纠错1, window->findChild<QWidget*>("组合框_纠错1"));
    EXPECT_EQ(window->时钟1, window->findChild<QWidget*>("时钟1"));
    EXPECT_EQ(window->通用对话框1, window->findChild<QWidget*>("通用对话框1"));
}

TEST_F(WindowTest, InputBoxHoldsTheThousandAndOneDefaultLines) {
    auto window = CreateWindow();
    EXPECT_EQ(window->编辑框1->Content(), DefaultInput());
    EXPECT_EQ(window->编辑框1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(window->编辑框1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->编辑框1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(window->编辑框1->isReadOnly());
}

TEST_F(WindowTest, ListsStartInTheirTemplateState) {
    auto window = CreateWindow();
    EXPECT_EQ(window->组合框_版本1->count(), 0);
    EXPECT_EQ(window->组合框_版本1->currentIndex(), -1);
    ASSERT_EQ(window->组合框_纠错1->count(), 4);
    EXPECT_EQ(window->组合框_纠错1->itemText(0), "L(5%)");
    EXPECT_EQ(window->组合框_纠错1->itemText(1), "M(15%)");
    EXPECT_EQ(window->组合框_纠错1->itemText(2), "Q(25%)");
    EXPECT_EQ(window->组合框_纠错1->itemText(3), "H(30%)");
    EXPECT_EQ(window->组合框_纠错1->currentIndex(), 0);
    EXPECT_EQ(window->组合框_纠错1->currentText(), "L(5%)");
    EXPECT_FALSE(window->组合框_纠错1->isEditable());
}

TEST_F(WindowTest, ControlsHaveTheirKindsLooks) {
    auto window = CreateWindow();
    for (EditBox* box : {window->编辑框3, window->编辑框4, window->编辑框5})
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (EditBox* box : {window->编辑框2, window->编辑框123456})
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    EXPECT_TRUE(window->图片框1->hasScaledContents());
    EXPECT_EQ(window->图片框1->frameShape(), QFrame::Box);
    EXPECT_EQ(window->图片框1->lineWidth(), 1);
    EXPECT_FALSE(window->图片框2->hasScaledContents());
    EXPECT_EQ(window->图片框2->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(window->图片框2->alignment(), Qt::AlignLeft | Qt::AlignTop);

    EXPECT_EQ(window->标签1->backgroundColor(), QColor(0, 128, 0));
    EXPECT_TRUE(window->标签1->autoFillBackground());
    EXPECT_FALSE(window->透明标签5->autoFillBackground());
    EXPECT_EQ(window->分组框3->palette().color(QPalette::Window), QColor(Qt::white));

    LinkLabel& link = *window->透明标签14;
    EXPECT_EQ(link.textColor(), QColor(0, 0, 255));
    EXPECT_EQ(link.font().pixelSize(), 12);
    EXPECT_TRUE(link.font().underline());
    EXPECT_FALSE(link.font().bold());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WindowTest, InvisibleComponentsHoldTheirSettings) {
    auto window = CreateWindow();
    window->show();
    EXPECT_FALSE(window->时钟1->isVisible());
    EXPECT_FALSE(window->通用对话框1->isVisible());
    EXPECT_EQ(window->时钟1->Interval(), 500);
    const SaveFileDialog& dialog = *window->通用对话框1;
    EXPECT_TRUE(dialog.saveType);
    EXPECT_EQ(dialog.nameFilter, ".jpg");
    EXPECT_EQ(dialog.defaultSuffix, ".jpg");
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_TRUE(dialog.title.empty());
    EXPECT_TRUE(dialog.fileName.empty());
    EXPECT_TRUE(dialog.initialFolder.empty());
    EXPECT_TRUE(dialog.confirmOverwrite);
}

TEST_F(WindowTest, TimerTicksFromCreation) {
    auto window = CreateWindow();
    EventCounter ticks(window->时钟1->tick);
    EXPECT_TRUE(ticks.wait(2000));
}

TEST_F(WindowTest, FrameIsFixedCentredWhiteAndUntitled) {
    auto window = CreateWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->frameGeometry().size(), QSize(879, 554));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window->Title(), "");
    // An empty title would make the window system show the program's name instead.
    EXPECT_FALSE(window->windowTitle().isEmpty());
    EXPECT_TRUE(QString(window->windowTitle()).remove(QChar(0x200B)).trimmed().isEmpty());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(Qt::white));
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(screen.x() + (screen.width() - 879) / 2,
                                                        screen.y() + (screen.height() - 554) / 2));
}

TEST_F(WindowTest, EscapeInsideTheInputBoxClosesTheWindow) {
    auto window = CreateWindow();
    window->show();
    window->编辑框1->setFocus();
    QTest::keyClick(window->编辑框1, Qt::Key_Escape);
    EXPECT_TRUE(window->Closed());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, EscapeOnAButtonOrListClosesTheWindow) {
    for (int which = 0; which < 2; ++which) {
        auto window = CreateWindow();
        window->show();
        QWidget* target = which == 0 ? static_cast<QWidget*>(window->按钮2)
                                     : static_cast<QWidget*>(window->组合框_纠错1);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(window->Closed()) << which;
    }
}

TEST_F(WindowTest, EscapeInAnOpenListClosesOnlyTheList) {
    auto window = StartWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const std::string typed = "我的列表\r\nline 2\r\n";
    window->编辑框1->SetContent(typed);
    for (DropDownList* list : {window->组合框_版本1, window->组合框_纠错1}) {
        SCOPED_TRACE(list->objectName().toStdString());
        list->showPopup();
        QWidget* popup = list->view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        // Through the popup's own window, where the keyboard goes while it is open.
        QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !popup->isVisible(); }, 2000));
        EXPECT_FALSE(window->Closed());
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(window->编辑框1->Content(), typed);
    // With the list closed, Esc on it closes the window as everywhere else.
    QTest::keyClick(window->组合框_纠错1, Qt::Key_Escape);
    EXPECT_TRUE(window->Closed());
}

TEST_F(WindowTest, SingleLineBoxesHoldTextsBeyondThirtyTwoThousandCharacters) {
    auto window = CreateWindow();
    for (const int length : {32767, 32768, 100000}) {
        const std::string text = std::string(std::size_t(length) - 1, 'x') + "码";
        for (EditBox* box : {window->编辑框123456, window->编辑框2, window->编辑框3,
                             window->编辑框4, window->编辑框5}) {
            box->SetContent(text);
            const std::string got = box->Content();
            EXPECT_EQ(got.size(), text.size()) << box->objectName().toStdString();
            EXPECT_TRUE(got == text) << box->objectName().toStdString() << " " << length;
        }
    }
}

TEST_F(WindowTest, EnterInTheInputBoxStartsANewLine) {
    auto window = CreateWindow();
    window->show();
    window->编辑框1->SetContent("ab");
    window->编辑框1->moveCursor(QTextCursor::End);
    QTest::keyClick(window->编辑框1, Qt::Key_Return);
    QTest::keyClicks(window->编辑框1, "c");
    EXPECT_EQ(window->编辑框1->Content(), "ab\r\nc");
    EXPECT_EQ(window->透明标签5->text(), "2");
    EXPECT_FALSE(window->Closed());
}

TEST_F(WindowTest, EnterElsewhereClicksNothing) {
    auto window = StartWindow();
    window->show();
    const QString output = Root() + "/out";
    ASSERT_TRUE(QDir().mkpath(output));
    window->编辑框2->SetContent(output);
    for (QWidget* target : std::initializer_list<QWidget*>{window->按钮2, window->按钮3,
                                                           window->编辑框2, window->编辑框123456}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
    }
    EXPECT_TRUE(QDir(output).isEmpty());
    EXPECT_TRUE(window->透明标签6->text().isEmpty());
    EXPECT_TRUE(window->编辑框123456->text().isEmpty());
    EXPECT_FALSE(QFile::exists(ProgramFolder() + "/a.jpg"));
    EXPECT_FALSE(window->Closed());
}

TEST_F(WindowTest, WidthMirrorsIntoHeightOneWayOnly) {
    auto window = CreateWindow();
    window->show();
    window->编辑框4->selectAll();
    QTest::keyClicks(window->编辑框4, "abc");
    EXPECT_EQ(window->编辑框5->text(), "abc");
    window->编辑框4->selectAll();
    QTest::keyClick(window->编辑框4, Qt::Key_Backspace);
    EXPECT_EQ(window->编辑框5->text(), "");

    window->编辑框4->SetContent("300");
    window->编辑框5->selectAll();
    QTest::keyClicks(window->编辑框5, "150");
    EXPECT_EQ(window->编辑框5->text(), "150");
    EXPECT_EQ(window->编辑框4->text(), "300");
}

TEST_F(WindowTest, AssignmentRaisesContentChangedExactlyOnceEvenWhenEqual) {
    auto window = CreateWindow();
    EventCounter folder(window->编辑框2->contentChanged);
    window->编辑框2->SetContent("");
    EXPECT_EQ(folder.count(), 1);
    window->编辑框2->SetContent("x");
    window->编辑框2->SetContent("x");
    EXPECT_EQ(folder.count(), 3);

    EventCounter input(window->编辑框1->contentChanged);
    const std::string same = window->编辑框1->Content();
    window->编辑框1->SetContent(same);
    EXPECT_EQ(input.count(), 1);
    EXPECT_EQ(window->编辑框1->Content(), same);
}

TEST_F(WindowTest, TypingRaisesContentChanged) {
    auto window = CreateWindow();
    window->show();
    EventCounter folder(window->编辑框2->contentChanged);
    QTest::keyClicks(window->编辑框2, "ab");
    EXPECT_EQ(folder.count(), 2);
}

TEST_F(WindowTest, LinkLineReactsOnPressBeforeRelease) {
    auto window = CreateWindow();
    window->show();
    EventCounter pressed(window->透明标签14->leftButtonPressed);
    QTest::mousePress(window->透明标签14, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pressed.count(), 1);
    QTest::mouseRelease(window->透明标签14, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(pressed.count(), 1);
    QTest::mousePress(window->透明标签14, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(pressed.count(), 1);
}

TEST_F(WindowTest, LinkLineIsDrawnInItsTextColour) {
    auto window = CreateWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->透明标签14->SetTextColour(ui::kBlue);
    const QImage picture = window->透明标签14->grab().toImage();
    int blue = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) == QColor(0, 0, 255)) ++blue;
    EXPECT_GT(blue, 20);
}

TEST_F(WindowTest, DropDownListsOpenAsAListBelowTheBox) {
    auto window = StartWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (DropDownList* list : {window->组合框_版本1, window->组合框_纠错1}) {
        list->showPopup();
        QWidget* popup = list->view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        const QRect box(list->mapToGlobal(QPoint(0, 0)), list->size());
        EXPECT_GE(popup->geometry().top(), box.bottom() - 1);
        EXPECT_LT(popup->height(), 400);
        list->hidePopup();
    }
    EXPECT_GE(window->组合框_版本1->view()->window()->height(), 160);
}

TEST_F(WindowTest, GroupCaptionsSitInTheFramesTopEdgeAndTheLogoLeavesTheFrame) {
    auto window = CreateWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage box = window->分组框6->grab().toImage();
    const auto dark = [&](int x, int y) { return qGray(box.pixel(x, y)) < 240; };
    int frameRow = -1;  // the first row drawn across the right half: the frame's top edge
    for (int y = 0; y < box.height() && frameRow < 0; ++y) {
        int drawn = 0;
        for (int x = box.width() / 2; x < box.width() - 4; ++x) drawn += dark(x, y) ? 1 : 0;
        if (drawn > (box.width() / 2 - 4) / 2) frameRow = y;
    }
    ASSERT_GE(frameRow, 0);
    EXPECT_LT(frameRow, 11);  // above the logo box, which starts at 11
    int captionTop = box.height(), captionBottom = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 12; x < 200; ++x)
            if (qGray(box.pixel(x, y)) < 128)
                captionTop = std::min(captionTop, y), captionBottom = std::max(captionBottom, y);
    EXPECT_LT(captionTop, frameRow);
    EXPECT_GT(captionBottom, frameRow);
}

TEST_F(WindowTest, ALongClockLineWidensItsLabelInsideItsGroup) {
    auto window = CreateWindow();
    const QString line = "北京时间：2026/12/8 WednesdayAM 08:42:17";
    window->透明标签20->SetCaption(line.toStdString());
    const int needed = window->透明标签20->fontMetrics().horizontalAdvance(line);
    EXPECT_GE(window->透明标签20->width(), needed);
    EXPECT_LE(window->透明标签20->geometry().right(), window->分组框6->width());
    window->透明标签20->SetCaption("北京时间：");
    EXPECT_EQ(window->透明标签20->width(), 236);  // the described width again
}

TEST_F(WindowTest, StandardDialogsAndButtonsSpeakChinese) {
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
}

}  // namespace
