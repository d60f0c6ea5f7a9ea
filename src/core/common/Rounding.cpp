#include "core/common/Rounding.h"

#include <cmath>

namespace quorvel {

long long roundHalfDown(double x)
{
    const double f = std::floor(x);
    return static_cast<long long>(f) + (x - f > 0.5 ? 1 : 0);
}

QSize fitIntoBox(QSize picture, QSize box)
{
    const int w = picture.width(), h = picture.height();
    const int W = box.width(), H = box.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return QSize(0, 0);
    // W / H >= w / h, compared without division.
    if (static_cast<long long>(W) * h >= static_cast<long long>(w) * H)
        return QSize(int(roundHalfDown(double(w) * H / h)), H);
    return QSize(W, int(roundHalfDown(double(h) * W / w)));
}

} // namespace quorvel
