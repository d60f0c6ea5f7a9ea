#pragma once

#include "core/imaging/DecodeTypes.h"
#include "core/imaging/PreparedDisplay.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace quorvel {

// Turns file paths into the image on display, decoding on background threads
// and keeping a small cache: the image shown before (stepping back costs no
// decode) and the next file of the list, decoded ahead (the preload).
//
// Threads: everything public is called on the thread that owns the loader
// (the user-interface thread), and every signal is emitted there. One load
// thread and at most kAheadThreads preload threads decode at once (besides
// the whole picture behind a first look and the refinement of a draft); a
// preload that was dropped may still be ending. Results come back through a
// mutex-guarded hand-over and a queued call, never through shared unguarded
// state.
//
// How the frame and the view use it:
//   - show a file: requestLoad(path). true means the cache served it at
//     once: handle it as a finished load (call the load-done handling
//     yourself). false means a load started, or, while busy, that path became
//     the pending request (only the last of several survives). A file still
//     being preloaded is not waited for: false, and its preload thread
//     hands it over as a load's. The running
//     load goes on: its picture is shown when it is ready (ShowPassing),
//     except for a camera raw file, whose long decode is abandoned.
//   - loadDone(): a background load ended, well or not. The frame re-enables
//     what it disabled, then calls onLoadDone(); on Finished it shows the
//     current image when isImagePresent() (else "File not loaded"), starts
//     the preload of the next file of the list (startPreload) and refreshes
//     the histogram; on NewLoadStarted it does nothing more; on ShowPassing
//     it paints passingImage() and waits for the next loadDone().
//   - while isBusy(), commands that touch the image or the list do nothing,
//     and the directory tree is disabled so the folder cannot change under a
//     load (busyChanged() tells when to switch it). The wait cursor during
//     requestLoad() is the caller's.
//   - rawDecodeProgress(percent): a camera raw decode is running (0 at its
//     start: the view shows its empty state and the progress line).
//   - previewReady(): the camera raw file being loaded carries a picture
//     for quick showing (previewImage()); the view shows it while the whole
//     picture is decoded and the progress line runs on. loadDone() follows
//     as for any load, and the current image then replaces the preview.
//   - before a file on disk is replaced: clearAll() and/or emptyCache(), then
//     reload.
//   - setDisplayTarget(): what the view shows pictures in. While it is set,
//     loads and preloads decode a JPEG only at the DCT scale that covers the
//     view (a first look at a fraction of the cost) and prepare its display
//     bitmap on their thread (currentAhead()), so showing it is a copy to
//     the screen. The previous and the preloaded pictures stay at that size.
//     When the view needs more (zoom, a full-resolution treatment, the
//     histogram) it calls requestFullResolution(); fullResolutionReady()
//     tells when currentImage() is the whole picture.
//   - drafts: while the keys move (requests less than kMotionMs apart, or
//     a request while a load runs) files are decoded as drafts
//     (DisplayAhead::prepareDraft), a quick rendition that keeps up with a
//     held key. Once the keys rest (kMotionMs without a request) a draft
//     that is current is decoded and prepared again as a load would, behind
//     it; refined() tells when currentImage() and currentAhead() are the
//     real ones. Drafts held in the preload slots are then decoded again.
class ImageLoader : public QObject
{
    Q_OBJECT
public:
    using DecodeFunction = std::function<DecodeResult(const QString &path, const DecodeOptions &options)>;

    // The current path while a background load runs.
    static QString loadingPath() { return QStringLiteral("empty"); }
    // The previous path after emptyCache(); it matches no real path.
    static QString emptiedCachePath() { return QStringLiteral("emptycache"); }

    enum class DoneOutcome {
        // Go on: show the current image if present, start the preload.
        Finished,
        // A pending request started a new background load: the image just
        // decoded is not shown; wait for the next loadDone().
        NewLoadStarted,
        // As NewLoadStarted, but the picture just decoded, for a file the
        // keys have passed meanwhile, is newer than the one on screen: show
        // it (passingImage()) while the newest request loads. A held key
        // thus sees a new picture with every decode instead of none until
        // it is let go.
        ShowPassing,
    };

    // Requests closer together than this are keys in motion; as long
    // without one, they rest.
    static constexpr int kMotionMs = 200;

    explicit ImageLoader(QObject *parent = nullptr);
    // Waits for running threads (abandoning their decodes where possible).
    ~ImageLoader() override;

    // The decoder behind loads and preloads; ImageDecoder::decodeFile unless
    // replaced (tests count and gate decodes with it). Set it while idle.
    void setDecodeFunction(DecodeFunction decode);
    // Where the quick first picture of a camera raw file comes from;
    // ImageDecoder::decodePreview unless replaced. Set it while idle.
    void setPreviewFunction(DecodeFunction preview);
    // How many decodes the loader has started, loads and preloads together.
    int decodeCount() const { return m_decodeCount.load(); }

    // Reads "UseCMS", "HQRAWConv" and "RotateByExif" from globalSettings()
    // as the load starts.
    bool requestLoad(const QString &path);
    // The loader's part of the load-done handling: takes up the pending
    // request, or makes the loaded path current.
    DoneOutcome onLoadDone();
    // Starts decoding path ahead unless a load or a preload runs. Camera raw
    // files are never preloaded. Returns whether a preload started.
    bool startPreload(const QString &path);
    // Keeps decoded ahead the files of paths (the nearest first) that fit
    // into the preload slots: what is held already stays, the others are
    // dropped. Two while the view is known, three while the keys move (the
    // drafts are small, and a thread that is done goes on with the next
    // file instead of waiting for the next key press); only the first while
    // no display target is set (whole pictures take too much memory). At
    // most kAheadThreads decode at once, the nearest first; the others start
    // as those finish. Returns how many started.
    int preloadAhead(const QStringList &paths);
    // Drops the previous and the preloaded image; the current one stays.
    void emptyCache();
    // Empties the current slot.
    void clearAll();

    // What the view shows pictures in (an invalid target: nothing known,
    // pictures are decoded whole). Taken up by the next load or preload.
    void setDisplayTarget(const DisplayTarget &target) { m_target = target; }
    const DisplayTarget &displayTarget() const { return m_target; }

    // The current picture: the whole one, or the reduced first look.
    const QImage &currentImage() const { return m_currentFull.isNull() ? m_current.image : m_currentFull; }
    // The size of the whole current picture.
    QSize currentFullSize() const { return m_current.fullSize; }
    bool isCurrentReduced() const { return m_currentFull.isNull() && m_current.image.size() != m_current.fullSize; }
    // The current picture is a draft, still to be refined.
    bool isCurrentDraft() const { return m_current.draft; }
    bool isRefinePending() const { return m_refineRequested; }
    // Requests come closer together than kMotionMs (a key held).
    bool isInMotion() const { return m_inMotion; }
    // Another interval than kMotionMs (tests on slow machines).
    void setMotionInterval(int ms)
    {
        m_motionMs = ms;
        m_restTimer.setInterval(ms);
    }
    // The display bitmap prepared with the current picture (null when none
    // was); the view takes it when it still fits.
    const PreparedDisplay &currentAhead() const { return m_current.ahead; }
    // Starts decoding the whole current picture behind the reduced one;
    // false when it is not reduced, a load runs, or the decode already runs.
    bool requestFullResolution();
    bool isFullResolutionPending() const { return m_fullRequested; }
    // The same, waited for (a copy to the clipboard needs it at once).
    // Returns whether currentImage() is the whole picture.
    bool loadFullResolutionNow();
    // After ShowPassing or passingReady(): the picture of a file the keys
    // have passed, with its display bitmap.
    const QImage &passingImage() const { return m_passing.image; }
    QSize passingFullSize() const { return m_passing.fullSize; }
    const PreparedDisplay &passingAhead() const { return m_passing.ahead; }
    // Only part of the current image could be decoded (a damaged file).
    bool isCurrentPartial() const { return m_current.partial; }
    const QString &currentPath() const { return m_currentPath; }
    const QString &previousPath() const { return m_previousPath; }
    const QString &pendingPath() const { return m_pendingPath; }
    // The path of the last successful load or cache hit ("" after a failure).
    const QString &loadedPath() const { return m_loadedPath; }
    bool hasPreviousImage() const { return !m_previous.image.isNull(); }
    bool isImagePresent() const { return m_imagePresent; }
    bool isBusy() const { return m_busy; }
    bool isPreloading() const;
    QString preloadedPath() const;
    bool hasPreloadedImage() const;
    // While a camera raw file loads: the picture it carries for quick
    // showing, once previewReady() told so; null otherwise.
    const QImage &previewImage() const { return m_preview; }
    // Why the last background load failed ("" after a success).
    const QString &lastError() const { return m_lastError; }

signals:
    void loadDone();
    // A background load started (true) or handed its result over (false,
    // just before loadDone()).
    void busyChanged(bool busy);
    void rawDecodeProgress(int percent);
    void previewReady();
    void preloadFinished();
    // While a load runs, a file asked for meanwhile finished decoding on a
    // preload thread and is newer than the picture on screen: show
    // passingImage() until the load is done.
    void passingReady();
    // The whole current picture replaced the reduced one (currentImage()).
    void fullResolutionReady();
    // The current picture, a draft, was decoded and prepared again as a
    // load does: currentImage() and currentAhead() replace the draft's.
    void refined();
    // clearAll() ran: display bitmaps derived from the image must go.
    void cleared();

private:
    Q_INVOKABLE void handleLoadFinished();
    Q_INVOKABLE void handlePreviewFinished();
    Q_INVOKABLE void handlePreloadFinished();
    Q_INVOKABLE void handleProgress();
    Q_INVOKABLE void handleFullResolutionFinished();
    Q_INVOKABLE void handleRefineFinished();

    // A picture in one of the slots: reduced when its image is smaller than
    // fullSize, with the display bitmap prepared on the loading thread.
    struct Picture
    {
        QImage image;
        bool partial = false;
        QSize fullSize;
        PreparedDisplay ahead;
        // A quick rendition (see DisplayAhead::prepareDraft).
        bool draft = false;
        // The decoder delivered it reduced (a JPEG at a DCT scale).
        bool decodedReduced = false;
    };
    // Whether a load would decode the draft's very pixels, so that refining
    // it is a preparation of its display alone.
    static bool draftDecodeServes(const Picture &draft, const DisplayTarget &target);
    // Turns a decode's result into a slot's picture, preparing its display.
    static Picture pictureFrom(DecodeResult &&result, const DisplayTarget &target, bool draft = false);
    DecodeOptions optionsFor(const DisplayTarget &target, bool draft = false) const;
    // The current picture changes: its whole version goes, and a decode of
    // it still running is abandoned (the refinement of a draft too).
    void dropFullResolution();
    bool request(const QString &path, bool draft);
    // A draft current picture that stays is decoded and prepared again.
    void refineCurrent();
    // kMotionMs without a request: the draft on screen and those decoded
    // ahead are made again as loads would.
    void keysAtRest();
    bool holdsDraftAhead() const;

    DecodeOptions optionsFromSettings() const;
    void startBackgroundLoad(const QString &path, bool draft = false);
    // The slots change as for a load of path (the user interface is told
    // by the caller); startLoadThread() decodes it.
    void beginLoad(const QString &path);
    void startLoadThread(const QString &path, bool draft = false);
    void finishLoad(Picture &&result, const QString &path, const QString &error);
    // The preload the loader is busy with has ended: its picture is handed
    // over as a load's, or a load decodes the file after all. false while
    // it still runs.
    bool takeAdoptedSlot();
    void runLoad(const QString &path, DecodeOptions options, DisplayTarget target, bool draft);
    void runPreload(int slot, const QString &path, DecodeOptions options, DisplayTarget target, quint64 generation,
                    bool draft);
    // With m_preloadMutex held: starts the preload of path in a slot that
    // runs no thread.
    void startSlotLocked(int slot, const QString &path, quint64 seq = 0);
    void discardSlotLocked(int slot);
    void postProgress(int percent);
    // With m_preloadMutex held.
    void discardPreloadLocked();
    // While busy: decodes path, asked for meanwhile, on an idle preload
    // thread, so that both cores work on what the keys reach.
    void preloadWhileBusy(const QString &path, quint64 seq);

    DecodeFunction m_decode;
    DecodeFunction m_decodePreview;
    std::atomic<int> m_decodeCount{0};
    // Set when a newer request supersedes the running load or preload.
    std::atomic_bool m_loadCancel{false};

    // Owner thread only.
    DisplayTarget m_target;
    Picture m_current;
    Picture m_previous;
    // The whole current picture, decoded behind the reduced one.
    QImage m_currentFull;
    std::thread m_fullThread;
    std::atomic_bool m_fullCancel{false};
    bool m_fullRequested = false;
    quint64 m_fullGeneration = 0;
    QString m_currentPath;
    QString m_previousPath;
    QString m_pendingPath;
    QString m_loadedPath;
    QString m_lastError;
    // The file the running load decodes, and the preview shown meanwhile.
    QString m_loadingPath;
    QImage m_preview;
    bool m_imagePresent = false;
    bool m_busy = false;
    // Every request is numbered; a picture is worth showing in passing only
    // when it was asked for after the one on screen.
    quint64 m_requestSeq = 0;
    quint64 m_screenSeq = 0;
    quint64 m_loadSeq = 0;
    Picture m_passing;
    // The preload slot the loader is busy with, or -1: a file asked for
    // while it was being preloaded.
    int m_adoptedSlot = -1;
    std::thread m_loadThread;

    // Hand-over from the load thread.
    std::mutex m_loadMutex;
    Picture m_loadResult;
    QString m_loadResultPath;
    QString m_loadResultError;
    QImage m_previewResult;
    QString m_previewResultPath;

    // The preloads, each shared with its thread (the thread object itself
    // is the owner thread's).
    static constexpr int kPreloadSlots = 3;
    // Slots kept while the keys rest; the last one serves only drafts.
    static constexpr int kRestingSlots = 2;
    // Decodes ahead at once (one per core of a small machine).
    static constexpr int kAheadThreads = 2;
    // With m_preloadMutex held.
    int runningPreloadsLocked() const;
    struct PreloadSlot
    {
        bool preloading = false;
        QString path;
        Picture picture;
        // A thread still running for an older generation publishes nothing.
        quint64 generation = 0;
        // The request that started it while a load ran (0: decoded ahead).
        quint64 seq = 0;
        std::atomic_bool cancel{false};
        std::thread thread;
    };
    mutable std::mutex m_preloadMutex;
    PreloadSlot m_slots[kPreloadSlots];
    // Files decoded ahead in vain since the last request: not tried again
    // while the keys move.
    QStringList m_aheadFailed;
    quint64 m_preloadGeneration = 0;

    // Hand-over from the full-resolution decode.
    std::mutex m_fullMutex;
    QImage m_fullResult;
    quint64 m_fullResultGeneration = 0;

    // Whether the keys are in motion, and the files last kept decoded ahead.
    QElapsedTimer m_sinceRequest;
    QTimer m_restTimer;
    bool m_inMotion = false;
    int m_motionMs = kMotionMs;
    QStringList m_aheadPaths;

    // The refinement of a draft current picture, and its hand-over.
    std::thread m_refineThread;
    std::atomic_bool m_refineCancel{false};
    std::atomic_bool m_refineRunning{false};
    bool m_refineRequested = false;
    quint64 m_refineGeneration = 0;
    std::mutex m_refineMutex;
    Picture m_refineResult;
    quint64 m_refineResultGeneration = 0;

    std::atomic<int> m_rawPercent{0};
    std::atomic_bool m_progressPosted{false};
};

} // namespace quorvel
