#include "ui/edit/SaveMessages.h"

#include <QCoreApplication>

namespace quorvel::savemessages {

namespace {

Handler &handler()
{
    static Handler h;
    return h;
}

ChoiceHandler &choiceHandler()
{
    static ChoiceHandler h;
    return h;
}

QString warning()
{
    return QCoreApplication::translate("quorvel::savemessages", "Warning");
}

} // namespace

void setHandler(Handler h)
{
    handler() = std::move(h);
}

void setChoiceHandler(ChoiceHandler h)
{
    choiceHandler() = std::move(h);
}

QMessageBox::StandardButton askYesNoCancel(QWidget *parent, const QString &text)
{
    if (choiceHandler())
        return choiceHandler()(text);
    if (handler())
        return handler()(text, true) ? QMessageBox::Yes : QMessageBox::No;
    QMessageBox box(QMessageBox::Question, warning(), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::No ? QMessageBox::StandardButton(answer)
                                                                   : QMessageBox::Cancel;
}

bool ask(QWidget *parent, const QString &text, QMessageBox::Icon icon)
{
    if (handler())
        return handler()(text, true);
    QMessageBox box(icon, warning(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void tell(QWidget *parent, const QString &text, QMessageBox::Icon icon, const QString &caption)
{
    if (handler()) {
        handler()(text, false);
        return;
    }
    QMessageBox box(icon, caption.isEmpty() ? warning() : caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace quorvel::savemessages
