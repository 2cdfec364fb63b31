#include "toolkit/qt/qt_main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>
#include <map>
#include <string>

#include "toolkit/services.h"

namespace {

// The window system shows the program's name for an empty title; a zero-width space keeps the
// title bar empty, as the window has no title until the notice sets one.
const QString kEmptyTitle(QChar(0x200B));

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void SetBackground(QWidget& widget, ui::Colour colour) {
    widget.setAutoFillBackground(true);
    QPalette colours = widget.palette();
    colours.setColor(QPalette::Window, ToQColor(colour));
    widget.setPalette(colours);
}

// Builds the Qt widgets of the description, each inside its container.
class QtControlFactory : public ControlFactory {
  public:
    explicit QtControlFactory(QWidget& window) { containers_["window"] = &window; }

    ui::GroupBox* CreateGroupBox(const ControlDescription& control) override {
        auto* box = Place(new GroupBox, control);
        box->setTitle(Text(control.caption));
        SetBackground(*box, control.extras.background);
        containers_[control.name] = box;
        return box;
    }
    ui::EditBox* CreateEditBox(const ControlDescription& control) override {
        auto* box = Place(new EditBox, control);
        box->setText(Text(control.caption));
        if (control.extras.centred) box->setAlignment(Qt::AlignCenter);
        return box;
    }
    ui::EditBox* CreateMultiLineEditBox(const ControlDescription& control) override {
        auto* box = Place(new MultiLineEditBox, control);
        const std::string text =
            control.extras.defaultInput ? DefaultInputText() : std::string(control.caption);
        box->setPlainText(QString::fromStdString(text).replace(QLatin1String("\r\n"), "\n"));
        return box;
    }
    ui::Button* CreateButton(const ControlDescription& control) override {
        auto* button = Place(new Button, control);
        button->setText(Text(control.caption));
        return button;
    }
    ui::DropDownList* CreateDropDownList(const ControlDescription& control) override {
        auto* list = Place(new DropDownList, control);
        for (const char* item : control.extras.items) list->addItem(Text(item));
        list->setCurrentIndex(control.extras.selectedIndex);
        return list;
    }
    ui::TransparentLabel* CreateTransparentLabel(const ControlDescription& control) override {
        auto* label = Place(new TransparentLabel, control);
        label->setText(Text(control.caption));
        return label;
    }
    ui::LinkLabel* CreateLinkLabel(const ControlDescription& control) override {
        auto* label = Place(new LinkLabel, control);
        label->setText(Text(control.caption));
        label->SetTextColour(control.extras.textColour);
        if (control.extras.fontPixelHeight > 0) {
            QFont font = label->font();
            font.setPixelSize(control.extras.fontPixelHeight);
            font.setUnderline(control.extras.underline);
            label->setFont(font);
        }
        if (control.extras.handPointer) label->setCursor(Qt::PointingHandCursor);
        return label;
    }
    ui::Label* CreateLabel(const ControlDescription& control) override {
        auto* label = Place(new Label, control);
        label->setText(Text(control.caption));
        label->setBackgroundColor(ToQColor(control.extras.background));
        return label;
    }
    ui::PictureBox* CreatePictureBox(const ControlDescription& control) override {
        auto* box = Place(new PictureBox, control);
        SetBackground(*box, control.extras.background);
        if (control.extras.border) {
            box->setFrameShape(QFrame::Box);
            box->setFrameShadow(QFrame::Plain);
            box->setLineWidth(1);
        } else {
            box->setFrameShape(QFrame::NoFrame);
        }
        box->setScaledContents(control.extras.stretch);
        if (!control.extras.stretch) box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return box;
    }
    ui::Timer* CreateTimer(const ControlDescription& control) override {
        auto* timer = Place(new Timer, control);
        timer->SetInterval(control.extras.interval);
        return timer;
    }
    ui::SaveFileDialog* CreateSaveFileDialog(const ControlDescription& control) override {
        auto* dialog = Place(new SaveFileDialog, control);
        dialog->nameFilter = control.extras.nameFilter;
        dialog->defaultSuffix = control.extras.defaultSuffix;
        return dialog;
    }

  private:
    template <typename Widget>
    Widget* Place(Widget* widget, const ControlDescription& control) {
        widget->setParent(containers_.at(control.container));
        widget->setObjectName(Text(control.name));
        widget->setGeometry(control.left, control.top, control.width, control.height);
        return widget;
    }

    std::map<std::string, QWidget*> containers_;
};

}  // namespace

QtMainWindow::QtMainWindow(const QString& programFolder) {
    setObjectName(QStringLiteral("MainWindow"));
    view_.frame = this;
    const QString folder =
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    view_.paths.programFolder = services::ToSystem8Bit(folder.toStdString());

    QFont defaultFont = font();
    defaultFont.setPointSize(9);
    setFont(defaultFont);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kMainWindowOuterWidth, kMainWindowOuterHeight);
    SetBackground(*this, kMainWindowBackground);

    SetTitle({});
    QtControlFactory factory(*this);
    BuildMainWindow(view_, factory);
#define QR_TAKE_QT_CONTROL(name, kind, ...) name = dynamic_cast<::kind*>(view_.name);
    QR_MAIN_WINDOW_CONTROLS(QR_TAKE_QT_CONTROL)
#undef QR_TAKE_QT_CONTROL

    // Esc closes the window from whichever control has the focus, also inside 编辑框1.
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    FitFrameAndCentre();
}

std::string QtMainWindow::Title() const {
    return windowTitle() == kEmptyTitle ? std::string() : windowTitle().toStdString();
}

void QtMainWindow::SetTitle(const std::string& title) {
    setWindowTitle(title.empty() ? kEmptyTitle : QString::fromStdString(title));
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // An open drop-down list takes Esc to close itself, as a native list does: the key goes
        // to the list's own popup window then.
        const auto* target = qobject_cast<QWidget*>(watched);
        if (target != nullptr && target->window()->windowType() == Qt::Popup)
            return QWidget::eventFilter(watched, event);
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void QtMainWindow::closeEvent(QCloseEvent* event) {
    closed_ = true;
    QWidget::closeEvent(event);
}

void QtMainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitFrameAndCentre();
}

void QtMainWindow::FitFrameAndCentre() {
    // 879 x 554 is the outer size, frame and caption included; the frame is known once the
    // window system has placed the window.
    QWindow* handle = windowHandle();
    const QMargins frameSize = handle != nullptr ? handle->frameMargins() : QMargins();
    setFixedSize(kMainWindowOuterWidth - frameSize.left() - frameSize.right(),
                 kMainWindowOuterHeight - frameSize.top() - frameSize.bottom());
    if (const QScreen* display = screen()) {
        const QRect area = display->geometry();
        const QPoint outer(area.x() + (area.width() - kMainWindowOuterWidth) / 2,
                           area.y() + (area.height() - kMainWindowOuterHeight) / 2);
        if (handle != nullptr)
            handle->setFramePosition(outer);
        else
            move(outer);
    }
}
