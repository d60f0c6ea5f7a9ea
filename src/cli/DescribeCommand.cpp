#include "Commands.h"

#include "core/files/DescriptionStore.h"
#include "core/files/FileAccess.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFileInfo>

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
    // The system's own reason: a loop of links is not a missing file.
    if (const QString why = FileAccess::lookupProblem(path); !why.isEmpty())
        return why;
    if (!QFileInfo(path).isFile())
        return FileAccess::notRegularFile();
    return QString();
}

void refuse(const QString &path, const QString &message)
{
    err(QStringLiteral("quorvel-tool: %1: %2")
            .arg(QDir::toNativeSeparators(path), QString(message).replace(QLatin1Char('\n'), QLatin1String(": "))));
}

} // namespace

void defineDescribe(CommandLine &line)
{
    line.describe(QStringLiteral("FILE | --set TEXT FILE..."),
                  QStringLiteral("print a file's description, or store one (an empty text removes it)"));
    line.addOption(QCommandLineOption(QStringLiteral("set"), QStringLiteral("store TEXT as the files' description"),
                                      QStringLiteral("TEXT")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the described file"));
}

// Prints a file's description from its folder's descript.ion, or stores one
// (an empty text removes it) as the description dialog does.
int runDescribe(const CommandLine &line)
{
    const QStringList files = line.positional();
    if (!line.isSet(QStringLiteral("set"))) {
        if (files.size() != 1)
            return line.usageError();
        const QString path = absolute(files.first());
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
    if (files.isEmpty())
        return line.usageError(QStringLiteral("name the files to describe"));
    const QString text = line.value(QStringLiteral("set"));
    int status = 0;
    for (const QString &file : files) {
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
