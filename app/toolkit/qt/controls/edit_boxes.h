#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include "toolkit/controls.h"

// Single-line edit box. contentChanged follows every change of the text: typed, pasted, or
// assigned with SetContent. An assignment raises it exactly once, even when the text is equal.
class EditBox : public QLineEdit, public ui::EditBox {
  public:
    explicit EditBox(QWidget* parent = nullptr);

    std::string Content() const override;
    void SetContent(const std::string& content) override;
    void SetContent(const QString& content) { SetContent(content.toStdString()); }
    void SetContent(const char* content) { SetContent(std::string(content)); }
};

// Multi-line edit box. Its content uses CR LF between lines, as the input rules expect.
class MultiLineEditBox : public QPlainTextEdit, public ui::EditBox {
  public:
    explicit MultiLineEditBox(QWidget* parent = nullptr);

    std::string Content() const override;
    void SetContent(const std::string& content) override;
    void SetContent(const QString& content) { SetContent(content.toStdString()); }
    void SetContent(const char* content) { SetContent(std::string(content)); }

  private:
    bool assigning_ = false;
};
