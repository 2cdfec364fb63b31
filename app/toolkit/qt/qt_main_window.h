#pragma once

#include <QString>
#include <QWidget>

#include "shell/main_window.h"
#include "toolkit/controls.h"
#include "toolkit/qt/controls/components.h"
#include "toolkit/qt/controls/edit_boxes.h"
#include "toolkit/qt/controls/labels.h"
#include "toolkit/qt/controls/picture_box.h"
#include "toolkit/qt/controls/simple_controls.h"

// The main window on Qt: a widget with the controls of the window description as child widgets
// (object names as in the description). Its members carry the control names with their Qt
// types; the behaviours get the same controls through MainWindow.
class QtMainWindow : public QWidget, public ui::Window {
  public:
    // programFolder: the folder of the program file; empty means the running executable's.
    explicit QtMainWindow(const QString& programFolder = {});

#define QR_DECLARE_QT_CONTROL(name, kind, ...) ::kind* name = nullptr;
    QR_MAIN_WINDOW_CONTROLS(QR_DECLARE_QT_CONTROL)
#undef QR_DECLARE_QT_CONTROL

    // The behaviours' view of this window.
    MainWindow& Behaviours() {
        return view_;
    }
    operator MainWindow&() {
        return view_;
    }
    AppPaths& paths = view_.paths;

    std::string Title() const override;
    void SetTitle(const std::string& title) override;
    void Close() override {
        close();
    }
    bool Closed() const override {
        return closed_;
    }
    void Repaint() override {
        repaint();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FitFrameAndCentre();

    MainWindow view_;
    bool closed_ = false;
};
