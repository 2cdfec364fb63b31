#include "message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<Answer> answers, const QWidget* watched)
    : answers_(std::move(answers)), watched_(watched) {
    connect(&poll_, &QTimer::timeout, this, &MessageBoxAnswerer::Poll);
    poll_.start(20);
}

void MessageBoxAnswerer::Poll() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible()) continue;
        seen.push_back({box->windowTitle(), box->text(), box->standardButtons(), box->icon(),
                        box->windowModality(), box->parentWidget() == nullptr, box->textFormat(),
                        watched_ ? watched_->windowTitle() : QString()});
        Answer answer = Answer::PressEscape;
        if (answers_.empty()) {
            ++unexpected;
        } else {
            answer = answers_.front();
            answers_.pop_front();
        }
        switch (answer) {
            case Answer::ClickOk:
                if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
                break;
            case Answer::ClickCancel:
                if (QAbstractButton* cancel = box->button(QMessageBox::Cancel)) cancel->click();
                break;
            case Answer::PressEscape:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            case Answer::CloseBox:
                box->close();
                break;
        }
        return;
    }
}
