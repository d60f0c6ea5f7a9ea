#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel::test {

// Every way the program replaces a file it did not write itself, each run
// on one target, for the suites that check what all of them must do alike.
enum class Writer {
    SetExif,        // the EXIF editor and set-exif
    SetDpi,         // "Set image resolution" and set-dpi
    Rotate,         // the lossless turn and rotate
    EditSave,       // the edit window's save over the photo it opened
    Description,    // a description: the target is the folder's descript.ion
    Copy,           // a copy over an existing file
    VersionRestore, // a remembered version copied back over the file
};

const char *writerName(Writer writer);
inline constexpr Writer kAllWriters[] = {Writer::SetExif,     Writer::SetDpi, Writer::Rotate,
                                         Writer::EditSave,    Writer::Description, Writer::Copy,
                                         Writer::VersionRestore};

// A JPEG of the given size with an EXIF block, large enough that a change
// of a few bytes is visible.
QByteArray photoBytes(int width = 64, int height = 48, quint32 seed = 1);

// A folder prepared for the writer: <folder>/photo.jpg, and for the
// description writer a descript.ion beside it; for the copy a source
// elsewhere, for the restore a version remembered in <folder>/../repo.
struct WriterSetup
{
    QString folder;
    QString photo;   // the photo the writer works on
    QString target;  // the file the writer replaces (descript.ion or the photo)
    QString source;  // the copy's source
    QString repository;
};
bool prepareWriter(Writer writer, const QString &folder, WriterSetup &setup);

struct WriterOutcome
{
    bool ok = false;
    QString message;
};
// Runs the writer once on the prepared folder.
WriterOutcome runWriter(Writer writer, const WriterSetup &setup);

} // namespace quorvel::test
