#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

#include <array>
#include <vector>

namespace quorvel {

// The analysis behind the histogram window: the image scaled to 400 pixels
// wide, the counts of its red, green and blue levels with their heights
// normalised to 0..255, and a grid over the a*b* plane of L*a*b* that keeps,
// per cell, the brightest colour found there.
class ColourHistogram
{
public:
    static constexpr int kAnalysisWidth = 400;
    // A very tall image is analysed at most this high (ten times the width);
    // more rows would only cost memory.
    static constexpr int kMaxAnalysisHeight = 4000;
    // a* and b* run from -kRange to kRange.
    static constexpr int kRange = 120;
    static constexpr int kGridSize = 2 * kRange + 1;
    // Level 255 is counted but neither normalised nor drawn.
    static constexpr int kDrawnLevels = 255;

    enum Channel { Red = 0, Green = 1, Blue = 2 };

    struct Cell
    {
        int lightness = 0; // the largest L* seen; 0 for an empty cell
        QRgb colour = 0;   // the colour that gave it
    };

    // The size the image is analysed at: 400 wide, height scaled in
    // proportion (at least 1, at most kMaxAnalysisHeight).
    static QSize analysisSize(QSize image);

    // Analyses the image. Returns false, leaving the histogram cleared and
    // not computed, for a null image.
    bool compute(const QImage &image);
    void clear();
    bool isComputed() const { return m_computed; }

    // How many pixels of the analysis image have the level in the channel.
    int count(Channel c, int level) const { return m_counts[c][level & 0xFF]; }
    // The normalised height 0..255 of a level below 255 (0 for level 255).
    int height(Channel c, int level) const { return m_heights[c][level & 0xFF]; }

    // The cell of a*, b* (each -kRange..kRange; an empty cell outside).
    const Cell &cell(int a, int b) const;
    int markedCells() const;

private:
    static bool inGrid(int a, int b) { return a >= -kRange && a <= kRange && b >= -kRange && b <= kRange; }
    static int index(int a, int b) { return (a + kRange) * kGridSize + (b + kRange); }
    void add(QRgb pixel);
    void normalise();

    bool m_computed = false;
    std::array<std::array<int, 256>, 3> m_counts{};
    std::array<std::array<int, 256>, 3> m_heights{};
    std::vector<Cell> m_grid = std::vector<Cell>(kGridSize * kGridSize);
};

} // namespace quorvel
