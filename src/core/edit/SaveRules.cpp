#include "core/edit/SaveRules.h"

#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/edit/TiffEncoder.h"
#include "core/files/SafeWrite.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

namespace quorvel {

QString SaveRules::busyMessage(const QString &savedAs)
{
    return tr("File is busy with other process, the image was saved as <%1>").arg(QDir::toNativeSeparators(savedAs));
}

bool SaveRules::replaceFile(const QString &temporary, const QString &target, QString *error)
{
#ifdef Q_OS_WIN
    const bool ok = MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(temporary).utf16()),
                                reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(target).utf16()),
                                MOVEFILE_REPLACE_EXISTING)
        != 0;
    if (!ok && error)
        *error = QStringLiteral("error %1").arg(GetLastError());
    return ok;
#else
    const bool ok = std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0;
    if (!ok && error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    return ok;
#endif
}

SaveResult SaveRules::saveEditedImage(const EditedImage &image, const QString &source, const QString &target,
                                      const SaveQuestions &questions)
{
    const auto ask = [](const std::function<bool()> &question) { return question && question(); };
    // A picture of a format the program does not write goes into a new
    // JPEG file; its original is never replaced by one.
    if (image.format == EditedImage::Format::NewJpeg && target == source)
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    if (target == source && !ask(questions.replaceOriginal))
        return SaveResult::of(SaveResult::Declined);

    QByteArray bytes;
    QString temporary;
    QString error;
    switch (image.format) {
    case EditedImage::Format::Jpeg:
    case EditedImage::Format::NewJpeg: {
        temporary = target + QStringLiteral(".jpg");
        const int quality = questions.jpegQuality ? questions.jpegQuality() : settings::jpegLevel(settingsStore());
        bytes = JpegEncoder::encode(image.pixels, quality, image.exif, &error);
        break;
    }
    case EditedImage::Format::Tiff:
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        temporary = target + QStringLiteral(".tiff");
        bytes = TiffEncoder::encode(image.pixels, &error);
        break;
    default:
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    }
    if (bytes.isEmpty())
        return SaveResult::of(SaveResult::Failed, tr("Cannot save the image: %1").arg(error));
    if (!safewrite::writeFile(temporary, bytes, &error))
        return SaveResult::of(SaveResult::Failed, error);
    if (!replaceFile(temporary, target, &error)) {
        SaveResult r = SaveResult::of(SaveResult::SavedAside, busyMessage(temporary));
        r.savedAs = temporary;
        return r;
    }
    return SaveResult::done();
}

SaveResult SaveRules::saveNewJpeg(const EditedImage &image, const QString &path, int quality)
{
    QString error;
    const QByteArray bytes = JpegEncoder::encode(image.pixels, quality, image.exif, &error);
    if (bytes.isEmpty())
        return SaveResult::of(SaveResult::Failed, tr("Cannot save the image: %1").arg(error));
    if (!safewrite::writeFile(path, bytes, &error))
        return SaveResult::of(SaveResult::Failed, error);
    return SaveResult::done();
}

} // namespace quorvel
