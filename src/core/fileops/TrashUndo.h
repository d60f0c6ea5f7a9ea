#pragma once

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

namespace quorvel {

// One file that a delete moved to the trash.
struct TrashedFile
{
    QString originalPath; // where it stood in its folder
    QString trashedPath;  // where the trash keeps it now
    QString description;  // its line in the folder's "descript.ion", if any
};

// Undoes the last delete to the trash: the files come back from the
// freedesktop trash (its "files" and "info" folders) to the places they were
// deleted from, and their descriptions come back into their folders'
// "descript.ion".
//
// A file is brought back only while the trash still holds it under the
// record of that very place, and only where nothing has taken its name since;
// an existing file is never replaced.
class TrashUndo
{
    Q_DECLARE_TR_FUNCTIONS(TrashUndo)

public:
    // The files of a new delete; they replace those of the one before.
    void remember(QVector<TrashedFile> files);
    bool isEmpty() const { return m_files.isEmpty(); }
    const QVector<TrashedFile> &files() const { return m_files; }

    // The file names for the menu: "IMG_1.JPG", "a.jpg, b.jpg" or
    // "a.jpg, b.jpg, c.jpg and 4 more".
    QString namesText() const;

    struct Result
    {
        QStringList restored; // original paths, in the order of the delete
        QStringList problems; // one message per file that stayed in the trash
    };
    // Brings the files back. Files that came back, or that the trash no
    // longer holds, are forgotten; a file whose place is taken is kept, so
    // that it can be tried again once the place is free.
    Result restore();

    // The ".trashinfo" file that records where a trashed file came from, and
    // the original path it names ("" when it cannot be read).
    static QString infoFileOf(const QString &trashedPath);
    static QString recordedPath(const QString &trashedPath);
    // The original path a record's text names, for the file at trashedPath
    // (a relative path is taken from the top of the trash's volume).
    static QString pathInRecord(QByteArrayView record, const QString &trashedPath);
    // A record is a few lines; anything larger is not one.
    static constexpr qint64 kMaxInfoBytes = 64 * 1024;

private:
    enum class Outcome { Restored, PlaceTaken, Gone, Failed };
    static Outcome restoreOne(const TrashedFile &file, QString *message);

    QVector<TrashedFile> m_files;
};

} // namespace quorvel
