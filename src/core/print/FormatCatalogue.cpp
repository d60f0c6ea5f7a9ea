#include "core/print/FormatCatalogue.h"

#include "core/common/Rounding.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {

constexpr auto Cm = FormatGroup::Centimetres;
constexpr auto Inch = FormatGroup::Inches;
constexpr auto Px = FormatGroup::Pixels;

struct Row
{
    const char *key;
    const char *shortName;
    const char *longName;
    float first, second, firstCorrection, secondCorrection;
    FormatGroup group;
};

// Inch sizes are held converted to cm. The names of 30 and 33 do not match
// their sizes (10 x 15 cm, 11 x 17 in); files and lists have always used them.
const Row kRows[FormatCatalogue::kCount] = {
    {"9x13", "9x13 cm", "9x13 cm", 9, 13, -0.1f, -0.3f, Cm},
    {"10x13", "10x13.5 cm", "10x13.5 cm", 10, 13.5f, 0.2f, 0, Cm},
    {"10x15", "10x15 cm", "10x15 cm", 10, 15, 0.2f, 0.2f, Cm},
    {"13x18", "13x18 cm", "13x18 cm", 13, 18, -0.3f, -0.2f, Cm},
    {"13x19", "13x19 cm", "13x19 cm", 13, 19, -0.3f, 0.5f, Cm},
    {"15x20", "15x20 cm", "15x20 cm", 15, 20, 0.2f, 0.4f, Cm},
    {"15x21", "15x21 cm", "15x21 cm", 15, 21, 0.2f, 0, Cm},
    {"15x23", "15x23 cm", "15x23 cm", 15, 23, 0.2f, 0.5f, Cm},
    {"20x27", "20x27 cm", "20x27 cm", 20, 27, 0.3f, 0.3f, Cm},
    {"20x30", "20x30 cm", "20x30 cm", 20, 30, 0.3f, 0.5f, Cm},
    {"21x30", "21x30 cm", "21x30 cm", 21, 30, 0, -0.3f, Cm},
    {"25x38", "25x38 cm", "25x38 cm", 25, 38, 0.4f, 0.1f, Cm},
    {"A6", "A6", "A6", 10.5f, 14.8f, 0, 0, Cm},
    {"A5", "A5", "A5", 14.8f, 21, 0, 0, Cm},
    {"A4", "A4", "A4", 21, 29.7f, 0, 0, Cm},
    {"B5", "B5", "B5", 17.6f, 25, 0, 0, Inch},
    {"B4", "B4", "B4", 25, 35.3f, 0, 0, Inch},
    {"B3", "B3", "B3", 35.3f, 50, 0, 0, Inch},
    {"Envelope", "Envelope", "Envelope (132x220 mm)", 13.2f, 22, 0, 0, Inch},
    {"Envelope10", "Envelope #10", "Envelope #10 (4 1/8 x 9 1/2 in)", 10.4775f, 24.13f, 0, 0, Inch},
    {"EnvelopeC6", "Envelope C6", "Envelope C6 (114x162 mm)", 11.4f, 16.2f, 0, 0, Inch},
    {"EnvelopeDL", "Envelope DL", "Envelope DL (110x220 mm)", 11, 22, 0, 0, Inch},
    {"Executive", "Executive", "Executive (7 1/4 x 10 1/2)", 18.415f, 26.67f, 0, 0, Inch},
    {"HalfLetter", "Half Letter", "Half Letter (5 1/2 x 8 1/2 in)", 13.97f, 21.59f, 0, 0, Inch},
    {"IndexCard5x8", "Index Card 5x8 in", "Index Card (5x8 in)", 12.7f, 20.32f, 0, 0, Inch},
    {"IndexCard8x10", "Index Card 8x10 in", "Index Card (8x10 in)", 20.32f, 25.4f, 0, 0, Inch},
    {"Legal", "Legal", "Legal (8 1/2 x 14 in)", 21.59f, 35.56f, 0, 0, Inch},
    {"Letter", "Letter", "Letter (8 1/2 x 11 in)", 21.59f, 27.94f, 0, 0, Inch},
    {"Panoramic", "Panoramic", "Panoramic (210x594 mm)", 21, 59.4f, 0, 0, Inch},
    {"PhotoPaper4x6", "Photo Paper 4x6 in", "Photo Paper (4x6 in)", 10.16f, 15.24f, 0, 0, Inch},
    {"PhotoPaper10x15", "Photo Paper 10x15 mm", "Photo Paper (10x15 mm)", 10, 15, 0, 0, Inch},
    {"PhotoPaper20x35", "Photo Paper 20x35 mm", "Photo Paper (20x35 mm)", 20, 35, 0, 0, Inch},
    {"SuperA3B", "Super A3/B", "Super A3/B (329x483 mm)", 32.9f, 48.3f, 0, 0, Inch},
    {"US_B", "US B 11x27 in", "US B (11x27 in)", 27.94f, 43.18f, 0, 0, Inch},
    {"US_C", "US C 17x22 in", "US C (17x22 in)", 43.18f, 55.88f, 0, 0, Inch},
    {"mobile_176x208", "Mobile (176x208)", "Mobile phone (176x208)", 176, 208, 0, 0, Px},
    {"mobile_128x128", "Mobile (128x128)", "Mobile phone (128x128)", 128, 128, 0, 0, Px},
    {"mobile_101x80", "Mobile (101x80)", "Mobile phone (101x80)", 101, 80, 0, 0, Px},
    {"mobile_128x160", "Mobile (128x160)", "Mobile phone (128x160)", 128, 160, 0, 0, Px},
    {"mobile_96x96", "Mobile (96x96)", "Mobile phone (96x96)", 96, 96, 0, 0, Px},
    {"320x240", "PocketPC (320x240)", "PocketPC (240x320)", 240, 320, 0, 0, Px},
    {"160x160", "Palm (160x160)", "Palm PDA (160x160)", 160, 160, 0, 0, Px},
    {"320x320", "Palm (320x320)", "Palm hi-res PDA (320x320)", 320, 320, 0, 0, Px},
    {"320x480", "Palm (320x480)", "Palm hi-res PDA (320x480)", 320, 480, 0, 0, Px},
    {"640x480", "640x480", "640x480", 480, 640, 0, 0, Px},
    {"800x600", "800x600", "800x600", 600, 800, 0, 0, Px},
    {"1024x768", "1024x768", "1024x768", 768, 1024, 0, 0, Px},
    {"1280x1024", "1280x1024", "1280x1024", 1024, 1280, 0, 0, Px},
    {"other", QT_TRANSLATE_NOOP("FormatCatalogue", "Other, pixels..."),
     QT_TRANSLATE_NOOP("FormatCatalogue", "Other..."), 200, 200, 0, 0, Px},
    {"other_cm", QT_TRANSLATE_NOOP("FormatCatalogue", "Other, cm..."),
     QT_TRANSLATE_NOOP("FormatCatalogue", "Other, cm..."), 10.2f, 15.2f, 0, 0, Cm},
    {"other_inch", QT_TRANSLATE_NOOP("FormatCatalogue", "Other, inch..."),
     QT_TRANSLATE_NOOP("FormatCatalogue", "Other, inch..."), 2.54f, 2.54f, 0, 0, Inch},
};

// One side in pixels: cm x dpi x 0.39370078 in single precision.
qint64 cmToPixels(float cm, int dpi)
{
    float px = cm * float(dpi);
    px = px * 0.39370078f;
    if (!(px > 0.0f))
        return 0;
    if (px > float(PrintLimits::kMaxSide) * 64.0f)
        return qint64(PrintLimits::kMaxSide) * 64;
    return roundHalfDown(double(px));
}

qint64 roundedLength(float length)
{
    if (!(length > 0.0f))
        return 0;
    if (length > float(PrintLimits::kMaxSide) * 64.0f)
        return qint64(PrintLimits::kMaxSide) * 64;
    return roundHalfDown(double(length));
}

} // namespace

FormatCatalogue::FormatCatalogue()
{
    m_formats.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        const Row &row = kRows[i];
        OutputFormat f;
        f.index = i;
        f.key = QString::fromLatin1(row.key);
        if (isCustom(i)) {
            f.shortName = QCoreApplication::translate("FormatCatalogue", row.shortName);
            f.longName = QCoreApplication::translate("FormatCatalogue", row.longName);
        } else {
            f.shortName = QString::fromLatin1(row.shortName);
            f.longName = QString::fromLatin1(row.longName);
        }
        f.first = row.first;
        f.second = row.second;
        f.firstCorrection = row.firstCorrection;
        f.secondCorrection = row.secondCorrection;
        f.group = row.group;
        m_formats.append(f);
    }
}

OutputKind FormatCatalogue::kindOf(int index)
{
    if (index >= 35 && index <= 43)
        return OutputKind::Mobile;
    if (index >= 44 && index <= 48)
        return OutputKind::Web;
    return OutputKind::Print;
}

const OutputFormat &FormatCatalogue::at(int index) const
{
    return m_formats[isValidIndex(index) ? index : kDefaultIndex];
}

bool FormatCatalogue::setCustomLengths(int index, float first, float second)
{
    if (!isCustom(index))
        return false;
    m_formats[index].first = first;
    m_formats[index].second = second;
    return true;
}

QSizeF FormatCatalogue::lengths(int index, bool firstIsWidth, bool photolab) const
{
    const OutputFormat &f = at(index);
    const float first = f.first + (photolab ? f.firstCorrection : 0.0f);
    const float second = f.second + (photolab ? f.secondCorrection : 0.0f);
    return firstIsWidth ? QSizeF(first, second) : QSizeF(second, first);
}

QSize FormatCatalogue::outputSize(int index, bool firstIsWidth, bool photolab, int dpi) const
{
    const PixelSize size = requestedSize(index, firstIsWidth, photolab, dpi);
    return limitedSize(size.width, size.height);
}

FormatCatalogue::PixelSize FormatCatalogue::requestedSize(int index, bool firstIsWidth, bool photolab,
                                                          int dpi) const
{
    const OutputFormat &f = at(index);
    const float first = f.first + (photolab ? f.firstCorrection : 0.0f);
    const float second = f.second + (photolab ? f.secondCorrection : 0.0f);
    const float w = firstIsWidth ? first : second;
    const float h = firstIsWidth ? second : first;
    if (f.isPixels())
        return {std::max<qint64>(roundedLength(w), 1), std::max<qint64>(roundedLength(h), 1)};
    return {std::max<qint64>(cmToPixels(w, dpi), 1), std::max<qint64>(cmToPixels(h, dpi), 1)};
}

bool FormatCatalogue::withinLimits(qint64 width, qint64 height)
{
    return width <= PrintLimits::kMaxSide && height <= PrintLimits::kMaxSide
        && double(width) * double(height) <= double(PrintLimits::kMaxPixels);
}

int FormatCatalogue::largestFittingDpi(int index, bool firstIsWidth, bool photolab, int dpi) const
{
    if (at(index).isPixels())
        return 0;
    const auto fits = [&](int d) {
        const PixelSize s = requestedSize(index, firstIsWidth, photolab, d);
        return withinLimits(s.width, s.height);
    };
    // The size grows with the resolution: the last resolution that fits.
    int lo = 0, hi = std::min(dpi, PrintLimits::kMaxDpi);
    if (hi >= 1 && fits(hi))
        return hi;
    while (lo + 1 < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

QSize FormatCatalogue::limitedSize(qint64 width, qint64 height)
{
    width = std::max<qint64>(width, 1);
    height = std::max<qint64>(height, 1);
    double scale = 1.0;
    const qint64 longer = std::max(width, height);
    if (longer > PrintLimits::kMaxSide)
        scale = double(PrintLimits::kMaxSide) / double(longer);
    const double area = double(width) * double(height);
    if (area * scale * scale > double(PrintLimits::kMaxPixels))
        scale = std::sqrt(double(PrintLimits::kMaxPixels) / area);
    if (scale >= 1.0)
        return QSize(int(width), int(height));
    const auto side = [scale](qint64 v) {
        return int(std::clamp<qint64>(qint64(std::floor(double(v) * scale)), 1, PrintLimits::kMaxSide));
    };
    return QSize(side(width), side(height));
}

} // namespace quorvel
