#pragma once

#include <QString>
#include <QWidget>

#include "shell/app_paths.h"
#include "ui_main_window.h"

// The one window of the program. Its 41 controls come from the window description and are
// public members named as the description names them (编辑框1, 透明标签14, 时钟1, ...).
// Edit boxes are assigned with SetContent, which raises their content-changed event.
class MainWindow : public QWidget, public Ui::MainWindow {
    Q_OBJECT
  public:
    static constexpr int kOuterWidth = 879;
    static constexpr int kOuterHeight = 554;

    // programFolder: the folder of the program file; empty means the running executable's.
    explicit MainWindow(const QString& programFolder = {});

    AppPaths paths;

    // True once the window has been closed (close box, Esc, or close() from code).
    bool Closed() const { return closed_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BindEvents();
    void FitFrameAndCentre();

    bool closed_ = false;
};

// The mirror of the image width into the height box: 编辑框4's content goes to 编辑框5.
void OnImageWidthChanged(MainWindow& window);
