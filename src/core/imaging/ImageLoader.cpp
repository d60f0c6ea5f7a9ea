#include "core/imaging/ImageLoader.h"

#include "core/imaging/DecoderChoice.h"
#include "core/imaging/DisplayAhead.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <algorithm>

namespace quorvel {

ImageLoader::ImageLoader(QObject *parent)
    : QObject(parent)
    , m_decode(&ImageDecoder::decodeFile)
    , m_decodePreview(&ImageDecoder::decodePreview)
{
    m_restTimer.setSingleShot(true);
    // Not early, as a coarse timer may be: a request right after it would
    // still count as motion.
    m_restTimer.setTimerType(Qt::PreciseTimer);
    m_restTimer.setInterval(kMotionMs);
    connect(&m_restTimer, &QTimer::timeout, this, &ImageLoader::keysAtRest);
}

ImageLoader::~ImageLoader()
{
    m_loadCancel.store(true);
    m_fullCancel.store(true);
    m_refineCancel.store(true);
    for (PreloadSlot &slot : m_slots)
        slot.cancel.store(true);
    if (m_loadThread.joinable())
        m_loadThread.join();
    for (PreloadSlot &slot : m_slots)
        if (slot.thread.joinable())
            slot.thread.join();
    if (m_fullThread.joinable())
        m_fullThread.join();
    if (m_refineThread.joinable())
        m_refineThread.join();
    // Queued calls still posted to this object die with it.
}

void ImageLoader::setDecodeFunction(DecodeFunction decode)
{
    Q_ASSERT(!m_busy && !isPreloading());
    m_decode = std::move(decode);
}

void ImageLoader::setPreviewFunction(DecodeFunction preview)
{
    Q_ASSERT(!m_busy);
    m_decodePreview = std::move(preview);
}

DecodeOptions ImageLoader::optionsFromSettings() const
{
    const AppSettings &s = globalSettings();
    DecodeOptions options;
    options.useCms = s.useCms != 0;
    options.hqRaw = s.hqRawConv != 0;
    options.applyOrientation = s.rotateByExif != 0;
    return options;
}

DecodeOptions ImageLoader::optionsFor(const DisplayTarget &target, bool draft) const
{
    DecodeOptions options = optionsFromSettings();
    options.reduceTo = draft ? DisplayAhead::draftBox(target) : DisplayAhead::reduceBox(target);
    options.reduceToFit = !options.reduceTo.isEmpty();
    // Drafts are for speed; pictures decoded ahead and kept take the
    // smallest scale (a load asks for the fastest itself). A draft at a
    // load's scale is then what the load would decode (draftDecodeServes).
    options.reduceFastest = draft;
    return options;
}

ImageLoader::Picture ImageLoader::pictureFrom(DecodeResult &&result, const DisplayTarget &target, bool draft)
{
    Picture picture;
    if (!result.ok())
        return picture;
    picture.image = std::move(result.image);
    picture.partial = result.partial;
    picture.decodedReduced = !result.fullSize.isEmpty();
    picture.fullSize = result.fullSize.isEmpty() ? picture.image.size() : result.fullSize;
    picture.draft = draft && target.isValid();
    picture.ahead = picture.draft ? DisplayAhead::prepareDraft(picture.image, picture.fullSize, target)
                                  : DisplayAhead::prepare(picture.image, picture.fullSize, target);
    return picture;
}

void ImageLoader::dropFullResolution()
{
    m_currentFull = QImage();
    m_fullRequested = false;
    ++m_fullGeneration;
    m_fullCancel.store(true);
    m_refineRequested = false;
    ++m_refineGeneration;
    m_refineCancel.store(true);
}

bool ImageLoader::draftDecodeServes(const Picture &draft, const DisplayTarget &target)
{
    // Decoded whole: the draft's box already asked for no reduction, and a
    // load's larger box asks for none either (or the decoder cannot reduce).
    if (!draft.decodedReduced)
        return true;
    // A reduced decode takes the smallest scale that covers the picture
    // fitted into the box. A load's box is larger than the draft's, so the
    // draft's scale is the load's too when it covers the load's fitted size
    // and the load reduces as well (only a reduced decode takes the quicker
    // IDCT).
    const QSize cover = zoom::fitInto(draft.fullSize, DisplayAhead::reduceBox(target));
    const bool loadReduces = cover.width() < draft.fullSize.width() || cover.height() < draft.fullSize.height();
    return loadReduces && draft.image.width() >= cover.width() && draft.image.height() >= cover.height();
}

void ImageLoader::keysAtRest()
{
    m_inMotion = false;
    refineCurrent();
    if (!m_busy && !m_aheadPaths.isEmpty() && holdsDraftAhead())
        preloadAhead(m_aheadPaths);
}

bool ImageLoader::holdsDraftAhead() const
{
    std::lock_guard lock(m_preloadMutex);
    return std::any_of(std::begin(m_slots), std::end(m_slots),
                       [](const PreloadSlot &s) { return !s.preloading && s.picture.draft; });
}

void ImageLoader::refineCurrent()
{
    // While the keys move the draft is likely passed too; the rest comes.
    if (!m_current.draft || m_refineRequested || m_currentPath.isEmpty() || m_busy || m_inMotion)
        return;
    m_refineRequested = true;
    // One refining thread: while an abandoned one still ends, its hand-over
    // starts the next (handleRefineFinished).
    if (m_refineRunning.load())
        return;
    if (m_refineThread.joinable())
        m_refineThread.join();
    m_refineCancel.store(false);
    m_refineRunning.store(true);
    DecodeOptions options = optionsFor(m_target);
    options.reduceFastest = true; // as the load it stands for
    options.cancel = &m_refineCancel;
    // Only the display is prepared again when a load would decode the same.
    QImage decoded;
    if (draftDecodeServes(m_current, m_target))
        decoded = m_current.image;
    m_refineThread = std::thread([this, path = m_currentPath, options, target = m_target, decoded,
                                  fullSize = m_current.fullSize, partial = m_current.partial,
                                  reduced = m_current.decodedReduced, generation = m_refineGeneration]() mutable {
        Picture picture;
        if (!decoded.isNull()) {
            picture.image = std::move(decoded);
            picture.fullSize = fullSize;
            picture.partial = partial;
            picture.decodedReduced = reduced;
            picture.ahead = DisplayAhead::prepare(picture.image, fullSize, target);
        } else {
            ++m_decodeCount;
            DecodeResult result = m_decode(path, options);
            if (!m_refineCancel.load())
                picture = pictureFrom(std::move(result), target);
        }
        {
            std::lock_guard lock(m_refineMutex);
            m_refineResult = std::move(picture);
            m_refineResultGeneration = generation;
        }
        m_refineRunning.store(false);
        QMetaObject::invokeMethod(this, "handleRefineFinished", Qt::QueuedConnection);
    });
}

void ImageLoader::handleRefineFinished()
{
    Picture picture;
    quint64 generation = 0;
    {
        std::lock_guard lock(m_refineMutex);
        picture = std::exchange(m_refineResult, Picture());
        generation = m_refineResultGeneration;
    }
    if (generation != m_refineGeneration) {
        // For a picture no longer current; the current one may be waiting.
        if (m_refineRequested && !m_refineRunning.load()) {
            m_refineRequested = false;
            refineCurrent();
        }
        return;
    }
    m_refineRequested = false;
    // A failure, or a file replaced since: the draft stays.
    if (picture.image.isNull() || picture.fullSize != m_current.fullSize)
        return;
    m_current = std::move(picture);
    emit refined();
}

bool ImageLoader::requestFullResolution()
{
    if (m_busy || m_fullRequested || !isCurrentReduced() || m_currentPath.isEmpty())
        return false;
    // A decode for an earlier picture was told to stop; it ends at once.
    if (m_fullThread.joinable())
        m_fullThread.join();
    m_fullCancel.store(false);
    m_fullRequested = true;
    DecodeOptions options = optionsFromSettings();
    options.cancel = &m_fullCancel;
    m_fullThread = std::thread([this, path = m_currentPath, options, generation = m_fullGeneration] {
        ++m_decodeCount;
        DecodeResult result = m_decode(path, options);
        {
            std::lock_guard lock(m_fullMutex);
            m_fullResult = result.ok() ? std::move(result.image) : QImage();
            m_fullResultGeneration = generation;
        }
        QMetaObject::invokeMethod(this, "handleFullResolutionFinished", Qt::QueuedConnection);
    });
    return true;
}

void ImageLoader::handleFullResolutionFinished()
{
    QImage full;
    quint64 generation = 0;
    {
        std::lock_guard lock(m_fullMutex);
        full = std::exchange(m_fullResult, QImage());
        generation = m_fullResultGeneration;
    }
    if (generation != m_fullGeneration || !m_fullRequested)
        return; // for a picture no longer current
    m_fullRequested = false;
    // A file replaced since its first look is not mixed with it.
    if (full.isNull() || full.size() != m_current.fullSize)
        return;
    m_currentFull = std::move(full);
    emit fullResolutionReady();
}

bool ImageLoader::loadFullResolutionNow()
{
    if (!isCurrentReduced())
        return !m_current.image.isNull();
    if (m_busy)
        return false;
    DecodeResult result = m_decode(m_currentPath, optionsFromSettings());
    ++m_decodeCount;
    if (!result.ok() || result.image.size() != m_current.fullSize)
        return false;
    // A decode still running behind is not waited for; its result is stale.
    dropFullResolution();
    m_currentFull = std::move(result.image);
    emit fullResolutionReady();
    return true;
}

bool ImageLoader::isPreloading() const
{
    std::lock_guard lock(m_preloadMutex);
    return std::any_of(std::begin(m_slots), std::end(m_slots), [](const PreloadSlot &s) { return s.preloading; });
}

QString ImageLoader::preloadedPath() const
{
    std::lock_guard lock(m_preloadMutex);
    for (const PreloadSlot &slot : m_slots)
        if (!slot.path.isEmpty())
            return slot.path;
    return QString();
}

bool ImageLoader::hasPreloadedImage() const
{
    std::lock_guard lock(m_preloadMutex);
    return std::any_of(std::begin(m_slots), std::end(m_slots),
                       [](const PreloadSlot &s) { return !s.picture.image.isNull(); });
}

void ImageLoader::discardSlotLocked(int index)
{
    PreloadSlot &slot = m_slots[index];
    slot.picture = Picture();
    slot.path.clear();
    slot.seq = 0;
    slot.generation = ++m_preloadGeneration;
    // A preload still running is no longer wanted.
    slot.cancel.store(true);
}

void ImageLoader::discardPreloadLocked()
{
    for (int i = 0; i < kPreloadSlots; ++i)
        discardSlotLocked(i);
}

bool ImageLoader::requestLoad(const QString &path)
{
    return request(path, false);
}

bool ImageLoader::request(const QString &path, bool draft)
{
    const quint64 seq = ++m_requestSeq;
    m_inMotion = m_sinceRequest.isValid() && m_sinceRequest.elapsed() < m_motionMs;
    m_sinceRequest.start();
    if (m_inMotion)
        m_restTimer.start();
    draft = draft || m_inMotion;
    // The files after the new one are named by the next preloadAhead().
    m_aheadPaths.clear();
    {
        std::lock_guard lock(m_preloadMutex);
        m_aheadFailed.clear();
    }
    if (m_busy) {
        // Only the last request counts: it starts as soon as the running
        // load has handed over. That load is not abandoned: with a key held
        // its picture is still newer than the one on screen, and abandoning
        // every load the next key press overtakes would show nothing until
        // the key is let go. A camera raw decode takes too long for that.
        m_pendingPath = path;
        if (isRawFile(m_loadingPath))
            m_loadCancel.store(true);
        preloadWhileBusy(path, seq);
        return false;
    }
    if (path != m_previousPath) {
        std::unique_lock lock(m_preloadMutex);
        int hit = -1;
        for (int i = 0; i < kPreloadSlots; ++i)
            if (!path.isEmpty() && m_slots[i].path == path)
                hit = i;
        if (hit < 0) {
            discardPreloadLocked();
        } else {
            // The other slot stays: it holds the file after this one.
            PreloadSlot &slot = m_slots[hit];
            if (slot.preloading) {
                // Not ready yet: the loader is busy with it as with a load of
                // its own, and the preload hands it over. Waiting here would
                // hold the user interface: with a key held, every press would
                // then be handled in turn instead of skipping ahead.
                lock.unlock();
                beginLoad(path);
                m_adoptedSlot = hit;
                m_loadSeq = seq;
                emit busyChanged(true);
                return false;
            }
            Picture preloaded = std::exchange(slot.picture, Picture());
            if (preloaded.image.isNull()) {
                // Failed: decoded again by a load.
                discardSlotLocked(hit);
            } else {
                slot.path.clear();
                lock.unlock();
                dropFullResolution();
                m_previous = std::move(m_current);
                m_current = std::move(preloaded);
                m_imagePresent = !m_current.image.isNull();
                m_previousPath = m_currentPath;
                m_currentPath = path;
                m_loadedPath = path;
                m_screenSeq = seq;
                return true;
            }
        }
    } else if (!m_previous.image.isNull()) {
        dropFullResolution();
        std::swap(m_current, m_previous);
        m_previousPath = m_currentPath;
        m_currentPath = path;
        m_loadedPath = path;
        m_imagePresent = true;
        m_screenSeq = seq;
        return true;
    }
    startBackgroundLoad(path, draft);
    m_loadSeq = seq;
    return false;
}

void ImageLoader::startBackgroundLoad(const QString &path, bool draft)
{
    beginLoad(path);
    startLoadThread(path, draft);
    emit busyChanged(true);
}

void ImageLoader::beginLoad(const QString &path)
{
    dropFullResolution();
    m_previous = std::move(m_current);
    m_current = Picture();
    m_previousPath = m_currentPath;
    m_currentPath = loadingPath();
    m_imagePresent = false;
    m_loadedPath.clear();
    m_loadingPath = path;
    m_preview = QImage();
    m_busy = true;
}

void ImageLoader::startLoadThread(const QString &path, bool draft)
{
    // The previous load thread has handed its result over already; it is
    // at most returning.
    if (m_loadThread.joinable())
        m_loadThread.join();
    m_loadCancel.store(false);
    draft = draft && m_target.isValid();
    DecodeOptions options = optionsFor(m_target, draft);
    // The user waits for this one: the scale that decodes fastest.
    options.reduceFastest = true;
    m_loadThread = std::thread(&ImageLoader::runLoad, this, path, options, m_target, draft);
}

void ImageLoader::runLoad(const QString &path, DecodeOptions options, DisplayTarget target, bool draft)
{
    options.cancel = &m_loadCancel;
    if (isRawFile(path)) {
        options.progress = [this](int percent) { postProgress(percent); };
        postProgress(0);
        // The preview the file carries is shown while the whole picture is
        // decoded.
        if (m_decodePreview) {
            DecodeOptions previewOptions = options;
            previewOptions.progress = nullptr;
            DecodeResult preview = m_decodePreview(path, previewOptions);
            if (preview.ok()) {
                {
                    std::lock_guard lock(m_loadMutex);
                    m_previewResult = std::move(preview.image);
                    m_previewResultPath = path;
                }
                QMetaObject::invokeMethod(this, "handlePreviewFinished", Qt::QueuedConnection);
            }
        }
    }
    ++m_decodeCount;
    DecodeResult result = m_decode(path, options);
    const QString error = result.error;
    Picture picture;
    if (!m_loadCancel.load())
        picture = pictureFrom(std::move(result), target, draft);
    {
        std::lock_guard lock(m_loadMutex);
        m_loadResult = std::move(picture);
        m_loadResultPath = path;
        m_loadResultError = error;
    }
    QMetaObject::invokeMethod(this, "handleLoadFinished", Qt::QueuedConnection);
}

void ImageLoader::handleLoadFinished()
{
    Picture result;
    QString path;
    QString error;
    {
        std::lock_guard lock(m_loadMutex);
        result = std::exchange(m_loadResult, Picture());
        path = std::exchange(m_loadResultPath, QString());
        error = std::exchange(m_loadResultError, QString());
    }
    finishLoad(std::move(result), path, error);
}

void ImageLoader::finishLoad(Picture &&result, const QString &path, const QString &error)
{
    m_preview = QImage();
    m_loadingPath.clear();
    if (!result.image.isNull()) {
        m_current = std::move(result);
        m_loadedPath = path;
        m_lastError.clear();
    } else {
        m_lastError = error;
    }
    m_busy = false;
    emit busyChanged(false);
    emit loadDone();
}

void ImageLoader::handlePreviewFinished()
{
    QImage preview;
    QString path;
    {
        std::lock_guard lock(m_loadMutex);
        preview = std::exchange(m_previewResult, QImage());
        path = std::exchange(m_previewResultPath, QString());
    }
    // Posted before the load's own hand-over, so the load still runs; a file
    // the user has already left is not shown.
    if (!m_busy || path != m_loadingPath || !m_pendingPath.isEmpty() || preview.isNull())
        return;
    m_preview = std::move(preview);
    emit previewReady();
}

ImageLoader::DoneOutcome ImageLoader::onLoadDone()
{
    // A cache hit's load-done handling that arrives after a newer request
    // started a load: that load's own loadDone() follows. Finishing now
    // would show "no picture" in between.
    if (m_busy)
        return DoneOutcome::NewLoadStarted;
    if (!m_pendingPath.isEmpty()) {
        const QString pending = std::exchange(m_pendingPath, QString());
        m_lastError.clear();
        if (pending == m_loadedPath && !m_current.image.isNull()) {
            // Asked for again while it loaded: it is there.
            m_currentPath = m_loadedPath;
            m_imagePresent = true;
            refineCurrent();
            return DoneOutcome::Finished;
        }
        // The picture of a file the keys have passed becomes current for a
        // moment, so that it is the previous one once the newest is shown.
        // It is shown meanwhile unless a newer one is on screen already.
        const bool loaded = !m_loadedPath.isEmpty() && !m_current.image.isNull();
        if (loaded) {
            m_currentPath = m_loadedPath;
            m_imagePresent = true;
        }
        const bool passed = loaded && m_loadSeq > m_screenSeq;
        if (passed) {
            m_passing = m_current;
            m_screenSeq = m_loadSeq;
        }
        // The keys have moved on during a load: what they reach now is
        // likely passed too, and is decoded as a draft.
        if (!request(pending, true))
            return passed ? DoneOutcome::ShowPassing : DoneOutcome::NewLoadStarted;
    } else if (!m_loadedPath.isEmpty()) {
        m_currentPath = m_loadedPath;
        m_imagePresent = true;
        m_screenSeq = m_loadSeq;
    }
    m_passing = Picture();
    refineCurrent();
    return DoneOutcome::Finished;
}

bool ImageLoader::startPreload(const QString &path)
{
    if (m_busy || path.isEmpty())
        return false;
    {
        std::lock_guard lock(m_preloadMutex);
        for (const PreloadSlot &slot : m_slots)
            if (slot.preloading)
                return false;
        discardPreloadLocked();
        if (isRawFile(path))
            return false;
        startSlotLocked(0, path);
    }
    return true;
}

int ImageLoader::runningPreloadsLocked() const
{
    // A dropped decode ends at its next check; it does not count.
    return int(std::count_if(std::begin(m_slots), std::end(m_slots),
                             [](const PreloadSlot &s) { return s.preloading && !s.cancel.load(); }));
}

int ImageLoader::preloadAhead(const QStringList &paths)
{
    if (m_busy)
        return 0;
    m_aheadPaths = paths;
    const int kept = !m_target.isValid() ? 1 : m_inMotion ? kPreloadSlots : kRestingSlots;
    std::lock_guard lock(m_preloadMutex);
    QStringList wanted;
    for (const QString &path : paths) {
        if (wanted.size() == kept)
            break;
        if (!path.isEmpty() && !isRawFile(path) && !wanted.contains(path) && !m_aheadFailed.contains(path))
            wanted.append(path);
    }
    // A draft decoded ahead while the keys moved is decoded again once they
    // rest: the next step shows it at once, and as a load would.
    for (int i = 0; i < kPreloadSlots; ++i) {
        const PreloadSlot &slot = m_slots[i];
        const bool restingDraft = !m_inMotion && !slot.preloading && slot.picture.draft;
        if (!slot.path.isEmpty() && (!wanted.contains(slot.path) || restingDraft))
            discardSlotLocked(i);
    }
    int started = 0;
    for (const QString &path : std::as_const(wanted)) {
        const bool held = std::any_of(std::begin(m_slots), std::end(m_slots),
                                      [&path](const PreloadSlot &s) { return s.path == path; });
        if (held)
            continue;
        // The farther ones wait for a thread to finish (handlePreloadFinished).
        if (runningPreloadsLocked() >= kAheadThreads)
            break;
        // A slot whose dropped preload still runs is not free yet.
        for (int i = 0; i < kPreloadSlots; ++i) {
            if (m_slots[i].path.isEmpty() && !m_slots[i].preloading) {
                startSlotLocked(i, path);
                ++started;
                break;
            }
        }
    }
    return started;
}

void ImageLoader::startSlotLocked(int index, const QString &path, quint64 seq)
{
    PreloadSlot &slot = m_slots[index];
    // Not preloading: its thread has finished, or is at most returning.
    if (slot.thread.joinable())
        slot.thread.join();
    slot.picture = Picture();
    slot.path = path;
    slot.preloading = true;
    slot.generation = ++m_preloadGeneration;
    slot.seq = seq;
    slot.cancel.store(false);
    // A file asked for while a load runs is decoded as a draft, and so is
    // one decoded ahead while the keys move.
    const bool draft = (seq != 0 || m_inMotion) && m_target.isValid();
    DecodeOptions options = optionsFor(m_target, draft);
    options.nameFallback = false;
    slot.thread =
        std::thread(&ImageLoader::runPreload, this, index, path, options, m_target, slot.generation, draft);
}

void ImageLoader::runPreload(int index, const QString &path, DecodeOptions options, DisplayTarget target,
                             quint64 generation, bool draft)
{
    PreloadSlot &slot = m_slots[index];
    options.cancel = &slot.cancel;
    ++m_decodeCount;
    DecodeResult result = m_decode(path, options);
    // The display is prepared here too, so that showing the picture is a copy.
    Picture picture = slot.cancel.load() ? Picture() : pictureFrom(std::move(result), target, draft);
    {
        std::lock_guard lock(m_preloadMutex);
        if (generation == slot.generation) {
            if (!picture.image.isNull()) {
                slot.picture = std::move(picture);
            } else {
                slot.path.clear();
                if (!slot.cancel.load())
                    m_aheadFailed.append(path);
            }
        }
        slot.preloading = false;
    }
    QMetaObject::invokeMethod(this, "handlePreloadFinished", Qt::QueuedConnection);
}

bool ImageLoader::takeAdoptedSlot()
{
    Picture picture;
    {
        std::lock_guard lock(m_preloadMutex);
        PreloadSlot &slot = m_slots[m_adoptedSlot];
        if (slot.preloading)
            return false;
        picture = std::exchange(slot.picture, Picture());
        discardSlotLocked(m_adoptedSlot);
    }
    m_adoptedSlot = -1;
    if (picture.image.isNull()) {
        // The preload failed (it tries the content's decoder only) or was
        // dropped: a load of its own decodes the file.
        startLoadThread(m_loadingPath);
        return true;
    }
    const QString path = m_loadingPath; // finishLoad() clears it
    finishLoad(std::move(picture), path, QString());
    return true;
}

void ImageLoader::preloadWhileBusy(const QString &path, quint64 seq)
{
    // Whole pictures on three threads would take too much memory.
    if (!m_target.isValid() || path.isEmpty() || path == m_loadingPath || isRawFile(path))
        return;
    std::lock_guard lock(m_preloadMutex);
    // With the load's, that keeps both cores busy.
    if (runningPreloadsLocked() >= kAheadThreads)
        return;
    int idle = -1;
    for (int i = 0; i < kPreloadSlots; ++i) {
        const PreloadSlot &slot = m_slots[i];
        if (slot.path == path || i == m_adoptedSlot)
            return;
        // An empty slot first, then one holding a file asked for earlier
        // (the keys have passed it), then one decoded ahead.
        auto rank = [](const PreloadSlot &s) { return s.path.isEmpty() ? 2 : s.seq != 0 ? 1 : 0; };
        if (!slot.preloading && (idle < 0 || rank(slot) > rank(m_slots[idle])))
            idle = i;
    }
    if (idle >= 0)
        startSlotLocked(idle, path, seq);
}

void ImageLoader::handlePreloadFinished()
{
    emit preloadFinished();
    if (m_adoptedSlot >= 0 && takeAdoptedSlot())
        return;
    // A thread is free for a file still waiting to be decoded ahead, or a
    // draft was still being decoded when the keys came to rest.
    if (!m_busy && !m_aheadPaths.isEmpty()) {
        preloadAhead(m_aheadPaths);
        return;
    }
    if (!m_busy || m_pendingPath.isEmpty())
        return;
    // A file asked for while the load runs is ready: it is shown if nothing
    // newer is on screen, and its thread goes on with the newest request.
    bool show = false;
    {
        std::lock_guard lock(m_preloadMutex);
        int newest = -1;
        for (int i = 0; i < kPreloadSlots; ++i) {
            const PreloadSlot &slot = m_slots[i];
            if (i != m_adoptedSlot && !slot.preloading && !slot.picture.image.isNull() && slot.seq > m_screenSeq
                && (newest < 0 || slot.seq > m_slots[newest].seq))
                newest = i;
        }
        if (newest >= 0) {
            PreloadSlot &slot = m_slots[newest];
            m_passing = slot.picture;
            m_screenSeq = slot.seq;
            // The pending request itself stays, to be served when the load
            // has handed over.
            if (slot.path != m_pendingPath)
                discardSlotLocked(newest);
            show = true;
        }
    }
    preloadWhileBusy(m_pendingPath, m_requestSeq);
    if (show)
        emit passingReady();
}

void ImageLoader::postProgress(int percent)
{
    m_rawPercent.store(percent);
    if (!m_progressPosted.exchange(true))
        QMetaObject::invokeMethod(this, "handleProgress", Qt::QueuedConnection);
}

void ImageLoader::handleProgress()
{
    m_progressPosted.store(false);
    emit rawDecodeProgress(m_rawPercent.load());
}

void ImageLoader::emptyCache()
{
    m_previous = Picture();
    m_passing = Picture();
    m_previousPath = emptiedCachePath();
    // Nothing is decoded ahead again until the frame names the files anew.
    m_aheadPaths.clear();
    std::lock_guard lock(m_preloadMutex);
    discardPreloadLocked();
}

void ImageLoader::clearAll()
{
    dropFullResolution();
    m_current = Picture();
    m_passing = Picture();
    m_preview = QImage();
    m_imagePresent = false;
    emit cleared();
}

} // namespace quorvel
