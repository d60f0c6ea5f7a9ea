#include "core/files/SafeWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel::safewrite {

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

const char *const kCannotWrite = QT_TRANSLATE_NOOP("SafeWrite", "The file \"%1\" could not be written: %2");
const char *const kCannotRead = QT_TRANSLATE_NOOP("SafeWrite", "The file \"%1\" could not be read: %2");
const char *const kExists = QT_TRANSLATE_NOOP("SafeWrite", "The file \"%1\" already exists.");

QString message(const char *text, const QString &path, const QString &reason = QString())
{
    const QString t = QCoreApplication::translate("SafeWrite", text);
    const QString p = QDir::toNativeSeparators(path);
    return reason.isNull() ? t.arg(p) : t.arg(p, reason);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return message(kCannotWrite, path, reason);
}

// QSaveFile (Qt 6.4) commits even when the last buffered bytes could not be
// written (a full disk), so the buffer is flushed and checked first.
bool commit(QSaveFile &file, const QString &path, QString *error)
{
    if (!file.flush()) {
        setError(error, cannotWrite(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, cannotWrite(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, cannotWrite(path, file.errorString()));
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        setError(error, cannotWrite(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    return commit(file, path, error);
}

bool copyFile(const QString &source, const QString &destination, bool replaceExisting, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        setError(error, message(kCannotRead, source, in.errorString()));
        return false;
    }
    if (!replaceExisting && QFileInfo::exists(destination)) {
        setError(error, message(kExists, destination));
        return false;
    }
    const QDateTime modified = QFileInfo(source).lastModified();

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly)) {
        setError(error, cannotWrite(destination, out.errorString()));
        return false;
    }
    QByteArray chunk;
    for (;;) {
        chunk = in.read(kCopyChunk);
        if (chunk.isEmpty())
            break;
        if (out.write(chunk) != chunk.size()) {
            setError(error, cannotWrite(destination, out.errorString()));
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        setError(error, message(kCannotRead, source, in.errorString()));
        out.cancelWriting();
        return false;
    }
    // The time is set on the finished temporary file, so the rename carries it.
    if (!out.flush()) {
        setError(error, cannotWrite(destination, out.errorString()));
        out.cancelWriting();
        return false;
    }
    if (modified.isValid())
        out.setFileTime(modified, QFileDevice::FileModificationTime);
    return commit(out, destination, error);
}

} // namespace quorvel::safewrite
