#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "message_box_answerer.h"
#include "shell/startup.h"
#include "toolkit/qt/qt_main_window.h"

// Counts the raises of a control's event, still running the handler bound to it.
class EventCounter {
  public:
    explicit EventCounter(std::function<void()>& event) : handler_(event) {
        event = [this] {
            ++count_;
            if (handler_) handler_();
        };
    }
    int count() const { return count_; }
    bool wait(int milliseconds) {
        const int before = count_;
        return QTest::qWaitFor([&] { return count_ > before; }, milliseconds);
    }

  private:
    std::function<void()> handler_;
    int count_ = 0;
};

// A clean machine per test: HOME, XDG_CONFIG_HOME and the program folder in a temporary folder.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir().mkpath(ConfigHome()));
        ASSERT_TRUE(QDir().mkpath(Home()));
        ASSERT_TRUE(QDir().mkpath(ProgramFolder()));
        qputenv("XDG_CONFIG_HOME", ConfigHome().toLocal8Bit());
        qputenv("HOME", Home().toLocal8Bit());
        boxes_ = std::make_unique<MessageBoxAnswerer>(std::deque<MessageBoxAnswerer::Answer>{});
    }

    // The texts of the message boxes shown so far, each closed as soon as it appeared.
    QStringList MessagesShown() const {
        QStringList texts;
        for (const auto& box : boxes_->seen) texts << box.caption + "\n" + box.text;
        return texts;
    }

    QString Root() const { return root_.path(); }
    QString ConfigHome() const { return root_.path() + "/config"; }
    QString Home() const { return root_.path() + "/home"; }
    QString ProgramFolder() const { return root_.path() + "/program"; }
    QString WorkingFolder() const { return ConfigHome() + "/korvalind"; }
    QString SettingsFile() const { return WorkingFolder() + "/Set.ini"; }
    QString LibraryFile() const { return ProgramFolder() + "/QRCodeWin32.dll"; }

    // The window as the program entry makes it, before start-up.
    std::unique_ptr<QtMainWindow> CreateWindow() {
        return std::make_unique<QtMainWindow>(ProgramFolder());
    }

    // The window after its creation-complete event.
    std::unique_ptr<QtMainWindow> StartWindow() {
        auto window = CreateWindow();
        MainWindowCreated(*window);
        return window;
    }

    static QByteArray Bytes(const ui::Bytes& bytes) {
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    }

    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteAll(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

  private:
    QTemporaryDir root_;
    std::unique_ptr<MessageBoxAnswerer> boxes_;
};
