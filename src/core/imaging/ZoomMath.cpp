#include "core/imaging/ZoomMath.h"

#include "core/common/Rounding.h"

#include <algorithm>

namespace quorvel::zoom {

float stepIn(float z)
{
    for (float step : kSteps) {
        if (step > z)
            return step;
    }
    return z;
}

float stepOut(float z)
{
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it) {
        if (*it < z)
            return *it;
    }
    return z;
}

float fitZoom(QSize image, int w, int h)
{
    const long long iw = image.width(), ih = image.height();
    if (iw <= 0 || ih <= 0 || w <= 0 || h <= 0)
        return 100;
    long long fitted;
    if (ih < iw) {
        fitted = w;
        if (w * ih / iw > h)
            fitted = h * iw / ih;
    } else {
        fitted = h * iw / ih;
        if (fitted > w)
            fitted = w;
    }
    return float(fitted) * 100.0f / float(iw);
}

QSize zoomedSize(QSize image, float z)
{
    const double factor = double(std::max(z, 1.0f)) * 0.01;
    return QSize(int(roundHalfDown(image.width() * factor)), int(roundHalfDown(image.height() * factor)));
}

int clampPan(int pan, int zoomed, int client)
{
    if (zoomed <= client)
        return 0;
    const int low = client / 2 - zoomed / 2;
    const int high = zoomed / 2 - client / 2;
    return std::clamp(pan, low, high);
}

QSize fitInto(QSize image, QSize box)
{
    if (image.isEmpty() || box.isEmpty())
        return QSize();
    const double rw = double(image.width()) / box.width();
    const double rh = double(image.height()) / box.height();
    if (rw >= rh)
        return QSize(box.width(), std::max(1, int(roundHalfDown(image.height() / rw))));
    return QSize(std::max(1, int(roundHalfDown(image.width() / rh))), box.height());
}

} // namespace quorvel::zoom
