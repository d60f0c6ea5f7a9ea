#include "core/imaging/ColourHistogram.h"

#include "core/imaging/LabColour.h"
#include "core/imaging/Resampler.h"
#include "core/settings/AppSettings.h"

#include <algorithm>

namespace quorvel {

QSize ColourHistogram::analysisSize(QSize image)
{
    if (image.isEmpty())
        return QSize();
    const qint64 h = qint64(image.height()) * kAnalysisWidth / image.width();
    return QSize(kAnalysisWidth, int(std::clamp<qint64>(h, 1, kMaxAnalysisHeight)));
}

void ColourHistogram::clear()
{
    m_computed = false;
    for (auto &c : m_counts)
        c.fill(0);
    for (auto &c : m_heights)
        c.fill(0);
    std::fill(m_grid.begin(), m_grid.end(), Cell());
}

bool ColourHistogram::compute(const QImage &image)
{
    clear();
    if (image.isNull())
        return false;
    QImage analysis = Resampler::scaled(image, analysisSize(image.size()), InterpolationBilinear);
    if (analysis.format() != QImage::Format_RGB32 && analysis.format() != QImage::Format_ARGB32)
        analysis = analysis.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < analysis.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(analysis.constScanLine(y));
        for (int x = 0; x < analysis.width(); ++x)
            add(row[x]);
    }
    normalise();
    m_computed = true;
    return true;
}

void ColourHistogram::add(QRgb pixel)
{
    ++m_counts[Red][qRed(pixel)];
    ++m_counts[Green][qGreen(pixel)];
    ++m_counts[Blue][qBlue(pixel)];
    const LabColour lab = LabColour::fromRgb(pixel);
    // sRGB stays well inside the grid; the test keeps a stray value out.
    if (!inGrid(lab.a, lab.b))
        return;
    Cell &c = m_grid[index(lab.a, lab.b)];
    if (lab.l > c.lightness) {
        c.lightness = lab.l;
        c.colour = pixel | 0xFF000000u;
    }
}

void ColourHistogram::normalise()
{
    int m = 0;
    for (const auto &c : m_counts)
        m = std::max(m, *std::max_element(c.begin(), c.begin() + kDrawnLevels));
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < kDrawnLevels; ++i)
            m_heights[ch][i] = m == 0 ? 0 : int(qint64(m_counts[ch][i]) * 255 / m);
}

const ColourHistogram::Cell &ColourHistogram::cell(int a, int b) const
{
    static const Cell empty;
    return inGrid(a, b) ? m_grid[index(a, b)] : empty;
}

int ColourHistogram::markedCells() const
{
    return int(std::count_if(m_grid.begin(), m_grid.end(), [](const Cell &c) { return c.lightness > 0; }));
}

} // namespace quorvel
