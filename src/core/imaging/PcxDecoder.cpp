#include "core/imaging/PcxDecoder.h"

#include "core/imaging/ImageBufferPool.h"

#include <QRgb>

#include <array>
#include <vector>

namespace quorvel {

namespace {

struct Header
{
    int version = 0;
    int encoding = 0;
    int bitsPerPlane = 0;
    int planes = 0;
    int bytesPerLine = 0;
    int width = 0;
    int height = 0;
};

int u16(QByteArrayView d, int at)
{
    return uchar(d[at]) | (uchar(d[at + 1]) << 8);
}

bool layoutSupported(int bits, int planes)
{
    switch (bits) {
    case 1: return planes >= 1 && planes <= 4;
    case 2:
    case 4: return planes == 1;
    case 8: return planes == 1 || planes == 3;
    default: return false;
    }
}

bool parseHeader(QByteArrayView d, Header &h)
{
    if (d.size() < PcxDecoder::kHeaderSize || uchar(d[0]) != 0x0A)
        return false;
    h.version = uchar(d[1]);
    h.encoding = uchar(d[2]);
    h.bitsPerPlane = uchar(d[3]);
    h.planes = uchar(d[65]);
    h.bytesPerLine = u16(d, 66);
    const int xmin = u16(d, 4), ymin = u16(d, 6), xmax = u16(d, 8), ymax = u16(d, 10);
    if (h.version > 5 || h.version == 1 || h.encoding > 1 || !layoutSupported(h.bitsPerPlane, h.planes))
        return false;
    if (xmax < xmin || ymax < ymin)
        return false;
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    // Every row must hold the bits of its pixels.
    return qint64(h.bytesPerLine) * 8 >= qint64(h.width) * h.bitsPerPlane;
}

// Unpacks the run-length coded (or stored) picture data one scan line (all
// planes) at a time. Runs may continue into the next line.
class LineReader
{
public:
    LineReader(QByteArrayView data, bool rle) : m_data(data), m_rle(rle) {}

    bool read(uchar *line, int length)
    {
        int filled = 0;
        while (filled < length) {
            if (m_runLeft > 0) {
                const int n = std::min(m_runLeft, length - filled);
                std::fill(line + filled, line + filled + n, m_runValue);
                filled += n;
                m_runLeft -= n;
                continue;
            }
            if (m_pos >= m_data.size())
                return false;
            const uchar c = uchar(m_data[m_pos++]);
            if (m_rle && (c & 0xC0) == 0xC0) {
                if (m_pos >= m_data.size())
                    return false;
                m_runLeft = c & 0x3F;
                m_runValue = uchar(m_data[m_pos++]);
            } else {
                line[filled++] = c;
            }
        }
        return true;
    }

private:
    QByteArrayView m_data;
    bool m_rle;
    qsizetype m_pos = 0;
    int m_runLeft = 0;
    uchar m_runValue = 0;
};

using Palette = std::array<QRgb, 256>;

Palette headerPalette(QByteArrayView d)
{
    Palette p{};
    for (int i = 0; i < 16; ++i)
        p[size_t(i)] = qRgb(uchar(d[16 + 3 * i]), uchar(d[17 + 3 * i]), uchar(d[18 + 3 * i]));
    return p;
}

// The 256-colour palette: a 0x0C byte and 768 bytes at the very end.
Palette vgaPalette(QByteArrayView d, const Header &h, bool &found)
{
    Palette p{};
    const qsizetype at = d.size() - PcxDecoder::kPaletteSize;
    found = h.version >= 5 && at >= PcxDecoder::kHeaderSize && uchar(d[at]) == 0x0C;
    for (int i = 0; i < 256; ++i) {
        p[size_t(i)] = found ? qRgb(uchar(d[at + 1 + 3 * i]), uchar(d[at + 2 + 3 * i]), uchar(d[at + 3 + 3 * i]))
                             : qRgb(i, i, i);
    }
    return p;
}

int bitsAt(const uchar *plane, int x, int bits)
{
    const int bit = x * bits;
    const int shift = 8 - bits - (bit & 7);
    return (plane[bit >> 3] >> shift) & ((1 << bits) - 1);
}

} // namespace

bool PcxDecoder::looksLikePcx(QByteArrayView head)
{
    if (head.size() < 4 || uchar(head[0]) != 0x0A)
        return false;
    const int version = uchar(head[1]), encoding = uchar(head[2]), bits = uchar(head[3]);
    return (version == 0 || (version >= 2 && version <= 5)) && encoding <= 1
           && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

qint64 PcxDecoder::maxUsefulBytes(QByteArrayView head)
{
    Header h;
    if (!parseHeader(head, h))
        return -1;
    const qint64 picture = qint64(h.bytesPerLine) * h.planes * h.height;
    return kHeaderSize + (h.encoding == 1 ? 2 * picture : picture) + kPaletteSize;
}

int PcxDecoder::pixelDepth(QByteArrayView head)
{
    Header h;
    return parseHeader(head, h) ? h.bitsPerPlane * h.planes : 0;
}

DecodeResult PcxDecoder::decode(QByteArrayView data, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Pcx, reason); };
    Header h;
    if (!parseHeader(data, h))
        return fail(QStringLiteral("PCX: unsupported or damaged header"));
    if (!options.sizeAllowed(h.width, h.height))
        return fail(QStringLiteral("PCX: picture of %1 x %2 pixels refused").arg(h.width).arg(h.height));
    const int lineBytes = h.bytesPerLine * h.planes;
    // A run codes at most 63 bytes in two: a file too short to hold the
    // picture even so is refused before anything is allocated.
    const qint64 needed = qint64(lineBytes) * h.height;
    const qint64 available = data.size() - kHeaderSize;
    const qint64 maxExpansion = h.encoding == 1 ? 63 : 1;
    const qint64 divisor = h.encoding == 1 ? 2 : 1;
    if (available * maxExpansion / divisor < needed)
        return fail(QStringLiteral("PCX: file too short for its picture"));

    bool vgaFound = false;
    const Palette palette = h.bitsPerPlane == 8 && h.planes == 1 ? vgaPalette(data, h, vgaFound) : headerPalette(data);

    QImage image = ImageBufferPool::allocateRgb32(h.width, h.height);
    if (image.isNull())
        return fail(QStringLiteral("PCX: out of memory"));
    std::vector<uchar> line(static_cast<size_t>(lineBytes));
    LineReader reader(data.sliced(kHeaderSize), h.encoding == 1);
    const int bpl = h.bytesPerLine;
    for (int y = 0; y < h.height; ++y) {
        if (!reader.read(line.data(), lineBytes))
            return fail(QStringLiteral("PCX: picture data ends early"));
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uchar *l = line.data();
        if (h.bitsPerPlane == 8 && h.planes == 3) {
            for (int x = 0; x < h.width; ++x)
                out[x] = qRgb(l[x], l[bpl + x], l[2 * bpl + x]);
        } else if (h.bitsPerPlane == 8) {
            for (int x = 0; x < h.width; ++x)
                out[x] = palette[l[x]];
        } else if (h.bitsPerPlane == 1 && h.planes == 1) {
            for (int x = 0; x < h.width; ++x)
                out[x] = bitsAt(l, x, 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        } else if (h.bitsPerPlane == 1) {
            for (int x = 0; x < h.width; ++x) {
                int index = 0;
                for (int p = 0; p < h.planes; ++p)
                    index |= bitsAt(l + p * bpl, x, 1) << p;
                out[x] = palette[size_t(index)];
            }
        } else {
            for (int x = 0; x < h.width; ++x)
                out[x] = palette[size_t(bitsAt(l, x, h.bitsPerPlane))];
        }
        if (options.cancelled())
            return fail(QStringLiteral("PCX: decoding cancelled"));
    }
    DecodeResult result;
    result.decoder = DecoderKind::Pcx;
    result.image = std::move(image);
    return result;
}

} // namespace quorvel
