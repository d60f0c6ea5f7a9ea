#include "WriterCases.h"

#include "support/TestSupport.h"

#include "core/edit/EditedImage.h"
#include "core/edit/FileResolution.h"
#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/edit/SaveRules.h"
#include "core/exif/ExifBlockEditor.h"
#include "core/exif/ExifWriter.h"
#include "core/fileops/VersionStore.h"
#include "core/files/DescriptionStore.h"
#include "core/files/PathUtil.h"
#include "core/files/SafeWrite.h"

#include <QDir>
#include <QImage>

namespace quorvel::test {

const char *writerName(Writer writer)
{
    switch (writer) {
    case Writer::SetExif: return "set-exif";
    case Writer::SetDpi: return "set-dpi";
    case Writer::Rotate: return "rotate";
    case Writer::EditSave: return "edit save";
    case Writer::Description: return "description";
    case Writer::Copy: return "copy";
    case Writer::VersionRestore: return "version restore";
    }
    return "";
}

QByteArray photoBytes(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(int((x * 7 + seed * 31) & 0xFF), (y * 5) & 0xFF, ((x + y) * 3) & 0xFF));
    ExifBlockEditor block;
    block.set(ExifBlockEditor::Dir::Image, 0x0110, ExifBlockEditor::kAscii, 5, block.ascii("Cam1"));
    return JpegEncoder::encode(image, 90, block.block());
}

bool prepareWriter(Writer writer, const QString &folder, WriterSetup &setup)
{
    setup = WriterSetup();
    setup.folder = folder;
    setup.photo = joinPath(folder, QStringLiteral("photo.jpg"));
    setup.target = setup.photo;
    if (!QDir().mkpath(folder) || !writeFile(setup.photo, photoBytes()))
        return false;
    switch (writer) {
    case Writer::Description:
        setup.target = DescriptionStore::fileInFolder(folder);
        return writeFile(setup.target, "photo.jpg old text\r\n");
    case Writer::Copy:
        setup.source = joinPath(folder + QStringLiteral("-elsewhere"), QStringLiteral("photo.jpg"));
        return writeFile(setup.source, photoBytes(64, 48, 2));
    case Writer::VersionRestore: {
        setup.repository = folder + QStringLiteral("-repo");
        VersionStore store(setup.repository);
        if (store.rememberVersion(setup.photo) != 1)
            return false;
        // The file changes after the version was taken, so a restore writes.
        return writeFile(setup.photo, photoBytes(64, 48, 3));
    }
    default:
        return true;
    }
}

WriterOutcome runWriter(Writer writer, const WriterSetup &setup)
{
    WriterOutcome out;
    switch (writer) {
    case Writer::SetExif: {
        ExifFields fields;
        fields.model = QStringLiteral("Changed");
        const ExifWriteResult r = writeExifFields(setup.photo, fields, WriteModel);
        out.ok = r.ok();
        out.message = r.message();
        break;
    }
    case Writer::SetDpi: {
        const SaveResult r = FileResolution::write(setup.photo, 300, 200);
        out.ok = r.ok();
        out.message = r.message;
        break;
    }
    case Writer::Rotate: {
        TransformQuestions q;
        q.replaceOriginal = [] { return true; };
        q.notDivisible = [] { return true; };
        q.tiffWithoutExif = [] { return true; };
        const SaveResult r = ImageTransform::transformImageFile(setup.photo, setup.photo, TransformCode::Rotate180, q);
        out.ok = r.ok();
        out.message = r.message;
        break;
    }
    case Writer::EditSave: {
        const EditedImage image = EditedImage::load(setup.photo);
        if (image.isNull()) {
            out.message = QStringLiteral("not loaded");
            break;
        }
        SaveQuestions q;
        q.replaceOriginal = [] { return true; };
        q.jpegQuality = [] { return 90; };
        const SaveResult r = SaveRules::saveEditedImage(image, setup.photo, setup.photo, q);
        out.ok = r.ok();
        out.message = r.message;
        break;
    }
    case Writer::Description: {
        DescriptionStore store;
        out.ok = store.setDescription(setup.photo, QStringLiteral("changed text"));
        out.message = store.lastError();
        break;
    }
    case Writer::Copy:
        out.ok = safewrite::copyFile(setup.source, setup.photo, true, &out.message);
        break;
    case Writer::VersionRestore: {
        VersionStore store(setup.repository);
        out.ok = store.restoreVersion(setup.photo, 1);
        out.message = store.lastError();
        break;
    }
    }
    return out;
}

} // namespace quorvel::test
