#pragma once

#include <QTimer>
#include <QWidget>

#include "toolkit/controls.h"

// Invisible components of the window. They are hidden widgets only so that they sit in the
// window beside the visible controls, under their names; they are never drawn.

// Raises tick every interval milliseconds from creation; an interval of 0 or less stops it.
class Timer : public QWidget, public ui::Timer {
  public:
    explicit Timer(QWidget* parent = nullptr);

    int Interval() const override { return interval_; }
    void SetInterval(int milliseconds) override;

  private:
    QTimer timer_;
    int interval_ = 0;
};

// The settings of the system's file dialog and, after a confirmed Show, the chosen file name.
class SaveFileDialog : public QWidget, public ui::SaveFileDialog {
  public:
    explicit SaveFileDialog(QWidget* parent = nullptr);

    // Shows the dialog modally over the window; true when the user confirmed a file name.
    bool Show() override;
};
