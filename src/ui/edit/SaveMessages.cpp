#include "ui/edit/SaveMessages.h"

#include <QCoreApplication>

namespace quorvel::savemessages {

namespace {

Handler &handler()
{
    static Handler h;
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
