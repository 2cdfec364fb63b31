#pragma once

#include <QByteArray>
#include <QLabel>

// Shows a picture given as the bytes of an image file and keeps those bytes, so they can be
// saved again exactly as loaded. Empty bytes clear it.
class PictureBox : public QLabel {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPictureBytes(const QByteArray& bytes);
    const QByteArray& PictureBytes() const { return bytes_; }

  private:
    QByteArray bytes_;
};
