#include "core/files/FileListModel.h"

#include "core/exif/ExifFieldTexts.h"

#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"

#include <QMimeData>
#include <QUrl>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <numeric>

namespace quorvel {

using fileList::Column;

namespace {

// The positions of names in label order: QString's case-insensitive
// compare, names equal but for case in case-sensitive order. Names of plain
// ASCII compare through lower-cased keys, which order them exactly as that
// compare does (it folds A-Z to a-z and leaves other ASCII alone); pairs
// with another name take the compare itself.
std::vector<int> labelOrder(const std::vector<const QString *> &names, bool descending)
{
    const size_t count = names.size();
    std::vector<QByteArray> keys(count);
    for (size_t i = 0; i < count; ++i) {
        const QString &name = *names[i];
        QByteArray key(name.size(), Qt::Uninitialized);
        bool ascii = true;
        for (qsizetype k = 0; ascii && k < name.size(); ++k) {
            const char16_t c = name[k].unicode();
            ascii = c < 0x80;
            key[k] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        }
        if (ascii && !key.isNull())
            keys[i] = std::move(key);
    }
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        const QString &a = *names[size_t(x)];
        const QString &b = *names[size_t(y)];
        int c;
        if (!keys[size_t(x)].isNull() && !keys[size_t(y)].isNull())
            c = keys[size_t(x)].compare(keys[size_t(y)]);
        else
            c = QString::compare(a, b, Qt::CaseInsensitive);
        if (c == 0)
            c = QString::compare(a, b, Qt::CaseSensitive);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

} // namespace

FileListModel::FileListModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(fileList::columnsFor(0))
{
}

void FileListModel::setShowMode(int mode)
{
    mode = mode ? 1 : 0;
    beginResetModel();
    m_showMode = mode;
    m_columns = fileList::columnsFor(mode);
    m_sortPosition = 0;
    m_sortDescending = false;
    for (Row &row : m_rows)
        readCells(row);
    sortRows();
    endResetModel();
}

FileListModel::ExifRead FileListModel::readExif(const QString &path) const
{
    ExifRead read;
    if (m_providers.exifRecord) {
        read.record = m_providers.exifRecord(path);
        read.texts = ExifFieldTexts::of(read.record->fields, ExifFieldTexts::Style::List);
    } else if (m_providers.exif) {
        read.texts = m_providers.exif(path);
    }
    return read;
}

void FileListModel::readCells(Row &row) const
{
    const QString path = joinPath(m_folder, row.name);
    row.cells[size_t(Column::FileName)] = row.name;
    row.cells[size_t(Column::Description)] = m_providers.description ? m_providers.description(path) : QString();
    ExifRead exif;
    // A link file's own EXIF is read, which it has none of.
    if (m_showMode == 1 && !row.link)
        exif = readExif(path);
    row.exif = std::move(exif.record);
    row.cells[size_t(Column::Aperture)] = exif.texts.aperture;
    row.cells[size_t(Column::Exposure)] = exif.texts.exposure;
    row.cells[size_t(Column::Iso)] = exif.texts.iso;
    row.cells[size_t(Column::Focal)] = exif.texts.focalLength;
    row.cells[size_t(Column::Camera)] = exif.texts.camera;
    row.cells[size_t(Column::DateTime)] = exif.texts.dateTime;
}

void FileListModel::fill(const FolderEntries &entries, const QString &folder, const QString &filterText)
{
    beginResetModel();
    m_folder = folder;
    m_rows.clear();
    m_names.assign(size_t(entries.size()), QString());
    m_known.clear();
    const QString lowerFilter = filterText.toLower();
    m_lowerFilter = lowerFilter;

    // Descriptions and EXIF texts are read for all files at once, on every
    // core; the EXIF only in the EXIF view.
    struct Candidate
    {
        int scanIndex;
        QString name;
        bool link;
        QString description;
        ExifRead exif;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(size_t(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).kind == FolderEntry::ListedFile) {
            candidates.push_back({i, entries.at(i).name, link::isLinkName(entries.at(i).name), {}, {}});
            m_known.insert(entries.at(i).name);
        }
    }
    const bool exifView = m_showMode == 1;
    auto read = [this, exifView](Candidate &c) {
        const QString path = joinPath(m_folder, c.name);
        if (m_providers.description)
            c.description = m_providers.description(path);
        if (exifView && !c.link)
            c.exif = readExif(path);
    };
    if (candidates.size() > 64)
        QtConcurrent::blockingMap(candidates, read);
    else
        std::for_each(candidates.begin(), candidates.end(), read);

    // Rows are made in label order, so that the usual order needs no sort
    // of finished rows.
    std::vector<int> order;
    if (m_sortPosition <= 0) {
        std::vector<const QString *> names(candidates.size());
        for (size_t i = 0; i < candidates.size(); ++i)
            names[i] = &candidates[i].name;
        order = labelOrder(names, m_sortDescending);
    } else {
        order.resize(candidates.size());
        std::iota(order.begin(), order.end(), 0);
    }
    m_rows.reserve(candidates.size());
    for (const int k : order) {
        Candidate &c = candidates[size_t(k)];
        if (!fileList::passesFilter(lowerFilter, c.name, c.description, exifView ? &c.exif.texts : nullptr))
            continue;
        m_names[size_t(c.scanIndex)] = c.name;
        Row row;
        row.scanIndex = c.scanIndex;
        row.name = c.name;
        row.link = c.link;
        row.cells[size_t(Column::FileName)] = c.name;
        row.cells[size_t(Column::Description)] = c.description;
        row.cells[size_t(Column::Aperture)] = c.exif.texts.aperture;
        row.cells[size_t(Column::Exposure)] = c.exif.texts.exposure;
        row.cells[size_t(Column::Iso)] = c.exif.texts.iso;
        row.cells[size_t(Column::Focal)] = c.exif.texts.focalLength;
        row.cells[size_t(Column::Camera)] = c.exif.texts.camera;
        row.cells[size_t(Column::DateTime)] = c.exif.texts.dateTime;
        row.exif = std::move(c.exif.record);
        m_rows.push_back(std::move(row));
    }
    if (m_sortPosition > 0)
        sortRows();
    endResetModel();
}

bool FileListModel::rowLess(const Row &a, const Row &b) const
{
    // Rows stand in label order; a sort by another column keeps that order
    // among equal cells, and puts empty cells last in either direction.
    if (m_sortPosition > 0) {
        const Column column = m_sortPosition < m_columns.size() ? m_columns.at(m_sortPosition) : Column::FileName;
        const QString &x = a.cells[size_t(column)];
        const QString &y = b.cells[size_t(column)];
        if (x.isEmpty() != y.isEmpty())
            return y.isEmpty();
        const int c = fileList::compareCells(column, x, y);
        if (c != 0)
            return m_sortDescending ? c > 0 : c < 0;
    }
    int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    if (c == 0)
        c = QString::compare(a.name, b.name, Qt::CaseSensitive);
    return (m_sortPosition <= 0 && m_sortDescending) ? c > 0 : c < 0;
}

void FileListModel::sortRows()
{
    // Positions are sorted rather than rows: a row holds a dozen strings,
    // and moving them about is most of what sorting thousands costs.
    const size_t count = m_rows.size();
    std::vector<int> order;
    if (m_sortPosition <= 0) {
        std::vector<const QString *> names(count);
        for (size_t i = 0; i < count; ++i)
            names[i] = &m_rows[i].name;
        order = labelOrder(names, m_sortDescending);
    } else {
        order.resize(count);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [this](int x, int y) { return rowLess(m_rows[size_t(x)], m_rows[size_t(y)]); });
    }
    std::vector<Row> sorted;
    sorted.reserve(count);
    for (const int i : order)
        sorted.push_back(std::move(m_rows[size_t(i)]));
    m_rows = std::move(sorted);
}

void FileListModel::resortKeepingIndices()
{
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> scanOfBefore;
    for (const QModelIndex &i : before)
        scanOfBefore.push_back(scanIndexAt(i.row()));
    sortRows();
    QModelIndexList after;
    for (size_t k = 0; k < scanOfBefore.size(); ++k)
        after.append(index(rowOfScanIndex(scanOfBefore[k]), before.at(int(k)).column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

void FileListModel::sortByPosition(int position, bool force)
{
    if (position == m_sortPosition && !force)
        m_sortDescending = !m_sortDescending;
    else if (position != m_sortPosition)
        m_sortDescending = false;
    m_sortPosition = position;
    resortKeepingIndices();
}

void FileListModel::setSort(int position, bool descending)
{
    if (position < 0 || position >= m_columns.size())
        position = 0;
    if (position == m_sortPosition && descending == m_sortDescending)
        return;
    m_sortPosition = position;
    m_sortDescending = descending;
    resortKeepingIndices();
}

FileListModel::Update FileListModel::update(const FolderEntries &entries)
{
    Update changes;
    QSet<QString> present;
    QStringList arrived;
    for (const FolderEntry &e : entries) {
        if (e.kind != FolderEntry::ListedFile)
            continue;
        present.insert(e.name);
        if (!m_known.contains(e.name))
            arrived.append(e.name);
    }

    // Gone from the folder: from the last row up, so the rows above keep
    // their numbers.
    for (int r = int(m_rows.size()) - 1; r >= 0; --r) {
        if (!present.contains(m_rows[size_t(r)].name)) {
            changes.removed.append(m_rows[size_t(r)].name);
            removeFileRow(r);
        }
    }
    for (auto it = m_known.begin(); it != m_known.end();) {
        if (present.contains(*it))
            ++it;
        else
            it = m_known.erase(it);
    }

    // New in the folder: read like a fill, filtered like it, and put in
    // their sorted place.
    const bool exifView = m_showMode == 1;
    for (const QString &name : std::as_const(arrived)) {
        m_known.insert(name);
        Row row;
        row.name = name;
        row.link = link::isLinkName(name);
        readCells(row);
        const fileList::ExifTexts exif{row.cells[size_t(Column::Camera)], row.cells[size_t(Column::DateTime)],
                                       row.cells[size_t(Column::Exposure)], row.cells[size_t(Column::Aperture)],
                                       row.cells[size_t(Column::Iso)], row.cells[size_t(Column::Focal)]};
        if (!fileList::passesFilter(m_lowerFilter, name, row.cells[size_t(Column::Description)],
                                    exifView ? &exif : nullptr))
            continue;
        row.scanIndex = int(m_names.size());
        m_names.push_back(name);
        const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                         [this](const Row &a, const Row &b) { return rowLess(a, b); });
        const int r = int(at - m_rows.begin());
        beginInsertRows(QModelIndex(), r, r);
        m_rows.insert(at, std::move(row));
        endInsertRows();
        changes.added.append(name);
    }
    return changes;
}

void FileListModel::refreshDescriptions()
{
    if (!m_providers.description)
        return;
    const int column = int(m_columns.indexOf(Column::Description));
    for (size_t r = 0; r < m_rows.size(); ++r) {
        Row &row = m_rows[r];
        const QString text = m_providers.description(joinPath(m_folder, row.name));
        QString &cell = row.cells[size_t(Column::Description)];
        if (text == cell)
            continue;
        cell = text;
        if (column >= 0)
            Q_EMIT dataChanged(index(int(r), column), index(int(r), column), {Qt::DisplayRole, Qt::ToolTipRole});
    }
}

int FileListModel::scanIndexAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].scanIndex : -1;
}

QString FileListModel::nameAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].name : QString();
}

QString FileListModel::pathAt(int row) const
{
    const QString name = nameAt(row);
    return name.isEmpty() ? QString() : joinPath(m_folder, name);
}

bool FileListModel::isLinkAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) && m_rows[size_t(row)].link;
}

int FileListModel::rowOfScanIndex(int scanIndex) const
{
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].scanIndex == scanIndex)
            return int(r);
    }
    return -1;
}

int FileListModel::rowOfName(const QString &name) const
{
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].name == name)
            return int(r);
    }
    return -1;
}

int FileListModel::rowOfLowerName(const QString &lowerName) const
{
    for (size_t r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].name.toLower() == lowerName)
            return int(r);
    }
    return -1;
}

const ExifRecord *FileListModel::exifRecordAt(int row) const
{
    if (row < 0 || row >= int(m_rows.size()) || !m_rows[size_t(row)].exif)
        return nullptr;
    return &*m_rows[size_t(row)].exif;
}

std::vector<std::optional<ExifRecord>> FileListModel::exifRecordsByScanIndex() const
{
    std::vector<std::optional<ExifRecord>> records(m_names.size());
    for (const Row &row : m_rows) {
        if (row.scanIndex >= 0 && size_t(row.scanIndex) < records.size())
            records[size_t(row.scanIndex)] = row.exif;
    }
    return records;
}

void FileListModel::removeFileRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    beginRemoveRows(QModelIndex(), row, row);
    const int scan = m_rows[size_t(row)].scanIndex;
    if (scan >= 0 && scan < int(m_names.size()))
        m_names[size_t(scan)].clear();
    m_known.remove(m_rows[size_t(row)].name);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void FileListModel::renameFileRow(int row, const QString &name)
{
    if (row < 0 || row >= int(m_rows.size()) || name.isEmpty())
        return;
    Row &r = m_rows[size_t(row)];
    m_known.remove(r.name);
    m_known.insert(name);
    r.name = name;
    r.link = link::isLinkName(name);
    if (r.link)
        r.exif.reset();
    r.cells[size_t(Column::FileName)] = name;
    if (r.scanIndex >= 0 && r.scanIndex < int(m_names.size()))
        m_names[size_t(r.scanIndex)] = name;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void FileListModel::refreshRow(int row, const QString &description)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    Row &r = m_rows[size_t(row)];
    if (m_showMode == 1)
        readCells(r);
    r.cells[size_t(Column::Description)] = description;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void FileListModel::setDecorationProvider(std::function<QVariant(int, bool)> provider)
{
    m_decoration = std::move(provider);
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void FileListModel::decorationChanged(int scanIndex)
{
    const int row = rowOfScanIndex(scanIndex);
    if (row >= 0)
        Q_EMIT dataChanged(index(row, 0), index(row, 0), {Qt::DecorationRole});
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= m_columns.size())
        return QVariant();
    const Row &row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return row.cells[size_t(m_columns.at(index.column()))];
    case Qt::DecorationRole:
        if (index.column() == 0 && m_decoration)
            return m_decoration(row.scanIndex, row.link);
        return QVariant();
    case ScanIndexRole:
        return row.scanIndex;
    case PathRole:
        return joinPath(m_folder, row.name);
    default:
        return QVariant();
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
        return QVariant();
    return fileList::title(m_columns.at(section));
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList FileListModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list"), QString::fromLatin1(kOwnDragFormat)};
}

QMimeData *FileListModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &i : indexes) {
        if (!rows.contains(i.row()))
            rows.append(i.row());
    }
    std::sort(rows.begin(), rows.end());
    QList<QUrl> urls;
    for (int row : rows)
        urls.append(QUrl::fromLocalFile(link::effectivePath(pathAt(row))));
    auto *mime = new QMimeData;
    mime->setUrls(urls);
    mime->setData(QString::fromLatin1(kOwnDragFormat), QByteArray(1, '\0'));
    return mime;
}

Qt::DropActions FileListModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

} // namespace quorvel
// The meta-object code is compiled here, not with every other class's: a
// program that only lists folders (quorvel-tool) then links no imaging code.
#include "moc_FileListModel.cpp"
