#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvel::test {

QString sharedTestData()
{
    const QString fromEnv = qEnvironmentVariable("QUORVEL_TESTDATA");
    if (!fromEnv.isEmpty() && QFileInfo(fromEnv).isDir())
        return QDir(fromEnv).absolutePath();
    const QString beside = QDir(QStringLiteral(QUORVEL_SOURCE_DIR)).filePath(QStringLiteral("../shared/testdata"));
    if (QFileInfo(beside).isDir())
        return QDir(beside).absolutePath();
    return QString();
}

QString sharedFile(const QString &relative)
{
    const QString root = sharedTestData();
    if (root.isEmpty())
        return QString();
    const QString path = QDir(root).filePath(relative);
    return QFileInfo::exists(path) ? path : QString();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace quorvel::test
