#include "shell/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include "batch/batch_handlers.h"
#include "notice/clock.h"
#include "notice/fetch_notice.h"
#include "shell/startup.h"
#include "text/code_page.h"

MainWindow::MainWindow(const QString& programFolder) {
    setupUi(this);
    const QString folder =
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    paths.programFolder = ToSystem8Bit(folder);

    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kOuterWidth, kOuterHeight);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);

    // Esc closes the window from whichever control has the focus, also inside 编辑框1.
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    BindEvents();
    FitFrameAndCentre();
}

void MainWindow::BindEvents() {
    connect(时钟1, &Timer::tick, this, [this] { OnClockTick(*this); });
    connect(透明标签14, &LinkLabel::leftButtonPressed, this, [this] { OnLinkClicked(*this); });
    connect(编辑框4, &EditBox::contentChanged, this, [this] { OnImageWidthChanged(*this); });
    connect(按钮3, &QPushButton::clicked, this, [this] { GenerateSingle(*this); });
    connect(按钮4, &QPushButton::clicked, this, [this] { SaveSingle(*this); });
    connect(按钮2, &QPushButton::clicked, this, [this] { RunBatch(*this); });
    connect(按钮1, &QPushButton::clicked, this, [this] { ChooseFolder(*this); });
    connect(编辑框2, &EditBox::contentChanged, this, [this] { OnFolderChanged(*this); });
    connect(编辑框1, &MultiLineEditBox::contentChanged, this, [this] { CountInputLines(*this); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closed_ = true;
    QWidget::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitFrameAndCentre();
}

void MainWindow::FitFrameAndCentre() {
    // 879 x 554 is the outer size, frame and caption included; the frame is known once the
    // window system has placed the window.
    QWindow* handle = windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    setFixedSize(kOuterWidth - frame.left() - frame.right(),
                 kOuterHeight - frame.top() - frame.bottom());
    if (const QScreen* display = screen()) {
        const QRect area = display->geometry();
        const QPoint outer(area.x() + (area.width() - kOuterWidth) / 2,
                           area.y() + (area.height() - kOuterHeight) / 2);
        if (handle != nullptr)
            handle->setFramePosition(outer);
        else
            move(outer);
    }
}

void OnImageWidthChanged(MainWindow& window) {
    window.编辑框5->SetContent(window.编辑框4->Content());
}
