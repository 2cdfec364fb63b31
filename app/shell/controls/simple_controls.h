#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

// A framed box with a caption on a white background; the container of its controls.
class GroupBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit GroupBox(QWidget* parent = nullptr);
};

// A push button that is never a default button, so Enter elsewhere clicks nothing.
class Button : public QPushButton {
    Q_OBJECT
  public:
    explicit Button(QWidget* parent = nullptr);
};

// A closed list the user picks from without typing; items keep the order they were added in.
class DropDownList : public QComboBox {
    Q_OBJECT
  public:
    explicit DropDownList(QWidget* parent = nullptr);
};
