#include "shell/controls/picture_box.h"

#include <QPixmap>

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void PictureBox::SetPictureBytes(const QByteArray& bytes) {
    bytes_ = bytes;
    QPixmap picture;
    // The format comes from the bytes, not from a name: BMP data may sit in a ".jpg" file.
    if (!bytes.isEmpty() && picture.loadFromData(bytes))
        setPixmap(picture);
    else
        clear();
}
