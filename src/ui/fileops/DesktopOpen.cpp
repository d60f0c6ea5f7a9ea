#include "ui/fileops/DesktopOpen.h"

#include "ui/fileops/Prompts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace quorvel {

namespace {

std::function<bool(const QUrl &)> &opener()
{
    static std::function<bool(const QUrl &)> function;
    return function;
}

} // namespace

void setDesktopOpener(std::function<bool(const QUrl &)> function)
{
    opener() = std::move(function);
}

bool openWithDesktop(QWidget *parent, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        Prompts::instance().tell(
            parent, QCoreApplication::translate("quorvel::DesktopOpen", "Warning"),
            QCoreApplication::translate("quorvel::DesktopOpen", "Cannot open \"%1\": it does not exist.").arg(shown),
            Prompts::Icon::Warning);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = opener() ? opener()(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        Prompts::instance().tell(parent, QCoreApplication::translate("quorvel::DesktopOpen", "Warning"),
                                 QCoreApplication::translate(
                                     "quorvel::DesktopOpen",
                                     "Cannot open \"%1\": the desktop has no program set up to open it.")
                                     .arg(shown),
                                 Prompts::Icon::Warning);
    }
    return opened;
}

} // namespace quorvel
