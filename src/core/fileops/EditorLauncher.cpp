#include "core/fileops/EditorLauncher.h"

#include "core/settings/ProfileStringList.h"

#include <QDir>
#include <QProcess>

namespace quorvel {

QStringList EditorLauncher::arguments(const QStringList &files)
{
    QStringList out;
    out.reserve(files.size());
    for (const QString &file : files) {
        if (!file.isEmpty())
            out.append(QDir::toNativeSeparators(file));
    }
    return out;
}

bool EditorLauncher::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool EditorLauncher::launch(qsizetype index, const QStringList &files, const Starter &start)
{
    ProfileStringList editors = ProfileStringList::editors();
    editors.load();
    if (index < 0 || index >= editors.count())
        return false;
    const QStringList args = arguments(files);
    if (args.isEmpty())
        return false;
    const QString program = editors.at(index);
    return start ? start(program, args) : startDetached(program, args);
}

} // namespace quorvel
