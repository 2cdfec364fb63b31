#pragma once

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <memory>

// Repeats the action until the dialog has gone: a file dialog may ignore an early answer
// while it is still reading its folder.
template <typename T>
void WhenModalShown(std::function<void(T*)> action) {
    auto* poll = new QTimer(qApp);
    auto acted = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action, acted] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        // Answer only from inside the dialog's own event loop: an answer given while it is
        // still being shown would leave that loop waiting forever.
        if (dialog != nullptr && dialog->isVisible() &&
            QThread::currentThread()->loopLevel() >= 1) {
            *acted = true;
            action(dialog);
        } else if (*acted && dialog == nullptr) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(20);
}
