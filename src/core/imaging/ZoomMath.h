#pragma once

#include <QSize>

#include <array>

namespace quorvel::zoom {

// The zoom steps in percent, ascending.
inline constexpr std::array<float, 13> kSteps{3, 7, 10, 15, 20, 30, 50, 70, 100, 150, 200, 300, 500};
inline constexpr float kMinimum = 3;
inline constexpr float kMaximum = 500;
// The zoom before any image was shown.
inline constexpr float kInitial = 3.2f;

// The first step above z (z itself at the top).
float stepIn(float z);
// The last step below z (z itself at the bottom).
float stepOut(float z);
inline bool canZoomIn(float z) { return z < kMaximum; }
inline bool canZoomOut(float z) { return z > kMinimum; }

// The zoom at which the whole image fits into w x h with its aspect ratio
// kept, in integer arithmetic on the fitted width.
float fitZoom(QSize image, int w, int h);

// The size of the whole image at zoom z (percent, at least 1), rounded with
// halves down.
QSize zoomedSize(QSize image, float z);

// Keeps a pan offset within the range that leaves no gap at the image's
// edges; with the image not larger than the client, the offset is 0.
int clampPan(int pan, int zoomed, int client);

// The size that fits the image into box with its aspect ratio kept: the
// larger of the two limiting ratios decides, the other side is rounded with
// halves down.
QSize fitInto(QSize image, QSize box);

} // namespace quorvel::zoom
