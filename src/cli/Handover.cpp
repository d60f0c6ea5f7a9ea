#include "Handover.h"

#include "Commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#else
#include <QProcess>
#endif

namespace quorvel::cli {

namespace {

#ifdef Q_OS_WIN
const char kFullTool[] = "quorvel-tool-all.exe";
#else
const char kFullTool[] = "quorvel-tool-all";
#endif

// Where the complete tool may lie, relative to this program's folder.
QStringList candidates(const QString &ownFolder)
{
    return {QDir(ownFolder).filePath(QString::fromLatin1(kFullTool)),
            QDir(ownFolder).filePath(QStringLiteral(QUORVEL_TOOL_LIBEXEC_RELATIVE "/") + QString::fromLatin1(kFullTool))};
}

QString findFullTool(const QString &ownFolder)
{
    for (const QString &path : candidates(ownFolder)) {
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return QString();
}

int notFound()
{
    err(QStringLiteral("quorvel-tool: the complete tool (%1) is missing beside this program; reinstall Quorvel")
            .arg(QString::fromLatin1(kFullTool)));
    return 127;
}

} // namespace

#ifdef Q_OS_UNIX

int handOver(int argc, char **argv)
{
    Q_UNUSED(argc);
    // The program's own file, not argv[0], which may be a bare name.
    char own[4096];
    const ssize_t n = ::readlink("/proc/self/exe", own, sizeof own - 1);
    QString folder;
    if (n > 0) {
        own[n] = '\0';
        folder = QFileInfo(QFile::decodeName(own)).path();
    } else {
        folder = QFileInfo(QFile::decodeName(argv[0])).absolutePath();
    }
    const QString path = findFullTool(folder);
    if (path.isEmpty())
        return notFound();
    const QByteArray file = QFile::encodeName(path);
    ::execv(file.constData(), argv);
    err(QStringLiteral("quorvel-tool: cannot start %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    return 127;
}

#else

int handOver(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = findFullTool(QCoreApplication::applicationDirPath());
    if (path.isEmpty())
        return notFound();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(path, QCoreApplication::arguments().mid(1));
    if (!process.waitForStarted(-1)) {
        err(QStringLiteral("quorvel-tool: cannot start %1: %2").arg(path, process.errorString()));
        return 127;
    }
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1;
}

#endif

} // namespace quorvel::cli
