#include "shell/controls/edit_boxes.h"

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {
    // textEdited covers typing, pasting, undo and redo, but not assignments from code.
    connect(this, &QLineEdit::textEdited, this, &EditBox::contentChanged);
}

void EditBox::SetContent(const QString& content) {
    setText(content);
    emit contentChanged();
}

MultiLineEditBox::MultiLineEditBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!assigning_) emit contentChanged();
    });
}

QString MultiLineEditBox::Content() const {
    QString content = toPlainText();
    content.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return content;
}

void MultiLineEditBox::SetContent(const QString& content) {
    // setPlainText may signal more than once; the rule is exactly one event per assignment.
    assigning_ = true;
    setPlainText(content);
    assigning_ = false;
    emit contentChanged();
}
