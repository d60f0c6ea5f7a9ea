#include "ui/files/FileListPane.h"

#include "core/exif/ExifReader.h"
#include "core/files/FileListModel.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/settings/AppSettings.h"
#include "core/settings/BrowsingSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/files/ThumbnailDisplay.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace quorvel {

namespace {

const QString kColumnsSection = QStringLiteral("RightPaneColumns");

QIcon themed(const char *name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

} // namespace

FileListPane::FileListPane(QWidget *parent)
    : QWidget(parent)
    , m_model(new FileListModel(this))
{
    setObjectName(QStringLiteral("FilesList"));
    createTopRow();

    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("FileListControl"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setDefaultDropAction(Qt::CopyAction);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setSortingEnabled(false);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setStretchLastSection(false);
    m_list->installEventFilter(this);
    m_list->setIconSize(QSize(16, 16));
    m_list->header()->setSortIndicatorShown(true);
    // Files dropped from a file manager open their folder.
    m_list->viewport()->setAcceptDrops(true);
    m_list->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(2);
    auto *top = new QHBoxLayout;
    top->setContentsMargins(2, 0, 2, 0);
    top->setSpacing(2);
    top->addWidget(m_viewButton);
    top->addWidget(m_modeButton);
    top->addWidget(m_filter, 1);
    top->addWidget(m_applyButton);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_list);

    const QIcon imageIcon = themed("image-x-generic", QStyle::SP_FileIcon);
    const QIcon linkIcon = themed("emblem-symbolic-link", QStyle::SP_FileLinkIcon);
    m_thumbnails = new ThumbnailDisplay(
        m_list, m_model, [imageIcon, linkIcon](int, bool isLink) -> QVariant { return isLink ? linkIcon : imageIcon; },
        this);

    FileListModel::Providers providers;
    providers.description = [this](const QString &path) { return m_descriptions.getDescription(path); };
    providers.exifRecord = [](const QString &path) {
        ExifRecord record;
        record.read = readListedExifFields(path, record.fields);
        return record;
    };
    m_model->setProviders(providers);
    m_model->setShowMode(settings::listMode(settingsStore()));
    loadColumnWidths();
    updateToggleIcon();
    {
        // The order of the last run, when its column is in this view.
        const QString key = settings::sortColumnKey(settingsStore());
        const auto columns = m_model->columns();
        int position = 0;
        for (int i = 0; i < columns.size(); ++i) {
            if (QLatin1String(fileList::info(columns.at(i)).key) == key)
                position = i;
        }
        m_model->setSort(position, settings::sortDescending(settingsStore()));
        showSortIndicator();
    }

    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const int before = selectedIndex() >= 0 ? m_model->scanIndexAt(selectedIndex()) : -1;
        m_model->sortByPosition(section);
        showSortIndicator();
        storeSort();
        if (before >= 0)
            m_list->scrollTo(m_model->index(m_model->rowOfScanIndex(before), 0));
        QApplication::restoreOverrideCursor();
    });
    connect(m_list->header(), &QHeaderView::sectionResized, this, [this](int section, int, int) {
        // A column the user sized keeps the width given.
        if (!m_fittingColumns && section >= 0 && section < m_model->columns().size())
            m_autoColumns.remove(int(m_model->columns().at(section)));
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { onCurrentRowChanged(current.row()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT selectionChanged(); });
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        const auto columns = m_model->columns();
        if (index.column() >= 0 && index.column() < columns.size()
            && columns.at(index.column()) == fileList::Column::Description)
            Q_EMIT editDescriptionRequested();
        else
            Q_EMIT fullScreenRequested();
    });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (!m_list->selectionModel()->selectedRows().isEmpty())
            Q_EMIT contextMenuRequested(m_list->viewport()->mapToGlobal(pos));
    });
}

FileListPane::~FileListPane()
{
    storeColumnWidths();
    settings::setListMode(settingsStore(), m_model->showMode());
}

void FileListPane::createTopRow()
{
    m_viewButton = new QToolButton(this);
    m_viewButton->setObjectName(QStringLiteral("ViewButton"));
    m_viewButton->setIcon(themed("view-list-details", QStyle::SP_FileDialogDetailedView));
    m_viewButton->setToolTip(tr("Details or thumbnails view"));
    m_viewButton->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_viewButton);
    QAction *details = menu->addAction(tr("&Details view"));
    QAction *thumbnails = menu->addAction(tr("&Thumbnails view"));
    connect(details, &QAction::triggered, this, [this] { Q_EMIT thumbnailsRequested(false); });
    connect(thumbnails, &QAction::triggered, this, [this] { Q_EMIT thumbnailsRequested(true); });
    m_viewButton->setMenu(menu);

    m_modeButton = new QToolButton(this);
    m_modeButton->setObjectName(QStringLiteral("ModeButton"));
    m_modeButton->setToolTip(tr("Short or EXIF view"));
    connect(m_modeButton, &QToolButton::clicked, this, &FileListPane::toggleShowMode);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("FilterEdit"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->installEventFilter(this);

    m_applyButton = new QToolButton(this);
    m_applyButton->setObjectName(QStringLiteral("ApplyFilterButton"));
    m_applyButton->setIcon(themed("view-filter", QStyle::SP_DialogApplyButton));
    m_applyButton->setToolTip(tr("Apply filter"));
    connect(m_applyButton, &QToolButton::clicked, this, &FileListPane::applyFilter);
}

void FileListPane::updateToggleIcon()
{
    m_modeButton->setIcon(m_model->showMode() == 0 ? themed("view-list-text", QStyle::SP_FileDialogListView)
                                                   : themed("view-list-details", QStyle::SP_FileDialogInfoView));
}

void FileListPane::loadColumnWidths()
{
    m_fittingColumns = true;
    m_autoColumns.clear();
    const auto columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const fileList::ColumnInfo &info = fileList::info(columns.at(i));
        const QString key = QString::fromLatin1(info.key);
        if (!settingsStore().contains(kColumnsSection, key)) {
            // Never sized: wide enough for its heading at least.
            m_autoColumns.insert(int(columns.at(i)));
            m_list->setColumnWidth(i, std::max(info.defaultWidth, m_list->header()->sectionSizeHint(i)));
            continue;
        }
        const int width = settingsStore().readInt(kColumnsSection, key, info.defaultWidth);
        m_list->setColumnWidth(i, width > 0 ? width : info.defaultWidth);
    }
    m_fittingColumns = false;
}

void FileListPane::fitAutoColumns()
{
    if (m_autoColumns.isEmpty() || m_model->rowCount() == 0)
        return;
    // A long description or camera name should not push the others away.
    constexpr int kMaxFitted = 320;
    m_fittingColumns = true;
    const auto columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (!m_autoColumns.contains(int(columns.at(i))))
            continue;
        const int wanted = std::max(m_list->header()->sectionSizeHint(i), static_cast<const QAbstractItemView *>(m_list)->sizeHintForColumn(i));
        const int width = std::min(std::max(wanted, fileList::info(columns.at(i)).defaultWidth), kMaxFitted);
        m_list->setColumnWidth(i, std::max(width, m_list->columnWidth(i)));
    }
    m_fittingColumns = false;
}

void FileListPane::showSortIndicator()
{
    m_list->header()->setSortIndicator(m_model->sortPosition(),
                                       m_model->sortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void FileListPane::storeSort() const
{
    const auto columns = m_model->columns();
    const int position = m_model->sortPosition();
    const QString key = position >= 0 && position < columns.size()
                            ? QString::fromLatin1(fileList::info(columns.at(position)).key)
                            : QString();
    settings::setSort(settingsStore(), key, m_model->sortDescending());
}

void FileListPane::storeColumnWidths() const
{
    const auto columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int width = m_list->columnWidth(i);
        settingsStore().writeInt(kColumnsSection, QString::fromLatin1(fileList::info(columns.at(i)).key),
                                 width == 0 ? 2 : width);
    }
}

void FileListPane::fillList(const FolderEntries &entries, const QString &folder, bool selectFirst)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_filling = true;
    m_descriptions.load(DescriptionStore::fileInFolder(withTrailingSeparator(folder)));
    m_thumbnails->prepare(int(entries.size()));
    m_model->fill(entries, withTrailingSeparator(folder), m_filter->text());
    m_filling = false;
    fitAutoColumns();
    m_thumbnails->start();
    if (selectFirst) {
        if (m_model->rowCount() == 0)
            Q_EMIT listEmptied();
        else
            selectOnly(0);
    }
    QApplication::restoreOverrideCursor();
}

QString FileListPane::currentFolder() const
{
    return m_model->folder();
}

int FileListPane::selectedIndex() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex &i : rows) {
        if (first < 0 || i.row() < first)
            first = i.row();
    }
    return first;
}

void FileListPane::selectOnly(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

bool FileListPane::navigate(int how)
{
    const int count = m_model->rowCount();
    if (count == 0)
        return false;
    const int selected = selectedIndex();
    int row = -1;
    switch (how) {
    case NavigateFirst:
        row = 0;
        break;
    case NavigateLast:
        row = count - 1;
        break;
    case NavigatePrevious:
        row = selected - 1;
        break;
    case NavigateNext:
        row = selected + 1;
        break;
    }
    if (row < 0 || row >= count || (how <= NavigatePrevious && selected < 0))
        return false;
    selectOnly(row);
    return true;
}

bool FileListPane::hasNeighbour(bool above) const
{
    const int selected = selectedIndex();
    if (selected < 0)
        return false;
    return above ? selected > 0 : selected + 1 < m_model->rowCount();
}

QString FileListPane::neighbourPath(bool above, int distance) const
{
    const int selected = selectedIndex();
    const int row = selected + (above ? -distance : distance);
    if (selected < 0 || distance < 1 || row < 0 || row >= m_model->rowCount())
        return QString();
    return link::effectivePath(m_model->pathAt(row));
}

QString FileListPane::selectedName() const
{
    return m_model->nameAt(selectedIndex());
}

QString FileListPane::selectedPath(bool nameOnly, bool resolveLinks) const
{
    const int row = selectedIndex();
    if (row < 0)
        return QString();
    if (nameOnly)
        return m_model->nameAt(row);
    const QString path = m_model->pathAt(row);
    return resolveLinks ? link::effectivePath(path) : path;
}

QStringList FileListPane::selectedFiles(bool resolveLinks) const
{
    QList<int> rows;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    QStringList files;
    for (int row : rows) {
        const QString path = m_model->pathAt(row);
        files.append(resolveLinks ? link::effectivePath(path) : path);
    }
    return files;
}

bool FileListPane::selectByName(const QString &lowerName)
{
    const int row = m_model->rowOfLowerName(lowerName);
    if (row < 0)
        return false;
    selectOnly(row);
    return true;
}

void FileListPane::rememberScroll()
{
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    const QModelIndex bottom = m_list->indexAt(QPoint(1, m_list->viewport()->height() - 2));
    m_rememberedScrollRow = bottom.isValid() ? bottom.row() : (top.isValid() ? m_model->rowCount() - 1 : -1);
}

void FileListPane::restoreScroll()
{
    if (m_rememberedScrollRow < 0 || m_model->rowCount() == 0)
        return;
    const int row = std::min(m_rememberedScrollRow, m_model->rowCount() - 1);
    m_list->scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
}

QList<int> FileListPane::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_list->selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListPane::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    m_filling = true;
    m_list->selectionModel()->clear();
    for (int row : rows)
        m_model->removeFileRow(row);
    m_filling = false;
}

void FileListPane::syncWithFolder()
{
    const QString folder = currentFolder();
    if (folder.isEmpty())
        return;
    const FolderEntries entries = FolderScanner(folder).scan(FolderScanner::Images);
    m_descriptions.load(DescriptionStore::fileInFolder(folder));

    const int selectedRow = selectedIndex();
    const int selectedScan = m_model->scanIndexAt(selectedRow);
    const QModelIndex top = m_list->indexAt(QPoint(1, 1));
    const int topScan = top.isValid() ? m_model->scanIndexAt(top.row()) : -1;
    const int scrollValue = m_list->verticalScrollBar()->value();

    // Rows come and go without announcing files; what the view shows is
    // settled below.
    m_filling = true;
    m_model->refreshDescriptions();
    const FileListModel::Update changes = m_model->update(entries);
    m_filling = false;
    if (changes.isEmpty())
        return;

    // The rows on screen stay where they were.
    const int topRow = m_model->rowOfScanIndex(topScan);
    if (topRow >= 0)
        m_list->scrollTo(m_model->index(topRow, 0), QAbstractItemView::PositionAtTop);
    else
        m_list->verticalScrollBar()->setValue(scrollValue);

    if (selectedScan < 0 || m_model->rowOfScanIndex(selectedScan) >= 0) {
        Q_EMIT selectionChanged();
        return;
    }
    // The shown file is gone: its neighbour takes its place, as after a delete.
    const int count = m_model->rowCount();
    m_filling = true;
    m_list->selectionModel()->clear();
    m_filling = false;
    if (count == 0)
        Q_EMIT listEmptied();
    else
        selectOnly(std::min(selectedRow, count - 1));
}

bool FileListPane::selectName(const QString &name)
{
    const int row = m_model->rowOfName(name);
    if (row < 0)
        return false;
    selectOnly(row);
    return true;
}

QString FileListPane::selectionStatusText() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return QString();
    qint64 total = 0;
    for (const QModelIndex &i : rows) {
        const QFileInfo info(m_model->pathAt(i.row()));
        if (info.exists())
            total += info.size();
    }
    return fileList::selectionStatusText(int(rows.size()), selectedIndex(), m_model->rowCount(), total);
}

void FileListPane::refreshExifRow(int row, const QString &, const QString &description)
{
    m_model->refreshRow(row, description);
}

void FileListPane::toggleThumbnails(bool on)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int selected = selectedIndex();
    m_thumbnails->setOn(on);
    const QString folder = currentFolder();
    if (!folder.isEmpty())
        fillList(FolderScanner(folder).scan(FolderScanner::Images), folder, false);
    if (rowCount() > 0)
        selectOnly(selected >= 0 && selected < rowCount() ? selected : 0);
    QApplication::restoreOverrideCursor();
}

bool FileListPane::thumbnailMode() const
{
    return m_thumbnails->isOn();
}

int FileListPane::rowCount() const
{
    return m_model->rowCount();
}

int FileListPane::showMode() const
{
    return m_model->showMode();
}

void FileListPane::toggleShowMode()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int selectedScan = m_model->scanIndexAt(selectedIndex());
    if (m_model->showMode() == 1)
        storeColumnWidths();
    m_filling = true;
    m_model->setShowMode(m_model->showMode() == 0 ? 1 : 0);
    m_filling = false;
    loadColumnWidths();
    fitAutoColumns();
    updateToggleIcon();
    showSortIndicator();
    storeSort();
    if (selectedScan >= 0) {
        const int row = m_model->rowOfScanIndex(selectedScan);
        m_list->selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_list->scrollTo(m_model->index(row, 0));
    }
    m_list->setFocus();
    QApplication::restoreOverrideCursor();
}

void FileListPane::applyFilter()
{
    if (fileList::filterChanged(m_filter->text(), m_lastAppliedFilter)) {
        m_lastAppliedFilter = m_filter->text().trimmed();
        Q_EMIT refreshRequested();
    } else {
        m_list->setFocus();
    }
}

QString FileListPane::filterText() const
{
    return m_filter->text();
}

void FileListPane::onCurrentRowChanged(int row)
{
    if (m_filling || row < 0)
        return;
    Q_EMIT fileChosen(m_model->pathAt(row));
}

bool FileListPane::handleDrop(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drop::requestFor(drag->mimeData())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *dropped = static_cast<QDropEvent *>(event);
        const std::optional<DropRequest> request = drop::requestFor(dropped->mimeData());
        if (!request) {
            dropped->ignore();
            return true;
        }
        dropped->setDropAction(Qt::CopyAction);
        dropped->accept();
        // Opened once the drag is over: the file manager is waiting.
        QMetaObject::invokeMethod(this, [this, r = *request] { Q_EMIT openRequested(r); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

bool FileListPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && handleDrop(event))
        return true;
    if (watched == m_filter && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter in the filter applies it instead of switching full screen.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                applyFilter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorvel
