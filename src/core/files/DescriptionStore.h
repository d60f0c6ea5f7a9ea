#pragma once

#include "core/files/FileAccess.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QVector>

namespace quorvel {

// One folder's "descript.ion" file in memory: a one-line description per
// file, shared with file managers and other programs that read and write the
// same file.
//
// Each line is "name description", or "\"name\" description" when the name
// contains a space. Names are matched by their exact bytes as the file system
// spells them (case counts), and only the first line of a name counts.
//
// The file is never rebuilt from the entries alone: every line the program
// does not change - lines of other programs, lines it cannot decode, their
// order and their line ends - is written back byte for byte. Only the lines
// of changed descriptions are rewritten, and new ones are appended.
class DescriptionStore
{
    Q_DECLARE_TR_FUNCTIONS(DescriptionStore)

public:
    static QString fileName() { return QStringLiteral("descript.ion"); }
    // folder + "descript.ion".
    static QString fileInFolder(const QString &folder);

    // A description file larger than this is not read, and then not written
    // either, so the program never replaces a file it could not read whole.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
    static constexpr qsizetype kMaxLines = 500'000;

    enum class SetResult { Unchanged, Changed, Refused };

    // Empties the store and reads the file; true when at least one entry was
    // read. The path is recorded whether or not the file exists; a missing
    // file gives an empty store that can be saved to create it.
    bool load(const QString &descriptionFile);
    // Parses the bytes of a description file (load without the file).
    bool loadBytes(const QByteArray &bytes);

    // The description of the path's file name, or empty text.
    QString get(const QString &filePath) const;
    // Changes, adds or (with an empty text) removes the file's description
    // in memory. A line break in the text becomes a space: a description is
    // one line. Refused for names the file cannot hold (a name with a double
    // quote or a line break), and, where the file is written in an 8-bit
    // code page, for texts that code page cannot represent.
    SetResult set(const QString &filePath, const QString &text);

    // Writes the store to path. Nothing is written when the store is
    // unchanged since it was loaded from that same path. Refuses to replace
    // a file that exists but could not be read at load, one that another
    // program changed since, and a link or anything but a regular file.
    bool save(const QString &descriptionFile);
    // Saves to the recorded path; true (nothing to do) when nothing was loaded.
    bool saveIfLoaded();

    // The description of a file as the file list shows it: a link's target
    // is described in the target's own folder.
    QString getDescription(const QString &listedPath) const;
    // Sets the description and writes the file at once; false when the link
    // cannot be resolved or the text refused or the file not written.
    bool setDescription(const QString &listedPath, const QString &text);

    // After a file was renamed from oldPath to newPath within one folder:
    // reads the folder's file afresh and moves the description to the new
    // name (the line moves to the end of the file). A file without a
    // description leaves the file untouched.
    bool moveDescription(const QString &oldPath, const QString &newPath);

    const QString &filePath() const { return m_filePath; }
    bool isModified() const { return m_modified; }
    // The reason for the last refusal or failure, for a message box.
    const QString &lastError() const { return m_error; }

    // The exact bytes save() would write.
    QByteArray toBytes() const;

    // Whether a file name can be described at all.
    static bool isStorableName(const QString &fileName);

private:
    struct Line
    {
        qsizetype start = 0;   // content offset in m_data
        qsizetype length = 0;  // content bytes, without the line end
        int endLength = 0;     // 0 (last line), 1 (LF) or 2 (CR LF)
        int entry = -1;        // the entry this line holds, if any
    };
    struct Entry
    {
        QByteArray name;
        qsizetype descStart = 0; // the description as loaded, in m_data
        qsizetype descLength = 0;
        int line = -1;           // -1 for entries added since the load
        bool changed = false;
        QString text;            // the new description, when changed
    };

    void clear();
    QString descriptionOf(const Entry &e) const;
    int findEntry(const QByteArray &name) const;
    QByteArray formatLine(const Entry &e) const;
    QByteArray defaultLineEnd() const;
    bool isWritten(const Entry &e) const;
    QByteArray encode(const QString &text) const;
    QString decode(const QByteArray &bytes) const;

    QByteArray m_data;           // the file as loaded
    bool m_utf8Bom = false;
    QVector<Line> m_lines;
    QVector<Entry> m_entries;
    QHash<QByteArray, int> m_firstByName;
    QString m_filePath;
    bool m_unreadable = false;   // the recorded file exists but could not be read
    FileIdentity m_identity;     // the recorded file as loaded (Missing when absent)
    QString m_unreadableReason;
    bool m_modified = false;
    QString m_error;
};

} // namespace quorvel
