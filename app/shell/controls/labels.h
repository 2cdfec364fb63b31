#pragma once

#include <QColor>
#include <QLabel>

// One line of text over a see-through background, left-aligned and vertically centred.
class TransparentLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TransparentLabel(QWidget* parent = nullptr);
};

// An opaque rectangle with a background colour (the progress bar).
class Label : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
  public:
    explicit Label(QWidget* parent = nullptr);

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);
};

// The link line: embossed text in a settable colour with its own pixel-sized font. A press of
// the left button raises leftButtonPressed at once, before the button is released.
class LinkLabel : public TransparentLabel {
    Q_OBJECT
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
    Q_PROPERTY(int fontPixelHeight READ fontPixelHeight WRITE setFontPixelHeight)
  public:
    explicit LinkLabel(QWidget* parent = nullptr);

    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    int fontPixelHeight() const { return font().pixelSize(); }
    void setFontPixelHeight(int pixels);

  signals:
    void leftButtonPressed(QPoint position, Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QColor textColor_{Qt::black};
};
