#include "Commands.h"

#include "core/files/DescriptionStore.h"
#include "core/files/FileAccess.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace quorvel::cli {

namespace {

QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

// Only what the file list can show is described: a regular file, directly
// or through a link.
QString whyNot(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileAccess::systemError(ENOENT);
    if (!info.isFile())
        return FileAccess::notRegularFile();
    return QString();
}

void refuse(const QString &path, const QString &message)
{
    err(QStringLiteral("quorvel-tool: %1: %2")
            .arg(QDir::toNativeSeparators(path), QString(message).replace(QLatin1Char('\n'), QLatin1String(": "))));
}

} // namespace

// Prints a file's description from its folder's descript.ion, or stores one
// (an empty text removes it) as the description dialog does. A link file
// stands for its target, whose own folder holds the description.
int runDescribe(const QStringList &args)
{
    const QString usage = QStringLiteral("usage: quorvel-tool describe FILE | describe --set TEXT FILE...");
    if (args.size() == 1 && !args.at(0).startsWith(QLatin1String("--"))) {
        const QString path = absolute(args.at(0));
        if (const QString why = whyNot(path); !why.isEmpty()) {
            refuse(path, why);
            return 1;
        }
        DescriptionStore store;
        store.load(DescriptionStore::fileInFolder(folderOf(path)));
        if (!store.lastError().isEmpty()) {
            refuse(path, store.lastError());
            return 1;
        }
        out(store.getDescription(path));
        return 0;
    }
    if (args.size() < 3 || args.at(0) != QLatin1String("--set")) {
        err(usage);
        return 2;
    }
    const QString text = args.at(1);
    int status = 0;
    for (const QString &file : args.mid(2)) {
        const QString path = absolute(file);
        if (const QString why = whyNot(path); !why.isEmpty()) {
            refuse(path, why);
            status = 1;
            continue;
        }
        DescriptionStore store;
        if (!store.setDescription(path, text)) {
            refuse(path, store.lastError());
            status = 1;
        }
    }
    return status;
}

} // namespace quorvel::cli
