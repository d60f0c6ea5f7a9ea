#pragma once

#include "core/files/ThumbnailMaker.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvel {

// The work behind the thumbnails view for one fill of the file list: which
// scan entries have their picture, and the making of the pictures on worker
// threads, at most two at a time. Results come back on the thread that owns
// the scheduler (the user-interface thread) through pictureReady.
//
// Each entry is attempted once per fill: a file that cannot be read keeps
// its error picture until the next fill. A new fill abandons all work of the
// previous one; nothing made for it arrives afterwards.
class ThumbnailScheduler : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxRunning = 2;

    enum State : quint8 { NotMade, Working, Made, Failed };

    struct Candidate
    {
        int scanIndex = -1;
        QString path;  // as listed: a link is resolved by the maker
    };

    // Makes one picture on a worker thread; a null picture means the file
    // cannot be read. cancel is set when the work is abandoned.
    using Maker = std::function<QImage(const QString &path, const std::atomic_bool *cancel)>;

    explicit ThumbnailScheduler(QObject *parent = nullptr);
    // Abandons the work and waits for the workers to stop.
    ~ThumbnailScheduler() override;

    // The default maker resolves links and uses ThumbnailMaker for pictures
    // of the box's size, turning them by their EXIF orientation when
    // "RotateByExif" is on as a fill starts; tests set their own.
    void setMaker(Maker maker);
    // The size of the default maker's pictures, in device pixels (the box
    // times the screen's scale).
    void setBox(QSize box);
    static Maker listedFileMaker(QSize box, bool applyOrientation);

    // A new fill with scanCount entries, none of them made: the work for the
    // previous fill is abandoned.
    void reset(int scanCount);
    // Files that came into the folder since the fill: more entries, none of
    // them made, while the work under way goes on.
    void grow(int scanCount);
    int scanCount() const { return int(m_states.size()); }

    // Starts the pictures of the first candidates that are not made yet, in
    // the given order, while fewer than kMaxRunning are being made.
    void request(const QVector<Candidate> &candidates);

    State state(int scanIndex) const;
    // Pictures of the current fill being made.
    int running() const { return m_running; }

    // Blocks until the workers are idle (the results are then queued for
    // the owner's thread). For tests and measurements.
    void waitForDone();

    // The rows near the visible page, in the order their pictures are
    // wanted: the page (top and the page - 1 rows below it), then the row
    // above it, then up to four rows below it.
    static QVector<int> candidateRows(int top, int page, int rowCount);

Q_SIGNALS:
    // The entry's attempt ended: picture is the thumbnail, or null when the
    // file cannot be read.
    void pictureReady(int scanIndex, const QImage &picture);

private Q_SLOTS:
    // Takes the results the workers left, on the owner's thread.
    void deliverResults();

private:
    struct Job
    {
        quint64 generation;
        int scanIndex;
        QString path;
        Maker maker;
        std::shared_ptr<std::atomic_bool> cancel;
    };
    struct Result
    {
        quint64 generation;
        int scanIndex;
        QImage picture;
    };

    void work();

    // Owner's thread only.
    Maker m_maker;
    bool m_ownMaker = false; // set by setMaker
    QSize m_box = ThumbnailMaker::box();
    quint64 m_generation = 0;
    // The abandon flag of the current fill's work, shared with its jobs.
    std::shared_ptr<std::atomic_bool> m_cancel;
    std::vector<State> m_states;
    int m_running = 0;
    std::vector<std::thread> m_workers;

    // Shared with the workers, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;  // a job was queued, or the workers stop
    std::condition_variable m_idle;  // a job ended
    std::deque<Job> m_jobs;
    std::vector<Result> m_results;
    int m_busy = 0;
    bool m_deliveryPosted = false;
    bool m_stop = false;
};

} // namespace quorvel
