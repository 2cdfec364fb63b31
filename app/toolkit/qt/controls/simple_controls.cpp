#include "toolkit/qt/controls/simple_controls.h"

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

Button::Button(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (ui::Button::clicked) ui::Button::clicked();
    });
}

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setInsertPolicy(QComboBox::InsertAtBottom);
    // The dropped-down part is at least 160 pixels high: ten rows of the default font.
    setMaxVisibleItems(10);
}
