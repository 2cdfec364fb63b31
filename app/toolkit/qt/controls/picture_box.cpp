#include "toolkit/qt/controls/picture_box.h"

#include <QPixmap>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void PictureBox::SetPictureBytes(ui::Bytes bytes) {
    bytes_ = std::move(bytes);
    QPixmap picture;
    // The format comes from the bytes, not from a name: BMP data may sit in a ".jpg" file.
    if (!bytes_.empty() && picture.loadFromData(bytes_.data(), uint(bytes_.size())))
        setPixmap(picture);
    else
        clear();
}
