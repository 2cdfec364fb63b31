#include "toolkit/qt/controls/simple_controls.h"

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    // The caption sits in the frame's top edge, as on Windows; the frame starts half a line
    // down, so the controls' places inside the box stay where the description puts them.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #c8c8c8; border-radius: 2px; margin-top: 7px;"
        " background: white; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 7px; padding: 0 2px; background: white; }"));
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
    // The dropped-down part is a list below the box (not over it, not screen-high), at least
    // 160 pixels high: eleven rows of the default font.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(11);
}
