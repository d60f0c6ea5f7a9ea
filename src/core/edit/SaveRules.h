#pragma once

#include "core/edit/EditedImage.h"
#include "core/edit/SaveResult.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

namespace quorvel {

// What saveEditedImage asks while it runs. A missing question counts as
// answered No; a missing quality uses the stored "JpegLevel".
struct SaveQuestions
{
    std::function<bool()> replaceOriginal; // "Do you want to replace the original file?"
    std::function<int()> jpegQuality;      // the quality dialog
    std::function<bool()> tiffWithoutExif; // the TIFF question
};

// How every writer of a new or changed picture saves it.
class SaveRules
{
    Q_DECLARE_TR_FUNCTIONS(SaveRules)

public:
    // Saves an edited image under target (the source path unless the user
    // typed another name): a JPEG with the chosen quality and the image's
    // EXIF entries, a TIFF without them after the TIFF question, a picture
    // of a NewJpeg format as a JPEG under another name than its own; other
    // formats are not supported. The file is written completely beside the
    // target and then renamed over it (keeping the replaced file's mode);
    // when that rename fails, the picture is kept under target + ".jpg" (or
    // ".tiff") if no file has that name, and the result (SavedAside) says
    // so. Saving over the source is refused when another program changed it
    // since it was loaded. Target times are not restored. A picture from a
    // damaged file is refused (Damaged).
    static SaveResult saveEditedImage(const EditedImage &image, const QString &source, const QString &target,
                                      const SaveQuestions &questions);

    // Writes a new JPEG (a print file, an index sheet) directly under its
    // name, completely or not at all; not when made from a damaged file.
    static SaveResult saveNewJpeg(const EditedImage &image, const QString &path, int quality);

    static QString busyMessage(const QString &savedAs);
    // Why a picture made from a damaged file is not written.
    static QString damagedMessage();
};

} // namespace quorvel
