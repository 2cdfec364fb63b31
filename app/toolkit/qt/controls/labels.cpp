#include "toolkit/qt/controls/labels.h"

#include <QMouseEvent>
#include <QPainter>
#include <limits>

#include "shell/caption_width.h"

QColor ToQColor(ui::Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

TransparentLabel::TransparentLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    setWordWrap(false);
}

void TransparentLabel::SetCaption(const std::string& caption) {
    if (describedWidth_ < 0) describedWidth_ = width();
    setText(QString::fromStdString(caption));
    const int textWidth = fontMetrics().horizontalAdvance(text()) + 2 * margin();
    const int room =
        parentWidget() != nullptr ? parentWidget()->width() - x() : std::numeric_limits<int>::max();
    resize(CaptionLabelWidth(describedWidth_, textWidth, room), height());
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

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    setWordWrap(false);
}

void LinkLabel::SetTextColour(ui::Colour colour) {
    colour_ = colour;
    update();
}

QColor LinkLabel::textColor() const {
    return ToQColor(colour_);
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    // White one pixel right and down first, then the text colour in place: the embossed look.
    painter.setPen(Qt::white);
    painter.drawText(area.translated(1, 1), int(alignment()), text());
    painter.setPen(textColor());
    painter.drawText(area, int(alignment()), text());
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && leftButtonPressed) leftButtonPressed();
    QLabel::mousePressEvent(event);
}
