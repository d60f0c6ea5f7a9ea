#include "core/fileops/UprightWallpaper.h"

#include "core/edit/ImageTransform.h"
#include "core/exif/ExifOrientation.h"
#include "core/fileops/WallpaperSource.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvel {

namespace {

// The picture as shown, written as a PNG: for formats that cannot be turned
// losslessly (a PNG or WebP with an Exif block), and for those the desktop
// would only get as a PNG anyway. False when it cannot be decoded whole or
// written.
bool writeUprightPng(const QString &path, const QString &copy)
{
    DecodeOptions options;
    options.useCms = true; // desktops show pixels as sRGB
    options.applyOrientation = true;
    const DecodeResult shown = ImageDecoder::decodeFile(path, options);
    return shown.ok() && !shown.partial && WallpaperSource::writePng(shown.image, copy);
}

} // namespace

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
    // A picture the desktop cannot read (TIFF, camera raw files...) would
    // be turned here only to be converted to a PNG afterwards.
    const bool readable = WallpaperSource::isDesktopReadable(path);
    TransformQuestions questions;
    questions.replaceOriginal = [] { return true; };
    questions.notDivisible = [] { return true; }; // the edge blocks of a wallpaper are not missed
    const SaveResult turned = readable ? ImageTransform::transformImageFile(path, dir.filePath(name),
                                                                            TransformCode::Upright, questions)
                                       : SaveResult::of(SaveResult::NotSupported);
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
