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
};

} // namespace quorvel
