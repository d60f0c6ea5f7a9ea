#include "core/fileops/UprightWallpaper.h"

#include "core/edit/ImageTransform.h"
#include "core/exif/ExifOrientation.h"
#include "core/files/SafeWrite.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStandardPaths>

namespace quorvel {

namespace {

// The picture as shown, written as a PNG: for formats that cannot be turned
// losslessly (a PNG or WebP with an Exif block). False when it cannot be
// decoded whole or written.
bool writeUprightPng(const QString &path, const QString &copy)
{
    DecodeOptions options;
    options.useCms = true; // desktops show pixels as sRGB
    options.applyOrientation = true;
    const DecodeResult shown = ImageDecoder::decodeFile(path, options);
    if (!shown.ok() || shown.partial)
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1);
    return writer.write(shown.image) && safewrite::writeFile(copy, png);
}

} // namespace

QString uprightWallpaperFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("wallpaper"));
}

QString uprightWallpaperFile(const QString &path, const QString &folder)
{
    if (path.isEmpty() || exiforientation::fromFile(path) == orientation::kUpright)
        return path;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return path;
    // One name per picture: setting the same picture again reuses it.
    const QFileInfo source(path);
    const QByteArray key = QCryptographicHash::hash(source.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    const QString stem = QStringLiteral("upright-%1.").arg(QString::fromLatin1(key.toHex().left(12)));
    QString name = stem + source.suffix().toLower();
    const QDir dir(folder);
    TransformQuestions questions;
    questions.replaceOriginal = [] { return true; };
    questions.notDivisible = [] { return true; }; // the edge blocks of a wallpaper are not missed
    questions.tiffWithoutExif = [] { return true; };
    const SaveResult turned = ImageTransform::transformImageFile(path, dir.filePath(name), TransformCode::Upright,
                                                                 questions);
    if (!turned.ok()) {
        if (turned.status != SaveResult::NotSupported)
            return path;
        name = stem + QStringLiteral("png");
        if (!writeUprightPng(path, dir.filePath(name)))
            return path;
    }
    for (const QString &other : dir.entryList({QStringLiteral("upright-*")}, QDir::Files)) {
        if (other != name)
            QFile::remove(dir.filePath(other));
    }
    return dir.filePath(name);
}

} // namespace quorvel
