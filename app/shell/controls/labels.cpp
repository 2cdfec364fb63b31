#include "shell/controls/labels.h"

#include <QMouseEvent>
#include <QPainter>

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    setWordWrap(false);
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
}

QColor Label::backgroundColor() const {
    return palette().color(QPalette::Window);
}

void Label::setBackgroundColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

LinkLabel::LinkLabel(QWidget* parent) : TransparentLabel(parent) {}

void LinkLabel::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void LinkLabel::setFontPixelHeight(int pixels) {
    QFont pixelFont = font();
    pixelFont.setPixelSize(pixels);
    setFont(pixelFont);
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    // White one pixel right and down first, then the text colour in place: the embossed look.
    painter.setPen(Qt::white);
    painter.drawText(area.translated(1, 1), int(alignment()), text());
    painter.setPen(textColor_);
    painter.drawText(area, int(alignment()), text());
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit leftButtonPressed(event->position().toPoint(), event->modifiers());
    TransparentLabel::mousePressEvent(event);
}
