#include "core/files/SafeWrite.h"

#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace quorvel::safewrite {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool failed(const SafeWriter &writer, QString *error)
{
    setError(error, writer.errorString());
    return false;
}

} // namespace

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    SafeWriter writer(path);
    if (!writer.open() || !writer.write(bytes) || !writer.commit())
        return failed(writer, error);
    return true;
}

bool copyFile(const QString &source, const QString &destination, bool replaceExisting, QString *error)
{
    QFile in;
    QString reason;
    if (!FileAccess::openForReading(in, source, &reason)) {
        setError(error, QCoreApplication::translate("SafeWrite", "The file \"%1\" could not be read: %2")
                            .arg(QDir::toNativeSeparators(source), reason));
        return false;
    }
    const QDateTime modified = in.fileTime(QFileDevice::FileModificationTime);
    SafeWriter writer(destination, replaceExisting ? SafeWriter::Mode::Replace : SafeWriter::Mode::CreateNew);
    // The copy keeps the source's modification time, as a copy in the file
    // manager does.
    writer.setTimes(QDateTime(), modified);
    if (!writer.open() || !writer.copyFrom(in, source) || !writer.commit())
        return failed(writer, error);
    return true;
}

} // namespace quorvel::safewrite
