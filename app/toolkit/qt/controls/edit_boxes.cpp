#include "toolkit/qt/controls/edit_boxes.h"

#include <limits>

namespace {

void Raise(const std::function<void()>& event) {
    if (event) event();
}

}  // namespace

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {
    // No length limit, as on Windows: the toolkit's default cuts typed and assigned texts at
    // 32,767 characters.
    setMaxLength(std::numeric_limits<int>::max());
    // textEdited covers typing, pasting, undo and redo, but not assignments from code.
    connect(this, &QLineEdit::textEdited, this, [this] { Raise(contentChanged); });
}

std::string EditBox::Content() const {
    return text().toStdString();
}

void EditBox::SetContent(const std::string& content) {
    setText(QString::fromStdString(content));
    Raise(contentChanged);
}

MultiLineEditBox::MultiLineEditBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!assigning_) Raise(contentChanged);
    });
}

std::string MultiLineEditBox::Content() const {
    QString content = toPlainText();
    content.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return content.toStdString();
}

void MultiLineEditBox::SetContent(const std::string& content) {
    // setPlainText may signal more than once; the rule is exactly one event per assignment.
    assigning_ = true;
    setPlainText(QString::fromStdString(content));
    assigning_ = false;
    Raise(contentChanged);
}
