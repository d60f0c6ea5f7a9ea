#pragma once

#include <QString>

namespace quorvel::bench {

// Writes a baseline JPEG (4:2:0, quality 90) of width x height pixels with
// photo-like content: smooth gradients, edges and fine noise. seed varies it.
bool writeTestJpeg(const QString &path, int width, int height, int seed);
// The same with a solid block of the colour mark (0xRRGGBB) in the middle, a
// sixth of each side, by which the picture can be told apart on the screen.
bool writeMarkedTestJpeg(const QString &path, int width, int height, int seed, quint32 mark);

// Median and best of a list of milliseconds.
struct Timing
{
    double median = 0;
    double best = 0;
};
Timing summarize(QList<double> ms);

} // namespace quorvel::bench
