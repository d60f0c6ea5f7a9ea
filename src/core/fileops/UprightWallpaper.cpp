#include "core/fileops/UprightWallpaper.h"

#include "core/edit/ImageTransform.h"
#include "core/exif/ExifOrientation.h"
#include "core/imaging/Orientation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

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
    const QString name = QStringLiteral("upright-%1.%2").arg(QString::fromLatin1(key.toHex().left(12)),
                                                             source.suffix().toLower());
    const QDir dir(folder);
    const QString copy = dir.filePath(name);
    TransformQuestions questions;
    questions.replaceOriginal = [] { return true; };
    questions.notDivisible = [] { return true; }; // the edge blocks of a wallpaper are not missed
    questions.tiffWithoutExif = [] { return true; };
    if (!ImageTransform::transformImageFile(path, copy, TransformCode::Upright, questions).ok())
        return path;
    for (const QString &other : dir.entryList({QStringLiteral("upright-*")}, QDir::Files)) {
        if (other != name)
            QFile::remove(dir.filePath(other));
    }
    return copy;
}

} // namespace quorvel
