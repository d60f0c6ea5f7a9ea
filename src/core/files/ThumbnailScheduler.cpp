#include "core/files/ThumbnailScheduler.h"

#include "core/exif/ExifLibrary.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/files/ThumbnailMaker.h"
#include "core/settings/AppSettings.h"

#include <QMetaObject>

#include <algorithm>

namespace quorvel {

namespace {

QImage makeFromListedFile(const QString &path, const std::atomic_bool *cancel, QSize box, bool applyOrientation)
{
    QString file = path;
    if (link::isLinkName(fileNameOf(path))) {
        // A link that does not resolve shows the error picture.
        const auto target = link::resolveLink(path);
        if (!target)
            return QImage();
        file = *target;
    }
    return ThumbnailMaker::fromFile(file, cancel, box, applyOrientation).picture;
}

} // namespace

ThumbnailScheduler::ThumbnailScheduler(QObject *parent)
    : QObject(parent)
    , m_maker(listedFileMaker(ThumbnailMaker::box(), globalSettings().rotateByExif != 0))
    , m_cancel(std::make_shared<std::atomic_bool>(false))
{
    // The metadata library must be set up before threads use it.
    initExifLibrary();
}

ThumbnailScheduler::~ThumbnailScheduler()
{
    m_cancel->store(true);
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_jobs.clear();
    }
    m_wake.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

ThumbnailScheduler::Maker ThumbnailScheduler::listedFileMaker(QSize box, bool applyOrientation)
{
    return [box, applyOrientation](const QString &path, const std::atomic_bool *cancel) {
        return makeFromListedFile(path, cancel, box, applyOrientation);
    };
}

void ThumbnailScheduler::setMaker(Maker maker)
{
    m_maker = std::move(maker);
    m_ownMaker = true;
}

void ThumbnailScheduler::setBox(QSize box)
{
    m_box = box;
    if (!m_ownMaker)
        m_maker = listedFileMaker(m_box, globalSettings().rotateByExif != 0);
}

void ThumbnailScheduler::reset(int scanCount)
{
    // Jobs of the old fill that are under way see their flag and stop early;
    // whatever they still deliver carries the old generation and is dropped.
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic_bool>(false);
    {
        std::lock_guard lock(m_mutex);
        m_jobs.clear();
    }
    ++m_generation;
    m_running = 0;
    // "RotateByExif" as it is when a fill starts: the workers never read the
    // settings record, which the Settings dialog changes.
    if (!m_ownMaker)
        m_maker = listedFileMaker(m_box, globalSettings().rotateByExif != 0);
    m_states.assign(size_t(std::max(scanCount, 0)), NotMade);
}

void ThumbnailScheduler::grow(int scanCount)
{
    if (scanCount > this->scanCount())
        m_states.resize(size_t(scanCount), NotMade);
}

void ThumbnailScheduler::request(const QVector<Candidate> &candidates)
{
    int queued = 0;
    {
        std::lock_guard lock(m_mutex);
        for (const Candidate &c : candidates) {
            if (m_running >= kMaxRunning)
                break;
            if (c.scanIndex < 0 || c.scanIndex >= scanCount() || m_states[size_t(c.scanIndex)] != NotMade)
                continue;
            m_states[size_t(c.scanIndex)] = Working;
            ++m_running;
            m_jobs.push_back({m_generation, c.scanIndex, c.path, m_maker, m_cancel});
            ++queued;
        }
    }
    if (queued == 0)
        return;
    // The workers start with the first picture and wait for more until the
    // scheduler goes.
    while (int(m_workers.size()) < kMaxRunning)
        m_workers.emplace_back(&ThumbnailScheduler::work, this);
    m_wake.notify_all();
}

void ThumbnailScheduler::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_stop)
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        ++m_busy;
        lock.unlock();

        QImage picture;
        if (!job.cancel->load())
            picture = job.maker(job.path, job.cancel.get());

        lock.lock();
        --m_busy;
        m_results.push_back({job.generation, job.scanIndex, std::move(picture)});
        if (!m_deliveryPosted) {
            m_deliveryPosted = true;
            QMetaObject::invokeMethod(this, "deliverResults", Qt::QueuedConnection);
        }
        m_idle.notify_all();
    }
}

void ThumbnailScheduler::deliverResults()
{
    std::vector<Result> results;
    {
        std::lock_guard lock(m_mutex);
        results.swap(m_results);
        m_deliveryPosted = false;
    }
    // The generation changes only here, on the owner's thread: a result of
    // an abandoned fill can never be taken for the current one.
    for (Result &r : results) {
        if (r.generation != m_generation || r.scanIndex < 0 || r.scanIndex >= scanCount())
            continue;
        --m_running;
        m_states[size_t(r.scanIndex)] = r.picture.isNull() ? Failed : Made;
        Q_EMIT pictureReady(r.scanIndex, r.picture);
    }
}

ThumbnailScheduler::State ThumbnailScheduler::state(int scanIndex) const
{
    return scanIndex >= 0 && scanIndex < scanCount() ? m_states[size_t(scanIndex)] : NotMade;
}

void ThumbnailScheduler::waitForDone()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && m_busy == 0; });
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
