#include "core/fileops/WallpaperSource.h"

#include "core/files/SafeWrite.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/PngChunks.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>

namespace quorvel {

namespace {

const QLatin1StringView kPrefix("wallpaper-");
const QLatin1StringView kSuffix(".png");

} // namespace

bool WallpaperSource::isDesktopReadable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(8);
    return head.startsWith("\xFF\xD8\xFF") || pngchunks::hasSignature(head);
}

QString WallpaperSource::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/wallpaper");
}

QString WallpaperSource::convertedName(const QString &path)
{
    const QFileInfo info(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(info.absoluteFilePath().toUtf8());
    hash.addData(QByteArray::number(info.size()));
    hash.addData(QByteArray::number(info.lastModified().toMSecsSinceEpoch()));
    return kPrefix + QString::fromLatin1(hash.result().toHex().left(16)) + kSuffix;
}

QString WallpaperSource::prepare(const QString &path, const QString &folder, QString *error)
{
    if (isDesktopReadable(path))
        return path;
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QString();
    };
    DecodeOptions options;
    options.useCms = true; // desktops show pixels as sRGB
    const DecodeResult decoded = ImageDecoder::decodeFile(path, options);
    if (!decoded.ok()) {
        return fail(tr("The picture \"%1\" cannot be read: %2").arg(QDir::toNativeSeparators(path), decoded.error));
    }
    if (!QDir().mkpath(folder))
        return fail(tr("The folder \"%1\" cannot be made.").arg(QDir::toNativeSeparators(folder)));
    const QString target = QDir(folder).filePath(convertedName(path));
    QString why;
    if (!writePng(decoded.image, target, &why))
        return fail(why);
    return target;
}

bool WallpaperSource::writePng(const QImage &image, const QString &target, QString *error)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Quick compression: a wallpaper is written once and read once.
    writer.setCompression(1);
    if (!writer.write(image)) {
        if (error)
            *error = tr("The picture could not be converted for the desktop: %1").arg(writer.errorString());
        return false;
    }
    return safewrite::writeFile(target, png, error);
}

void WallpaperSource::removeOthers(const QString &folder, const QString &keep)
{
    const QString kept = QFileInfo(keep).fileName();
    QDir dir(folder);
    const QStringList names = dir.entryList({kPrefix + QLatin1Char('*') + kSuffix}, QDir::Files);
    for (const QString &name : names) {
        if (name != kept)
            dir.remove(name);
    }
}

} // namespace quorvel
