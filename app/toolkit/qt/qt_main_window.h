#pragma once

#include <QString>
#include <QWidget>

#include "shell/main_window.h"
#include "toolkit/controls.h"

// The main window on Qt: a widget with the controls of the window description as child widgets
// (object names as in the description), and the behaviours' view of it with the same names.
class QtMainWindow : public QWidget, public ui::Window, public MainWindow {
  public:
    // programFolder: the folder of the program file; empty means the running executable's.
    explicit QtMainWindow(const QString& programFolder = {});

    std::string Title() const override { return windowTitle().toStdString(); }
    void SetTitle(const std::string& title) override;
    void Close() override { close(); }
    bool Closed() const override { return closed_; }
    void Repaint() override { repaint(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void FitFrameAndCentre();

    bool closed_ = false;
};

// The Qt widget behind a control of the behaviours' view (nullptr for another toolkit's).
template <typename Control>
QWidget* WidgetOf(Control* control) {
    return dynamic_cast<QWidget*>(control);
}
