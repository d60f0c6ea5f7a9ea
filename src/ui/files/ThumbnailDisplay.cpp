#include "ui/files/ThumbnailDisplay.h"

#include "core/files/FileListModel.h"
#include "core/files/ThumbnailMaker.h"
#include "core/files/ThumbnailScheduler.h"

#include <QEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTreeView>

namespace quorvel {

namespace {
constexpr QSize kIconSize(16, 16);
} // namespace

ThumbnailDisplay::ThumbnailDisplay(QTreeView *list, FileListModel *model, IconProvider icons, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_model(model)
    , m_icons(std::move(icons))
    , m_scheduler(new ThumbnailScheduler(this))
    , m_placeholder(QPixmap::fromImage(ThumbnailMaker::placeholder()))
    , m_error(QPixmap::fromImage(ThumbnailMaker::errorPicture()))
{
    // The model may ask for pictures while its owner is being torn down.
    QPointer<ThumbnailDisplay> self(this);
    m_model->setDecorationProvider([self, icons = m_icons](int scanIndex, bool isLink) -> QVariant {
        if (self && self->m_on)
            return self->pictureOf(scanIndex);
        return icons ? icons(scanIndex, isLink) : QVariant();
    });
    connect(m_scheduler, &ThumbnailScheduler::pictureReady, this, &ThumbnailDisplay::install);
    // Whatever changes the rows on the page changes the pictures wanted.
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this, &ThumbnailDisplay::schedule);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &ThumbnailDisplay::schedule);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ThumbnailDisplay::schedule);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &ThumbnailDisplay::schedule);
    // Files that came into the folder get their slots after the others.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_on)
            return;
        const int count = m_model->scanCount();
        m_scheduler->grow(count);
        if (count > int(m_slots.size()))
            m_slots.resize(size_t(count));
        schedule();
    });
    m_list->viewport()->installEventFilter(this);
}

ThumbnailDisplay::~ThumbnailDisplay() = default;

void ThumbnailDisplay::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    m_list->setIconSize(on ? ThumbnailMaker::box() : kIconSize);
    if (!on) {
        m_scheduler->reset(0);
        m_slots.clear();
        m_slots.shrink_to_fit();
    }
}

QPixmap ThumbnailDisplay::devicePixmap(const QImage &picture) const
{
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(qreal(picture.width()) / ThumbnailMaker::kSize);
    return pixmap;
}

void ThumbnailDisplay::followScreenScale()
{
    const qreal scale = m_list->viewport()->devicePixelRatioF();
    if (qFuzzyCompare(scale, m_scale))
        return;
    m_scale = scale;
    const QSize box = (QSizeF(ThumbnailMaker::box()) * scale).toSize();
    m_scheduler->setBox(box);
    m_placeholder = devicePixmap(ThumbnailMaker::placeholder(scale));
    m_error = devicePixmap(ThumbnailMaker::errorPicture(scale));
}

void ThumbnailDisplay::prepare(int scanCount)
{
    if (m_on)
        followScreenScale();
    const int count = m_on ? scanCount : 0;
    m_scheduler->reset(count);
    m_slots.assign(size_t(count), QPixmap());
}

void ThumbnailDisplay::start()
{
    schedule();
}

QPixmap ThumbnailDisplay::pictureOf(int scanIndex) const
{
    if (scanIndex < 0 || scanIndex >= int(m_slots.size()) || m_slots[size_t(scanIndex)].isNull())
        return m_placeholder;
    return m_slots[size_t(scanIndex)];
}

bool ThumbnailDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        schedule();
    return QObject::eventFilter(watched, event);
}

void ThumbnailDisplay::schedule()
{
    // Scrolling sends many changes in a row: they collapse into one look at
    // the page once control is back in the event loop.
    if (!m_on || m_requestPending)
        return;
    m_requestPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_requestPending = false;
            requestVisible();
        },
        Qt::QueuedConnection);
}

void ThumbnailDisplay::requestVisible()
{
    const int rows = m_model->rowCount();
    if (!m_on || rows == 0 || m_scheduler->scanCount() == 0)
        return;
    int top = 0;
    int page = 0;
    const QModelIndex first = m_list->indexAt(QPoint(1, 1));
    if (first.isValid()) {
        top = first.row();
        const int rowHeight = m_list->visualRect(first).height();
        if (rowHeight > 0)
            page = m_list->viewport()->height() / rowHeight;
    }
    QVector<ThumbnailScheduler::Candidate> candidates;
    for (int row : ThumbnailScheduler::candidateRows(top, page, rows))
        candidates.append({m_model->scanIndexAt(row), m_model->pathAt(row)});
    m_scheduler->request(candidates);
}

void ThumbnailDisplay::install(int scanIndex, const QImage &picture)
{
    if (scanIndex < 0 || scanIndex >= int(m_slots.size()))
        return;
    m_slots[size_t(scanIndex)] = picture.isNull() ? m_error : devicePixmap(picture);
    m_model->decorationChanged(scanIndex);
    schedule();
}

} // namespace quorvel
