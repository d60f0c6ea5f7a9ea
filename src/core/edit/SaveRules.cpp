#include "core/edit/SaveRules.h"

#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/edit/TiffEncoder.h"
#include "core/files/SafeWrite.h"
#include "core/files/SafeWriter.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"

#include <QDir>

namespace quorvel {

QString SaveRules::busyMessage(const QString &savedAs)
{
    return tr("File is busy with other process, the image was saved as <%1>").arg(QDir::toNativeSeparators(savedAs));
}

QString SaveRules::damagedMessage()
{
    return tr("The image file is damaged: only part of the picture could be decoded.\n"
              "It is not written, so that it is never taken for the whole picture.");
}

SaveResult SaveRules::saveEditedImage(const EditedImage &image, const QString &source, const QString &target,
                                      const SaveQuestions &questions)
{
    const auto ask = [](const std::function<bool()> &question) { return question && question(); };
    if (image.damaged)
        return SaveResult::of(SaveResult::Damaged, damagedMessage());
    // A picture of a format the program does not write goes into a new
    // JPEG file; its original is never replaced by one.
    if (image.format == EditedImage::Format::NewJpeg && target == source)
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    if (target == source && !ask(questions.replaceOriginal))
        return SaveResult::of(SaveResult::Declined);

    QByteArray bytes;
    QString aside;
    QString error;
    switch (image.format) {
    case EditedImage::Format::Jpeg:
    case EditedImage::Format::NewJpeg: {
        aside = target + QStringLiteral(".jpg");
        const int quality = questions.jpegQuality ? questions.jpegQuality() : settings::jpegLevel(settingsStore());
        bytes = JpegEncoder::encode(image.pixels, quality, image.exif, image.iccProfile, &error);
        break;
    }
    case EditedImage::Format::Tiff:
        if (!ask(questions.tiffWithoutExif))
            return SaveResult::of(SaveResult::Declined);
        aside = target + QStringLiteral(".tiff");
        bytes = TiffEncoder::encode(image.pixels, image.iccProfile, &error);
        break;
    default:
        return SaveResult::of(SaveResult::NotSupported, tr("This format is not supported yet."));
    }
    if (bytes.isEmpty())
        return SaveResult::of(SaveResult::Failed, tr("Cannot save the image: %1").arg(error));

    SafeWriter writer(target);
    // Over the photo it came from: only when that is still the same file.
    if (target == source && image.sourceIdentity.isRegular())
        writer.expectUnchanged(image.sourceIdentity);
    // A target another program holds open keeps the picture beside it.
    writer.setAsideName(aside);
    if (writer.open() && writer.write(bytes) && writer.commit())
        return SaveResult::done();
    if (!writer.savedAside().isEmpty()) {
        SaveResult r = SaveResult::of(SaveResult::SavedAside, busyMessage(writer.savedAside()));
        r.savedAs = writer.savedAside();
        return r;
    }
    return SaveResult::of(SaveResult::Failed, writer.errorString());
}

SaveResult SaveRules::saveNewJpeg(const EditedImage &image, const QString &path, int quality)
{
    if (image.damaged)
        return SaveResult::of(SaveResult::Damaged, damagedMessage());
    QString error;
    const QByteArray bytes = JpegEncoder::encode(image.pixels, quality, image.exif, image.iccProfile, &error);
    if (bytes.isEmpty())
        return SaveResult::of(SaveResult::Failed, tr("Cannot save the image: %1").arg(error));
    if (!safewrite::writeFile(path, bytes, &error))
        return SaveResult::of(SaveResult::Failed, error);
    return SaveResult::done();
}

} // namespace quorvel
