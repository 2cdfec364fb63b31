#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include "toolkit/controls.h"

// A framed box with a caption on a white background; the container of its controls.
class GroupBox : public QGroupBox, public ui::GroupBox {
  public:
    explicit GroupBox(QWidget* parent = nullptr);

    std::string Caption() const override { return title().toStdString(); }
};

// A push button that is never a default button, so Enter elsewhere clicks nothing.
class Button : public QPushButton, public ui::Button {
  public:
    explicit Button(QWidget* parent = nullptr);

    std::string Caption() const override { return text().toStdString(); }
    void Click() override { click(); }
};

// A closed list the user picks from without typing; items keep the order they were added in.
class DropDownList : public QComboBox, public ui::DropDownList {
  public:
    explicit DropDownList(QWidget* parent = nullptr);

    void AddItem(const std::string& text) override { addItem(QString::fromStdString(text)); }
    int ItemCount() const override { return count(); }
    std::string ItemText(int index) const override { return itemText(index).toStdString(); }
    int SelectedIndex() const override { return currentIndex(); }
    void SetSelectedIndex(int index) override { setCurrentIndex(index); }
};
