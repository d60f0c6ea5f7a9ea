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

#include <memory>
#endif

#include <cstdio>

namespace quorvel::cli {

namespace {

int keptArgc = 0;
char **keptArgv = nullptr;

QString fileName(const char *program)
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(program) + QStringLiteral(".exe");
#else
    return QString::fromLatin1(program);
#endif
}

// Where the program may lie, relative to this program's folder.
QStringList candidates(const QString &ownFolder, const QString &name)
{
    return {QDir(ownFolder).filePath(name),
            QDir(ownFolder).filePath(QStringLiteral(QUORVEL_TOOL_LIBEXEC_RELATIVE "/") + name)};
}

QString findTool(const QString &ownFolder, const QString &name)
{
    for (const QString &path : candidates(ownFolder, name)) {
        if (QFileInfo(path).isExecutable())
            return path;
    }
    return QString();
}

int notFound(const QString &name)
{
    err(QStringLiteral("quorvel-tool: %1 is missing beside this program; reinstall Quorvel").arg(name));
    return 127;
}

} // namespace

void keepArguments(int argc, char **argv)
{
    keptArgc = argc;
    keptArgv = argv;
}

int handOverKept(const char *program)
{
    return handOver(program, keptArgc, keptArgv);
}

#ifdef Q_OS_UNIX

int handOver(const char *program, int argc, char **argv)
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
    const QString name = fileName(program);
    const QString path = findTool(folder, name);
    if (path.isEmpty())
        return notFound(name);
    // Standard output may hold lines not yet written: the program that
    // takes over must not find them lost.
    std::fflush(stdout);
    std::fflush(stderr);
    const QByteArray file = QFile::encodeName(path);
    ::execv(file.constData(), argv);
    err(QStringLiteral("quorvel-tool: cannot start %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    return 127;
}

#else

int handOver(const char *program, int argc, char **argv)
{
    std::unique_ptr<QCoreApplication> own;
    if (!QCoreApplication::instance())
        own = std::make_unique<QCoreApplication>(argc, argv);
    const QString name = fileName(program);
    const QString path = findTool(QCoreApplication::applicationDirPath(), name);
    if (path.isEmpty())
        return notFound(name);
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
