#pragma once

#include "core/imaging/PreparedDisplay.h"

namespace quorvel {

// Decoding and preparing a picture for the view before it is shown, on the
// loader's threads: how far a decode may be reduced, and the display bitmap
// the view would prepare for the picture at its first showing.
class DisplayAhead
{
public:
    // The box a picture for this target may be reduced to (its view less the
    // margin); empty when the target is unknown.
    static QSize reduceBox(const DisplayTarget &target);

    // The bitmap the view prepares for image (the whole picture being
    // fullSize) when it shows it fitted, as a freshly shown picture is. Null
    // when the target is unknown.
    static PreparedDisplay prepare(const QImage &image, QSize fullSize, const DisplayTarget &target);

    // A draft: the quick rendition of a picture the keys are likely to pass
    // while they are held. It may be decoded smaller than the view (the box
    // is two fifths of reduceBox(), so that a 24-megapixel JPEG on a full-HD
    // view takes the 1/8 DCT scale, whose decode is little more than reading
    // the compressed data) and is scaled to the view bilinearly whatever the
    // target's mode. A draft left on screen is decoded and prepared again as
    // usual.
    static QSize draftBox(const DisplayTarget &target);
    // The largest display a draft of this size stands for (the view's fitted
    // size it was decoded for, a few pixels to spare for rounding).
    static QSize draftServes(QSize draft);
    static PreparedDisplay prepareDraft(const QImage &image, QSize fullSize, const DisplayTarget &target);
};

} // namespace quorvel
