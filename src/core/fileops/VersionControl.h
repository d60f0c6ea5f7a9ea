#pragma once

#include "core/fileops/VersionStore.h"

#include <QString>
#include <QVector>

namespace quorvel {

// The "Version control" dialog without its window: the rows of its versions
// list, which rows enable the version buttons, and what each button does
// with the message it ends with.
class VersionControl
{
public:
    // For the file path (a link already resolved), with the repository in
    // the given folder.
    explicit VersionControl(const QString &filePath, const QString &repositoryFolder = VersionStore::defaultFolder());

    const QString &filePath() const { return m_path; }
    // The path as the dialog shows it, with the platform's separators.
    QString shownPath() const;
    VersionStore &store() { return m_store; }

    struct Row
    {
        QString text;
        int number = 0; // 0 for the "No versions" row
        QString file;   // the version file
    };
    // Reads the versions again: one row per existing version file, or the
    // single row "No versions".
    void refill();
    const QVector<Row> &rows() const { return m_rows; }
    // Whether the row stands for a version: only such a row enables
    // "Delete version", "Restore version" and "Save version to...".
    bool isVersionRow(int row) const;

    // A message for the user: its text and caption, and whether it tells of
    // a failure (a warning) or of success (information).
    struct Message
    {
        QString text;
        QString caption;
        bool warning = false;
        bool isNull() const { return text.isEmpty(); }
    };

    // "Remember this version ": a copy of the file as the next version; the
    // rows are filled again.
    Message remember();
    // The message for a version button pressed without a version row.
    Message nothingSelected(int row) const;
    // "Delete version" after the user agreed; the rows are filled again.
    Message deleteVersion(int row);
    // "Restore version": the version copied over the file.
    Message restore(int row);
    // "Save version to...": the version copied to destination.
    Message saveTo(int row, const QString &destination);

    // The save dialog of "Save version to...".
    QString saveToTitle() const;
    QString proposedFileName() const;
    QString saveToFilter() const;
    QString defaultSuffix() const;

    // Whether a restore or a save changed files that the file list shows.
    bool filesChanged() const { return m_filesChanged; }

private:
    Message failure() const;

    QString m_path;
    VersionStore m_store;
    QVector<Row> m_rows;
    bool m_filesChanged = false;
};

} // namespace quorvel
