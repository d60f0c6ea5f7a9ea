#include "ui/exif/ExifStatisticsDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace quorvel {

namespace {

// The count column is at least this wide, and wide enough for its texts; the
// first column leaves it and the scroll bar this much more of the width.
constexpr int kCountColumnWidth = 50;
constexpr int kScrollBarSpace = 25;
constexpr int kWaitTextOffset = 40;

} // namespace

ExifStatisticsDialog::ExifStatisticsDialog(const QString &folder, std::vector<QString> fileTable, QWidget *parent,
                                           std::vector<std::optional<ExifRecord>> known)
    : QDialog(parent)
    , m_folder(folder)
    , m_fileTable(std::move(fileTable))
    , m_known(std::move(known))
{
    setWindowTitle(tr("EXIF statistics"));
    const QFontMetrics fm(font());
    resize(290 * fm.averageCharWidth() / 4, 265 * fm.height() / 8);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("StatisticsList"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    // The waiting text and the progress bar lie over the empty list.
    m_waitText = new QLabel(tr("Gathering statistics, please wait..."), m_list->viewport());
    m_waitText->move(kWaitTextOffset, kWaitTextOffset);
    m_waitText->adjustSize();
    m_progress = new QProgressBar(m_list->viewport());
    m_progress->setTextVisible(true);
    m_progress->setGeometry(kWaitTextOffset, kWaitTextOffset + m_waitText->height() + 8,
                            qMax(200, m_waitText->width()), fm.height() + 6);
    m_progress->hide();

    connect(&m_watcher, &QFutureWatcher<ExifStatistics>::progressRangeChanged, m_progress, &QProgressBar::setRange);
    connect(&m_watcher, &QFutureWatcher<ExifStatistics>::progressValueChanged, m_progress, &QProgressBar::setValue);
    connect(&m_watcher, &QFutureWatcher<ExifStatistics>::finished, this, [this] {
        unsetCursor();
        m_waitText->hide();
        m_progress->hide();
        if (m_watcher.future().isValid() && m_watcher.future().resultCount() > 0)
            fill(m_watcher.result());
        m_gathered = true;
        Q_EMIT gathered();
    });
}

ExifStatisticsDialog::~ExifStatisticsDialog()
{
    m_cancel = true;
    m_watcher.waitForFinished();
}

void ExifStatisticsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitColumns();
    if (!m_started)
        startGathering();
}

void ExifStatisticsDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitColumns();
}

void ExifStatisticsDialog::fitColumns()
{
    int countWidth = kCountColumnWidth;
    const QFontMetrics fm(m_list->font());
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        countWidth = qMax(countWidth, fm.horizontalAdvance(m_list->topLevelItem(i)->text(1)) + fm.averageCharWidth() * 2);
    m_list->setColumnWidth(0, qMax(kCountColumnWidth, m_list->width() - countWidth - kScrollBarSpace));
    m_list->setColumnWidth(1, countWidth);
}

bool ExifStatisticsDialog::showsProgressBar() const
{
    return !m_progress->isHidden();
}

void ExifStatisticsDialog::startGathering()
{
    m_started = true;
    setCursor(Qt::WaitCursor);
    const auto toRead = std::count_if(m_fileTable.begin(), m_fileTable.end(), [](const QString &n) { return !n.isEmpty(); });
    m_progress->setVisible(toRead > kProgressBarFiles);
    m_watcher.setFuture(QtConcurrent::run(
        [folder = m_folder, table = m_fileTable, known = m_known, cancel = &m_cancel](QPromise<ExifStatistics> &promise) {
            ExifStatistics statistics;
            promise.setProgressRange(0, int(std::count_if(table.begin(), table.end(),
                                                          [](const QString &n) { return !n.isEmpty(); })));
            if (statistics.gather(folder, table, [&promise](int done, int) { promise.setProgressValue(done); },
                                  cancel, &known))
                promise.addResult(statistics);
        }));
}

void ExifStatisticsDialog::fill(const ExifStatistics &statistics)
{
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    for (const ExifStatistics::Row &row : statistics.rows(m_folder))
        items.append(new QTreeWidgetItem(QStringList{row.text, row.count}));
    m_list->addTopLevelItems(items);
    fitColumns();
}

QVector<ExifStatistics::Row> ExifStatisticsDialog::shownRows() const
{
    QVector<ExifStatistics::Row> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        rows.append({m_list->topLevelItem(i)->text(0), m_list->topLevelItem(i)->text(1)});
    return rows;
}

} // namespace quorvel
