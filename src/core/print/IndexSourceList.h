#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// The source files of an index print in print order, as the dialog's list
// shows them, with the list's editing: add at the end, remove, move up and
// down. Rows are 0-based.
class IndexSourceList
{
public:
    IndexSourceList() = default;
    explicit IndexSourceList(const QStringList &paths) { append(paths); }
    // The file list's selection text: paths each followed by ";".
    static IndexSourceList fromSelectionText(const QString &text);

    int count() const { return int(m_paths.size()); }
    bool isEmpty() const { return m_paths.isEmpty(); }
    const QStringList &paths() const { return m_paths; }
    QString path(int row) const { return m_paths.value(row); }
    // What the list shows and what goes under the pictures: the file's name
    // with its extension.
    QString displayName(int row) const;
    QStringList displayNames() const;

    // "+": the paths go to the end (empty ones are skipped).
    void append(const QStringList &paths);
    // "-": the row leaves the list; returns the row to select next (the one
    // before it, or the first), -1 when the list is empty or the row is not
    // in it.
    int remove(int row);
    // "Move file up" / "Move file down": the row swaps with its neighbour;
    // returns the row the moved file is now at (the same row at the top or
    // bottom, -1 for a row not in the list).
    int moveUp(int row);
    int moveDown(int row);

private:
    QStringList m_paths;
};

} // namespace quorvel
