#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace quorvel::savemessages {

// The message boxes of the save and edit dialogs, all captioned "Warning"
// unless a caption is given. Tests replace them through setHandler so
// that no box ever waits for a click.

// A Yes/No question; true for Yes.
bool ask(QWidget *parent, const QString &text, QMessageBox::Icon icon = QMessageBox::Question);
// A Yes/No/Cancel question; returns QMessageBox::Yes, No or Cancel.
QMessageBox::StandardButton askYesNoCancel(QWidget *parent, const QString &text);
// A message with an OK button.
void tell(QWidget *parent, const QString &text, QMessageBox::Icon icon, const QString &caption = QString());

// What a replacement sees: the text, and whether it is a question. Its
// return value is the answer to a question.
using Handler = std::function<bool(const QString &text, bool question)>;
void setHandler(Handler handler);

// The replacement for Yes/No/Cancel questions. Without one, a Handler
// answers them (true is Yes, false is No).
using ChoiceHandler = std::function<QMessageBox::StandardButton(const QString &text)>;
void setChoiceHandler(ChoiceHandler handler);

} // namespace quorvel::savemessages
