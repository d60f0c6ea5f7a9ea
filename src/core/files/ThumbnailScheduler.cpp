#include "core/files/ThumbnailScheduler.h"

#include "core/exif/ExifLibrary.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/files/ThumbnailMaker.h"

#include <QMetaObject>

#include <algorithm>

namespace quorvel {

namespace {

QImage makeFromListedFile(const QString &path, const std::atomic_bool *cancel)
{
    QString file = path;
    if (link::isLinkName(fileNameOf(path))) {
        // A link that does not resolve shows the error picture.
        const auto target = link::resolveLink(path);
        if (!target)
            return QImage();
        file = *target;
    }
    return ThumbnailMaker::fromFile(file, cancel).picture;
}

} // namespace

ThumbnailScheduler::ThumbnailScheduler(QObject *parent)
    : QObject(parent)
    , m_maker(makeFromListedFile)
    , m_cancel(std::make_shared<std::atomic_bool>(false))
{
    m_pool.setMaxThreadCount(kMaxRunning);
    // The metadata library must be set up before threads use it.
    initExifLibrary();
}

ThumbnailScheduler::~ThumbnailScheduler()
{
    m_cancel->store(true);
    m_pool.clear();
    m_pool.waitForDone();
}

void ThumbnailScheduler::setMaker(Maker maker)
{
    m_maker = std::move(maker);
}

void ThumbnailScheduler::reset(int scanCount)
{
    // Jobs of the old fill see their flag and stop early; whatever they
    // still deliver carries the old generation and is dropped in finished().
    m_cancel->store(true);
    m_pool.clear();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    ++m_generation;
    m_running = 0;
    m_states.assign(size_t(std::max(scanCount, 0)), NotMade);
}

void ThumbnailScheduler::request(const QVector<Candidate> &candidates)
{
    for (const Candidate &c : candidates) {
        if (m_running >= kMaxRunning)
            return;
        if (c.scanIndex < 0 || c.scanIndex >= scanCount() || m_states[size_t(c.scanIndex)] != NotMade)
            continue;
        m_states[size_t(c.scanIndex)] = Working;
        ++m_running;
        const quint64 generation = m_generation;
        const std::shared_ptr<std::atomic_bool> cancel = m_cancel;
        const Maker maker = m_maker;
        const int scanIndex = c.scanIndex;
        const QString path = c.path;
        // The destructor waits for every job, so `this` outlives them.
        m_pool.start([this, generation, cancel, maker, scanIndex, path] {
            QImage picture;
            if (!cancel->load())
                picture = maker(path, cancel.get());
            QMetaObject::invokeMethod(
                this, [this, generation, scanIndex, picture] { finished(generation, scanIndex, picture); },
                Qt::QueuedConnection);
        });
    }
}

void ThumbnailScheduler::finished(quint64 generation, int scanIndex, const QImage &picture)
{
    // Runs on the owner's thread, where reset() changes the generation: a
    // result of an abandoned fill can never be taken for the current one.
    if (generation != m_generation || scanIndex < 0 || scanIndex >= scanCount())
        return;
    --m_running;
    m_states[size_t(scanIndex)] = picture.isNull() ? Failed : Made;
    Q_EMIT pictureReady(scanIndex, picture);
}

ThumbnailScheduler::State ThumbnailScheduler::state(int scanIndex) const
{
    return scanIndex >= 0 && scanIndex < scanCount() ? m_states[size_t(scanIndex)] : NotMade;
}

void ThumbnailScheduler::waitForDone()
{
    m_pool.waitForDone();
}

QVector<int> ThumbnailScheduler::candidateRows(int top, int page, int rowCount)
{
    QVector<int> rows;
    if (rowCount <= 0)
        return rows;
    top = std::clamp(top, 0, rowCount - 1);
    page = std::max(page, 0);
    const int pageEnd = std::min(top + page, rowCount);
    for (int r = top; r < pageEnd; ++r)
        rows.append(r);
    if (top > 0)
        rows.append(top - 1);
    for (int r = pageEnd; r < std::min(top + page + 4, rowCount); ++r)
        rows.append(r);
    return rows;
}

} // namespace quorvel
