#pragma once

#include <QSize>

namespace quorvel {

// Rounding used wherever a real number becomes pixels or tenths: floor(x),
// plus one when the fraction exceeds one half, so an exact half rounds down
// (2.5 gives 2, 2.51 gives 3). Values beyond the range of long long
// saturate; NaN gives 0.
long long roundHalfDown(double x);

// The largest size of the picture's aspect ratio inside the box: when the
// box is relatively wider than the picture the height fills it, otherwise the
// width does; the other side is rounded with roundHalfDown.
QSize fitIntoBox(QSize picture, QSize box);

} // namespace quorvel
