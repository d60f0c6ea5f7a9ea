#include "core/imaging/HistogramPicture.h"

#include "core/imaging/ColourHistogram.h"
#include "core/imaging/LabColour.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

#include <cstdlib>

namespace quorvel {

namespace {

QFont arial(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

// One pixel of a colour with alpha laid over the picture.
void blend(QImage &picture, int x, int y, QRgb colour)
{
    if (!picture.rect().contains(x, y))
        return;
    const int alpha = qAlpha(colour);
    const QRgb under = picture.pixel(x, y);
    const auto mix = [alpha](int over, int below) { return (over * alpha + below * (255 - alpha) + 127) / 255; };
    picture.setPixel(x, y, qRgb(mix(qRed(colour), qRed(under)), mix(qGreen(colour), qGreen(under)),
                                mix(qBlue(colour), qBlue(under))));
}

// A one-pixel line from a to b (Bresenham), every pixel blended once; the
// end point only when asked, so the segments of an outline do not blend
// their shared corners twice.
void blendLine(QImage &picture, QPoint a, QPoint b, QRgb colour, bool withEnd = true)
{
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    QPoint p = a;
    while (p != b) {
        blend(picture, p.x(), p.y(), colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.ry() += sy;
        }
    }
    if (withEnd)
        blend(picture, b.x(), b.y(), colour);
}

void drawOutline(QImage &picture)
{
    const auto corners = HistogramPicture::gamutOutline();
    for (size_t i = 0; i < corners.size(); ++i)
        blendLine(picture, corners[i], corners[(i + 1) % corners.size()], HistogramPicture::kOutlinePen, false);
    blendLine(picture, QPoint(120, 5), QPoint(120, 240), HistogramPicture::kOutlinePen);
    blendLine(picture, QPoint(5, 120), QPoint(245, 120), HistogramPicture::kOutlinePen);
}

// Each marked cell sets its pixel, opaque, over the outline.
void drawCells(QImage &picture, const ColourHistogram &histogram)
{
    constexpr int r = ColourHistogram::kRange;
    for (int a = -r; a <= r; ++a)
        for (int b = -r; b <= r; ++b) {
            const ColourHistogram::Cell &cell = histogram.cell(a, b);
            if (cell.lightness > 0) {
                const QPoint p = HistogramPicture::chromaPoint(a, b);
                picture.setPixel(p, cell.colour | 0xFF000000u);
            }
        }
}

void drawBars(QImage &picture, const ColourHistogram &histogram)
{
    constexpr std::array<QRgb, 3> pens{HistogramPicture::kRedPen, HistogramPicture::kGreenPen,
                                       HistogramPicture::kBluePen};
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < ColourHistogram::kDrawnLevels; ++i) {
            const int length = HistogramPicture::barLength(histogram.height(ColourHistogram::Channel(ch), i));
            const int x = HistogramPicture::kBarsLeft + i;
            if (length > 0)
                blendLine(picture, QPoint(x, HistogramPicture::kBarsBottom),
                          QPoint(x, HistogramPicture::kBarsBottom + 1 - length), pens[ch]);
        }
    }
    blendLine(picture, QPoint(250, 241), QPoint(505, 241), HistogramPicture::kBaseLine);
}

void drawTexts(QPainter &painter)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("HistogramPicture", text); };
    painter.setPen(Qt::white);
    const int flags = Qt::TextDontClip | Qt::TextSingleLine;
    painter.setFont(arial(12));
    const QRect plot(10, 5, 240, 240);
    painter.drawText(plot, flags | Qt::AlignLeft | Qt::AlignVCenter, tr("-a"));
    painter.drawText(plot, flags | Qt::AlignRight | Qt::AlignVCenter, tr("+a"));
    painter.drawText(plot, flags | Qt::AlignHCenter | Qt::AlignTop, tr("+b"));
    painter.drawText(plot, flags | Qt::AlignHCenter | Qt::AlignBottom, tr("-b"));
    painter.setFont(arial(14));
    const QRect titles(5, 5, 510, 14);
    painter.drawText(titles, flags | Qt::AlignLeft | Qt::AlignTop, tr("CIE Lab"));
    painter.drawText(titles, flags | Qt::AlignHCenter | Qt::AlignTop, tr("RGB"));
}

} // namespace

std::array<QPoint, 6> HistogramPicture::gamutOutline()
{
    constexpr std::array<QRgb, 6> corners{qRgb(0x1A, 0xFD, 0x00), qRgb(0xFC, 0xFF, 0x00), qRgb(0xFD, 0x07, 0x00),
                                          qRgb(0xFF, 0x03, 0xFC), qRgb(0x11, 0x00, 0xFE), qRgb(0x00, 0xFF, 0xFF)};
    std::array<QPoint, 6> points;
    for (size_t i = 0; i < corners.size(); ++i) {
        const LabColour lab = LabColour::fromRgb(corners[i]);
        points[i] = chromaPoint(lab.a, lab.b);
    }
    return points;
}

QImage HistogramPicture::render(const ColourHistogram &histogram)
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::black);
    // The lines are laid pixel by pixel: a painter's one-pixel lines may
    // leave out a corner of the outline.
    drawOutline(picture);
    drawCells(picture, histogram);
    drawBars(picture, histogram);
    QPainter painter(&picture);
    drawTexts(painter);
    painter.end();
    return picture;
}

} // namespace quorvel
