#pragma once

#include <QColor>
#include <QLabel>

#include "toolkit/controls.h"

// One line of text over a see-through background, left-aligned and vertically centred; a long
// caption widens it by the rule of CaptionLabelWidth.
class TransparentLabel : public QLabel, public ui::TransparentLabel {
  public:
    explicit TransparentLabel(QWidget* parent = nullptr);

    std::string Caption() const override { return text().toStdString(); }
    void SetCaption(const std::string& caption) override;

  private:
    int describedWidth_ = -1;
};

// An opaque rectangle with a background colour (the progress bar).
class Label : public QLabel, public ui::Label {
  public:
    explicit Label(QWidget* parent = nullptr);

    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);

    int Width() const override { return width(); }
    void SetWidth(int width) override { resize(width, height()); }
};

// The link line: embossed text in a settable colour with its own pixel-sized font. A press of
// the left button raises leftButtonPressed at once, before the button is released.
class LinkLabel : public QLabel, public ui::LinkLabel {
  public:
    explicit LinkLabel(QWidget* parent = nullptr);

    std::string Caption() const override { return text().toStdString(); }
    void SetCaption(const std::string& caption) override {
        setText(QString::fromStdString(caption));
    }
    ui::Colour TextColour() const override { return colour_; }
    void SetTextColour(ui::Colour colour) override;
    QColor textColor() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ui::Colour colour_ = ui::kBlack;
};

// A Windows colour value (0x00BBGGRR) as a Qt colour.
QColor ToQColor(ui::Colour colour);
