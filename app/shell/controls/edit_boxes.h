#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

// Single-line edit box. contentChanged follows every change of the text: typed, pasted, or
// assigned with SetContent. An assignment raises it exactly once, even when the text is equal.
class EditBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit EditBox(QWidget* parent = nullptr);

    QString Content() const { return text(); }
    void SetContent(const QString& content);

  signals:
    void contentChanged();
};

// Multi-line edit box. Its content uses CR LF between lines, as the input rules expect.
class MultiLineEditBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit MultiLineEditBox(QWidget* parent = nullptr);

    QString Content() const;
    void SetContent(const QString& content);

  signals:
    void contentChanged();

  private:
    bool assigning_ = false;
};
