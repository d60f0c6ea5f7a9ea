#pragma once

#include "core/common/PixelRows.h"
#include "core/imaging/ChannelModes.h"
#include "core/imaging/PreparedDisplay.h"

#include <QImage>
#include <QRect>

class QPainter;

namespace quorvel {

// Prepares the bitmap the image view shows: the current image scaled to the
// zoom, once per change of zoom, pan, mode or image, so ordinary repaints
// only copy it. All sizes are in device pixels.
//
// It also carries the channel and overexposure modes: a full-resolution
// treatment lives in the processed image, a full-size treated copy from
// which the display is then prepared; a display treatment is applied to the
// display bitmap after scaling.
class DisplayEngine
{
public:
    // The image on display (the current image of the loader), or a null image.
    // A new image ends the display treatments and is given the
    // full-resolution treatment that is on.
    //
    // A picture decoded at a reduced scale comes with the size of the whole
    // picture (fullSize): zoom and the facts shown are in the whole picture's
    // terms, and needsFullResolution() tells when the reduced one no longer
    // serves. ahead is a display bitmap prepared before the showing; it is
    // taken instead of preparing one when it fits the first preparation.
    void setImage(const QImage &image, QSize fullSize = QSize(), PreparedDisplay ahead = PreparedDisplay());
    const QImage &image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }
    // The whole picture's size; the image's own unless it is reduced.
    QSize imageSize() const { return m_fullSize; }
    bool isReduced() const { return hasImage() && m_fullSize != m_image.size(); }
    // The reduced picture no longer serves: the zoom shows more pixels than
    // it has, or a full-resolution treatment is on. A draft (its bitmap
    // prepared ahead as one) serves as far as DisplayAhead::draftServes().
    bool needsFullResolution() const;
    bool isDraft() const { return m_draft; }
    // The whole picture has been decoded behind the reduced one: it takes its
    // place with zoom and pan kept, and the display is prepared again.
    void setFullResolution(const QImage &image);
    // A reduced picture decoded and prepared again (a draft refined, see
    // ImageLoader::refined): it takes the place of the one shown, with zoom,
    // pan and the display treatments kept.
    void setRefined(const QImage &image, PreparedDisplay ahead);
    // Drops the image and every derived bitmap. The full-resolution modes
    // stay, for the next image.
    void clear();

    // Sets the zoom (percent) and the zoomed size of the whole image; with an
    // image present this ends the display treatments and the display is
    // prepared again before the next paint.
    void applyZoom(float zoom);

    // The mode commands; shift tells whether Shift was held with the key.
    // Each returns whether the view must be repainted (ChannelModes tells
    // when a command changes nothing or is refused). The commands change the
    // modes without an image too; they take effect with the next one.
    bool setChannel(int c, bool shift);
    bool toggleAllChannels();
    bool setOverexposure(bool on, bool shift);
    bool toggleOverexposure(bool shift);
    // A pan movement: ends the display treatments and prepares again.
    void endDisplayTreatments();
    const ChannelModes &modes() const { return m_modes; }

    // The full-size treated copy; null unless a full-resolution treatment is
    // on and an image is present.
    const QImage &processedImage() const { return m_processed; }
    // What a copy to the clipboard takes: the processed image while a
    // full-resolution treatment is on, else the current image.
    const QImage &imageForCopy() const;

    // Called on the calling thread with the percentage done while a
    // full-resolution treatment runs (the view's progress line).
    void setProgress(PixelRows::Progress progress) { m_progress = std::move(progress); }
    QSize zoomedSize() const { return m_zoomed; }

    void markRebuild() { m_rebuild = true; }
    bool needsRebuild() const { return m_rebuild; }

    // Makes sure the display bitmap matches imageRect (where the zoomed image
    // lies in the view, possibly beyond its edges) in a view of the given
    // size, scaled with the interpolation mode. When the zoomed image exceeds
    // the view both ways only the visible part is scaled. Returns the
    // rectangle the bitmap covers.
    QRect prepare(const QRect &imageRect, QSize viewSize, int mode);

    const QImage &displayBitmap() const { return m_bitmap; }
    QPoint displayPosition() const { return m_position; }
    // Pixels of the last prepared bitmap, for checking the work a pan costs.
    qint64 preparedPixels() const { return m_preparedPixels; }
    int preparationCount() const { return m_preparations; }
    // How many bitmaps prepared ahead were taken instead.
    int aheadTakenCount() const { return m_aheadTaken; }

private:
    // The image the display is prepared from.
    const QImage &displaySource() const;
    // Makes the processed image anew for the full-resolution treatment that
    // is on, or drops it.
    void makeProcessedImage();
    void applyDisplayTreatments(int mode);
    // Applies a mode command; remakes the processed image when its treatment
    // changed.
    template <typename Command>
    bool changeModes(Command command);

    QImage m_image;
    QSize m_fullSize;
    bool m_draft = false;
    PreparedDisplay m_ahead;
    QImage m_processed;
    ChannelModes m_modes;
    PixelRows::Progress m_progress;
    QImage m_bitmap;
    QPoint m_position;
    QSize m_zoomed;
    QRect m_lastImageRect;
    QSize m_lastView;
    int m_lastMode = 0;
    bool m_rebuild = true;
    qint64 m_preparedPixels = 0;
    int m_preparations = 0;
    int m_aheadTaken = 0;
};

// Draws the image into rect with its aspect ratio kept, centred; odd fitted
// sizes lose one pixel. Returns the rectangle drawn. Used by previews.
QRect drawFitted(QPainter &painter, const QImage &image, const QRect &rect);

} // namespace quorvel
