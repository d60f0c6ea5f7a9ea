#include "core/imaging/ImageLoader.h"

#include "core/imaging/DecoderChoice.h"
#include "core/imaging/ImageDecoder.h"
#include "core/settings/AppSettings.h"

#include <chrono>

namespace quorvel {

ImageLoader::ImageLoader(QObject *parent)
    : QObject(parent)
    , m_decode(&ImageDecoder::decodeFile)
    , m_decodePreview(&ImageDecoder::decodePreview)
{
}

ImageLoader::~ImageLoader()
{
    m_cancel.store(true);
    if (m_loadThread.joinable())
        m_loadThread.join();
    if (m_preloadThread.joinable())
        m_preloadThread.join();
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

bool ImageLoader::isPreloading() const
{
    std::lock_guard lock(m_preloadMutex);
    return m_preloading;
}

QString ImageLoader::preloadedPath() const
{
    std::lock_guard lock(m_preloadMutex);
    return m_preloadedPath;
}

bool ImageLoader::hasPreloadedImage() const
{
    std::lock_guard lock(m_preloadMutex);
    return !m_preloadedImage.isNull();
}

void ImageLoader::discardPreloadLocked()
{
    m_preloadedImage = QImage();
    m_preloadedPartial = false;
    m_preloadedPath.clear();
    ++m_preloadGeneration;
}

bool ImageLoader::requestLoad(const QString &path)
{
    if (m_busy) {
        m_pendingPath = path;
        return false;
    }
    if (path != m_previousPath) {
        std::unique_lock lock(m_preloadMutex);
        if (m_preloadedPath.isEmpty() || m_preloadedPath != path) {
            discardPreloadLocked();
        } else {
            if (m_preloading) {
                m_preloadDone.wait_for(lock, std::chrono::milliseconds(kPreloadWaitMs),
                                       [this] { return !m_preloading; });
            }
            QImage preloaded = std::exchange(m_preloadedImage, QImage());
            const bool partial = std::exchange(m_preloadedPartial, false);
            if (preloaded.isNull()) {
                // Still running after the wait, or failed: its late result
                // must not be served.
                discardPreloadLocked();
            } else {
                m_preloadedPath.clear();
                lock.unlock();
                m_previous = std::move(m_current);
                m_previousPartial = m_currentPartial;
                m_current = std::move(preloaded);
                m_currentPartial = partial;
                m_imagePresent = !m_current.isNull();
                m_previousPath = m_currentPath;
                m_currentPath = path;
                m_loadedPath = path;
                return true;
            }
        }
    } else if (!m_previous.isNull()) {
        std::swap(m_current, m_previous);
        std::swap(m_currentPartial, m_previousPartial);
        m_previousPath = m_currentPath;
        m_currentPath = path;
        m_loadedPath = path;
        m_imagePresent = true;
        return true;
    }
    startBackgroundLoad(path);
    return false;
}

void ImageLoader::startBackgroundLoad(const QString &path)
{
    m_previous = std::move(m_current);
    m_previousPartial = m_currentPartial;
    m_current = QImage();
    m_currentPartial = false;
    m_previousPath = m_currentPath;
    m_currentPath = loadingPath();
    m_imagePresent = false;
    m_loadedPath.clear();
    m_loadingPath = path;
    m_preview = QImage();
    m_busy = true;
    // The previous load thread has handed its result over already; it is
    // at most returning.
    if (m_loadThread.joinable())
        m_loadThread.join();
    m_loadThread = std::thread(&ImageLoader::runLoad, this, path, optionsFromSettings());
    emit busyChanged(true);
}

void ImageLoader::runLoad(const QString &path, DecodeOptions options)
{
    options.cancel = &m_cancel;
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
    {
        std::lock_guard lock(m_loadMutex);
        m_loadResult = std::move(result);
        m_loadResultPath = path;
    }
    QMetaObject::invokeMethod(this, "handleLoadFinished", Qt::QueuedConnection);
}

void ImageLoader::handleLoadFinished()
{
    DecodeResult result;
    QString path;
    {
        std::lock_guard lock(m_loadMutex);
        result = std::move(m_loadResult);
        m_loadResult = DecodeResult();
        path = std::move(m_loadResultPath);
        m_loadResultPath.clear();
    }
    m_preview = QImage();
    m_loadingPath.clear();
    if (result.ok()) {
        m_current = std::move(result.image);
        m_currentPartial = result.partial;
        m_loadedPath = path;
        m_lastError.clear();
    } else {
        m_lastError = result.error;
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
    if (!m_pendingPath.isEmpty()) {
        const QString pending = std::exchange(m_pendingPath, QString());
        if (!requestLoad(pending))
            return DoneOutcome::NewLoadStarted;
    } else if (!m_loadedPath.isEmpty()) {
        m_currentPath = m_loadedPath;
        m_imagePresent = true;
    }
    return DoneOutcome::Finished;
}

bool ImageLoader::startPreload(const QString &path)
{
    if (m_busy || path.isEmpty())
        return false;
    quint64 generation = 0;
    {
        std::lock_guard lock(m_preloadMutex);
        if (m_preloading)
            return false;
        m_preloadedImage = QImage();
        m_preloadedPartial = false;
        if (isRawFile(path)) {
            m_preloadedPath.clear();
            return false;
        }
        m_preloadedPath = path;
        m_preloading = true;
        generation = ++m_preloadGeneration;
    }
    if (m_preloadThread.joinable())
        m_preloadThread.join(); // finished: preloading was clear
    DecodeOptions options = optionsFromSettings();
    options.nameFallback = false;
    m_preloadThread = std::thread(&ImageLoader::runPreload, this, path, options, generation);
    return true;
}

void ImageLoader::runPreload(const QString &path, DecodeOptions options, quint64 generation)
{
    options.cancel = &m_cancel;
    ++m_decodeCount;
    DecodeResult result = m_decode(path, options);
    {
        std::lock_guard lock(m_preloadMutex);
        if (generation == m_preloadGeneration) {
            if (result.ok()) {
                m_preloadedImage = std::move(result.image);
                m_preloadedPartial = result.partial;
            } else {
                m_preloadedPath.clear();
            }
        }
        m_preloading = false;
    }
    m_preloadDone.notify_all();
    QMetaObject::invokeMethod(this, "handlePreloadFinished", Qt::QueuedConnection);
}

void ImageLoader::handlePreloadFinished()
{
    emit preloadFinished();
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
    m_previous = QImage();
    m_previousPartial = false;
    m_previousPath = emptiedCachePath();
    std::lock_guard lock(m_preloadMutex);
    discardPreloadLocked();
}

void ImageLoader::clearAll()
{
    m_current = QImage();
    m_currentPartial = false;
    m_preview = QImage();
    m_imagePresent = false;
    emit cleared();
}

} // namespace quorvel
