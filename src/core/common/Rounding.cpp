#include "core/common/Rounding.h"

#include <cmath>
#include <limits>

namespace quorvel {

long long roundHalfDown(double x)
{
    // Beyond the range of long long (and for NaN) the conversion would be
    // undefined: the result saturates instead, NaN gives 0.
    constexpr double kLimit = 9223372036854774784.0; // the largest double below 2^63
    if (std::isnan(x))
        return 0;
    if (x >= kLimit)
        return std::numeric_limits<long long>::max();
    if (x <= -kLimit)
        return std::numeric_limits<long long>::min();
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
