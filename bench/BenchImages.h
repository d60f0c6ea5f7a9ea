#pragma once

#include <QString>

namespace quorvel::bench {

// Writes a baseline JPEG (4:2:0, quality 90) of width x height pixels with
// photo-like content: smooth gradients, edges and fine noise. seed varies it.
bool writeTestJpeg(const QString &path, int width, int height, int seed);

// Median and best of a list of milliseconds.
struct Timing
{
    double median = 0;
    double best = 0;
};
Timing summarize(QList<double> ms);

} // namespace quorvel::bench
