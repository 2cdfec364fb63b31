#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <vector>

// Answers the message boxes the code under test shows, the way a user would: it finds the
// open box, notes what it shows and then clicks, presses Esc or uses the close box.
class MessageBoxAnswerer : public QObject {
    Q_OBJECT
  public:
    enum class Answer { ClickOk, ClickCancel, PressEscape, CloseBox };

    struct SeenBox {
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::WindowModality modality = Qt::NonModal;
        bool ownedByNoWindow = false;
        Qt::TextFormat textFormat = Qt::AutoText;
        QString watchedTitle;  // the watched window's title while the box was open
    };

    explicit MessageBoxAnswerer(std::deque<Answer> answers, const QWidget* watched = nullptr);

    std::vector<SeenBox> seen;
    int unexpected = 0;  // boxes that came after the scripted answers ran out

  private:
    void Poll();

    std::deque<Answer> answers_;
    const QWidget* watched_;
    QTimer poll_;
};
