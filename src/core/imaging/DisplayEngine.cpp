#include "core/imaging/DisplayEngine.h"

#include "core/imaging/AllChannelsLayout.h"
#include "core/imaging/ChannelTreatment.h"
#include "core/imaging/DisplayAhead.h"
#include "core/imaging/Resampler.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <QPaintDevice>
#include <QPainter>

namespace quorvel {

void DisplayEngine::setImage(const QImage &image, QSize fullSize, PreparedDisplay ahead)
{
    m_image = image;
    m_fullSize = fullSize.isEmpty() ? image.size() : fullSize;
    m_draft = ahead.draft;
    m_ahead = std::move(ahead);
    m_bitmap = QImage();
    m_modes.endDisplayTreatments();
    makeProcessedImage();
    m_rebuild = true;
}

bool DisplayEngine::needsFullResolution() const
{
    if (!isReduced())
        return false;
    // A draft is smaller than the view by design, and refined when the keys
    // rest: decoding the whole picture for it would only slow the keys.
    const QSize serves = m_draft ? DisplayAhead::draftServes(m_image.size()) : m_image.size();
    return m_zoomed.width() > serves.width() || m_zoomed.height() > serves.height()
           || m_modes.fullResolution().isOn();
}

void DisplayEngine::setFullResolution(const QImage &image)
{
    if (!hasImage() || image.isNull())
        return;
    m_image = image;
    m_fullSize = image.size();
    m_draft = false;
    m_ahead = PreparedDisplay();
    m_bitmap = QImage();
    makeProcessedImage();
    m_rebuild = true;
}

void DisplayEngine::setRefined(const QImage &image, PreparedDisplay ahead)
{
    // Not over the whole picture, should it have come first.
    if (!isReduced() || image.isNull())
        return;
    m_image = image;
    m_draft = false;
    m_ahead = std::move(ahead);
    m_bitmap = QImage();
    makeProcessedImage();
    m_rebuild = true;
}

void DisplayEngine::clear()
{
    m_image = QImage();
    m_fullSize = QSize();
    m_draft = false;
    m_ahead = PreparedDisplay();
    m_processed = QImage();
    m_bitmap = QImage();
    m_modes.endDisplayTreatments();
    m_rebuild = true;
}

void DisplayEngine::applyZoom(float zoom)
{
    m_zoomed = zoom::zoomedSize(m_fullSize, zoom);
    if (hasImage()) {
        m_modes.endDisplayTreatments();
        m_rebuild = true;
    }
}

template <typename Command>
bool DisplayEngine::changeModes(Command command)
{
    const ChannelModes::FullResolution before = m_modes.fullResolution();
    if (!command())
        return false;
    if (m_modes.fullResolution() != before)
        makeProcessedImage();
    m_rebuild = true;
    return true;
}

bool DisplayEngine::setChannel(int c, bool shift)
{
    return changeModes([&] { return m_modes.setChannel(c, shift); });
}

bool DisplayEngine::toggleAllChannels()
{
    return changeModes([&] {
        m_modes.toggleAllChannels();
        return true;
    });
}

bool DisplayEngine::setOverexposure(bool on, bool shift)
{
    return changeModes([&] { return m_modes.setOverexposure(on, shift); });
}

bool DisplayEngine::toggleOverexposure(bool shift)
{
    return setOverexposure(!m_modes.fullResolutionOverexposure(), shift);
}

void DisplayEngine::endDisplayTreatments()
{
    m_modes.endDisplayTreatments();
    m_rebuild = true;
}

const QImage &DisplayEngine::imageForCopy() const
{
    return displaySource();
}

const QImage &DisplayEngine::displaySource() const
{
    return m_modes.fullResolution().isOn() && !m_processed.isNull() ? m_processed : m_image;
}

void DisplayEngine::makeProcessedImage()
{
    // The previous copy's memory is taken for the new one when the sizes
    // agree (the next photograph of the same camera, another channel);
    // otherwise it is released first, so two full-size copies never coexist.
    QImage previous = std::move(m_processed);
    m_processed = QImage();
    m_bitmap = QImage(); // may share the previous copy's data
    const ChannelModes::FullResolution full = m_modes.fullResolution();
    if (!hasImage() || !full.isOn())
        return;
    if (full.channel != channel::None)
        m_processed = ChannelTreatment::channelCopy(m_image, full.channel, m_progress, std::move(previous));
    else
        m_processed = ChannelTreatment::overexposureCopy(m_image, m_progress, std::move(previous));
}

void DisplayEngine::applyDisplayTreatments(int mode)
{
    if (m_bitmap.isNull())
        return;
    if (const int c = m_modes.displayChannelToApply(); c != channel::None)
        ChannelTreatment::applyChannel(m_bitmap, c);
    else if (m_modes.displayOverexposureApplies())
        ChannelTreatment::applyOverexposure(m_bitmap);
    else if (m_modes.showsAllChannels())
        m_bitmap = AllChannelsLayout::compose(m_bitmap, mode);
}

QRect DisplayEngine::prepare(const QRect &imageRect, QSize view, int mode)
{
    const QRect viewRect(QPoint(0, 0), view);
    if (!hasImage() || imageRect.isEmpty() || view.isEmpty()) {
        m_bitmap = QImage();
        return QRect();
    }
    const bool stale = m_rebuild || m_bitmap.isNull() || imageRect != m_lastImageRect || view != m_lastView
                       || mode != m_lastMode;
    if (stale) {
        m_rebuild = false;
        m_lastImageRect = imageRect;
        m_lastView = view;
        m_lastMode = mode;
        // A bitmap prepared ahead serves the first showing as it is, unless a
        // treatment changes what it must show.
        PreparedDisplay ahead = std::exchange(m_ahead, PreparedDisplay());
        if (ahead.fits(imageRect, view, mode) && m_processed.isNull()
            && m_modes.displayChannelToApply() == channel::None && !m_modes.displayOverexposureApplies()
            && !m_modes.showsAllChannels()) {
            m_bitmap = std::move(ahead.bitmap);
            m_position = ahead.position;
            ++m_aheadTaken;
            m_preparedPixels = qint64(m_bitmap.width()) * m_bitmap.height();
            return QRect(m_position, m_bitmap.size());
        }
        ++m_preparations;

        const QImage &source = displaySource();
        const QRect visible = imageRect.intersected(viewRect);
        if (visible == imageRect) {
            // All of it shows: scale the whole image, centred in its rectangle.
            const QSize fitted = zoom::fitInto(source.size(), imageRect.size());
            m_bitmap = Resampler::scaled(source, fitted, mode);
            m_position = imageRect.topLeft()
                         + QPoint((imageRect.width() - fitted.width()) / 2, (imageRect.height() - fitted.height()) / 2);
        } else if (!visible.isEmpty()) {
            // Only the part on screen is scaled, so a high zoom costs no more
            // than the view's size.
            const double fx = double(source.width()) / imageRect.width();
            const double fy = double(source.height()) / imageRect.height();
            const QRectF sourceRect((visible.left() - imageRect.left()) * fx, (visible.top() - imageRect.top()) * fy,
                                visible.width() * fx, visible.height() * fy);
            if (m_bitmap.size() != visible.size() || m_bitmap.format() != QImage::Format_RGB32 || !m_bitmap.isDetached())
                m_bitmap = QImage(visible.size(), QImage::Format_RGB32);
            Resampler::drawScaled(source, sourceRect, m_bitmap, m_bitmap.rect(), mode);
            m_position = visible.topLeft();
        } else {
            m_bitmap = QImage();
        }
        applyDisplayTreatments(mode);
        m_preparedPixels = qint64(m_bitmap.width()) * m_bitmap.height();
    }
    return m_bitmap.isNull() ? QRect() : QRect(m_position, m_bitmap.size());
}

QRect drawFitted(QPainter &painter, const QImage &image, const QRect &rect)
{
    if (image.isNull() || rect.isEmpty())
        return QRect();
    const QSize fitted = zoom::fitInto(image.size(), rect.size());
    const int halfW = fitted.width() / 2, halfH = fitted.height() / 2;
    const QPoint centre(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2);
    const QRect drawn(centre.x() - halfW, centre.y() - halfH, 2 * halfW, 2 * halfH);
    if (drawn.isEmpty())
        return QRect();
    // Scale once at device pixels, with the high-quality bicubic mode, so a
    // large photograph neither aliases nor is blurred by a second scaling.
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage scaled = Resampler::scaled(image, QSize(qRound(drawn.width() * dpr), qRound(drawn.height() * dpr)),
                                      InterpolationHighQualityBicubic);
    scaled.setDevicePixelRatio(dpr);
    painter.drawImage(drawn.topLeft(), scaled);
    return drawn;
}

} // namespace quorvel
