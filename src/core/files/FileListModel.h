#pragma once

#include "core/exif/ExifFields.h"
#include "core/files/FileListRules.h"
#include "core/files/FolderScanner.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QSet>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace quorvel {

// The rows of the file list: one per listed file of the current folder that
// passes the filter, in label order or sorted by a column. Each row keeps its
// scan index, so per-file tables indexed by it stay valid while the rows
// are sorted or filtered.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int ScanIndexRole = Qt::UserRole;
    static constexpr int PathRole = Qt::UserRole + 1;

    // Where the cell texts come from. All may be called from worker threads
    // while the list is filled. With exifRecord set, exif is not used: the
    // texts are made from the record's fields, and the record is kept for
    // the export and the statistics, so that they need not read the file
    // again.
    struct Providers
    {
        std::function<QString(const QString &fullPath)> description;
        std::function<fileList::ExifTexts(const QString &fullPath)> exif;
        std::function<ExifRecord(const QString &fullPath)> exifRecord;
    };

    explicit FileListModel(QObject *parent = nullptr);

    void setProviders(Providers providers) { m_providers = std::move(providers); }

    // 0 short view (name, description), 1 EXIF view (eight columns).
    int showMode() const { return m_showMode; }
    // Switches the view; the rows stay, the cells are read again and the
    // list is sorted by name.
    void setShowMode(int mode);

    // Fills the rows from a scan of folder, keeping the files that pass
    // filterText (used as typed, lower-cased here).
    void fill(const FolderEntries &entries, const QString &folder, const QString &filterText);
    QString folder() const { return m_folder; }

    // A click on the header: sorts by the column at the header position,
    // ascending; a click on the sort column reverses the order. With force
    // the rows are sorted again in the order they have.
    void sortByPosition(int position, bool force = false);
    // Sorts by the column at position in the given order.
    void setSort(int position, bool descending);
    int sortPosition() const { return m_sortPosition; }
    bool sortDescending() const { return m_sortDescending; }

    // What an update from a new scan of the folder changed.
    struct Update
    {
        QStringList added;   // names of the rows added
        QStringList removed; // names of the rows removed
        bool isEmpty() const { return added.isEmpty() && removed.isEmpty(); }
    };
    // Brings the rows in step with a new scan of the same folder, row by
    // row: rows of files that are gone are removed, files that came are
    // added in their sorted place when they pass the filter of the last
    // fill. Rows of files that stayed are not touched. New files get scan
    // indices after those of the fill.
    Update update(const FolderEntries &entries);
    // Reads every row's description again; only rows whose text changed
    // are announced.
    void refreshDescriptions();
    QVector<fileList::Column> columns() const { return m_columns; }

    // Row access.
    int scanIndexAt(int row) const;
    QString nameAt(int row) const;
    QString pathAt(int row) const;
    bool isLinkAt(int row) const;
    int rowOfScanIndex(int scanIndex) const;
    // The first row, in display order, whose lower-cased name is lowerName.
    int rowOfLowerName(const QString &lowerName) const;
    int rowOfName(const QString &name) const;
    // What the list read of the row's EXIF: null unless it was read for the
    // EXIF view through the exifRecord provider (never for a link).
    const ExifRecord *exifRecordAt(int row) const;
    // The same for every row, indexed by scan index (empty where none).
    std::vector<std::optional<ExifRecord>> exifRecordsByScanIndex() const;
    // The names table by scan index (empty for hidden and deleted files).
    const std::vector<QString> &names() const { return m_names; }
    int scanCount() const { return int(m_names.size()); }

    // Removes a row whose file was deleted.
    void removeFileRow(int row);
    // Gives a row the new name of its renamed file.
    void renameFileRow(int row, const QString &name);
    // Sets the Description cell; in the EXIF view also reads the row's EXIF
    // cells again.
    void refreshRow(int row, const QString &description);
    // The picture shown at the start of a row (small icon or thumbnail).
    void setDecorationProvider(std::function<QVariant(int scanIndex, bool isLink)> provider);
    void decorationChanged(int scanIndex);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    struct Row
    {
        int scanIndex = -1;
        QString name;
        bool link = false;
        std::array<QString, 8> cells; // indexed by fileList::Column
        std::optional<ExifRecord> exif;
    };

    // The row's EXIF as the providers give it: texts, and the record when
    // the exifRecord provider gave them.
    struct ExifRead
    {
        fileList::ExifTexts texts;
        std::optional<ExifRecord> record;
    };
    ExifRead readExif(const QString &path) const;
    void readCells(Row &row) const;
    void sortRows();
    bool rowLess(const Row &a, const Row &b) const;
    // Sorts again and moves the persistent indices (selection, current row)
    // along with their rows.
    void resortKeepingIndices();

    Providers m_providers;
    std::function<QVariant(int, bool)> m_decoration;
    QString m_folder;
    int m_showMode = 0;
    int m_sortPosition = 0;
    bool m_sortDescending = false;
    QVector<fileList::Column> m_columns;
    std::vector<Row> m_rows;
    std::vector<QString> m_names;
    // Every listed name of the folder seen by the last fill or update,
    // whether its row passed the filter or not.
    QSet<QString> m_known;
    QString m_lowerFilter;
};

// The private marker format of drags that come from this program.
inline constexpr char kOwnDragFormat[] = "application/x-quorvel-2a05e0e1-31fc-4e40-95ba-428835adac64";

} // namespace quorvel
