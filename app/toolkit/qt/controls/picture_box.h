#pragma once

#include <QLabel>

#include "toolkit/controls.h"

// Shows a picture given as the bytes of an image file and keeps those bytes, so they can be
// saved again exactly as loaded. Empty bytes clear it.
class PictureBox : public QLabel, public ui::PictureBox {
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPictureBytes(ui::Bytes bytes) override;
    const ui::Bytes& PictureBytes() const override { return bytes_; }

  private:
    ui::Bytes bytes_;
};
