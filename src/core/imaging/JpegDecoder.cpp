#include "core/imaging/JpegDecoder.h"

#include "core/imaging/ImageBufferPool.h"

#include "core/imaging/IccConverter.h"
#include "core/imaging/ZoomMath.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// jpeglib.h first: jerror.h lists some messages only once jconfig.h has
// said what the library supports.
#include <jpeglib.h>
#include <jerror.h>

namespace quorvel {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kRgb32Space = JCS_EXT_XRGB;
#endif

// Everything libjpeg touches lives here, on the heap, so that a longjmp out
// of the library skips no C++ object. cinfo comes first: the callbacks find
// the session from it.
struct Session
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errorMgr;
    jpeg_progress_mgr progressMgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    const std::atomic_bool *cancel;
    JOCTET *icc;
    unsigned int iccLength;
    bool created;
    // The compressed data: in memory, or read from the device in chunks.
    const JOCTET *data;
    unsigned long dataSize;
    QIODevice *device;
    jpeg_source_mgr source;
    JOCTET *buffer;
    // Set once the picture data is being read: damage found from then on
    // leaves part of the picture grey instead of failing the decode.
    bool readingPixels;
    bool damaged;
    // The data ended before the first row of blocks of the first scan was
    // complete: nothing of the picture could be decoded.
    bool nothingDecoded;

    ~Session()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
        std::free(icc);
        std::free(buffer);
    }
};

Session *sessionOf(j_common_ptr cinfo)
{
    return reinterpret_cast<Session *>(cinfo);
}

// The device source: the file is read a chunk at a time, so that only what
// the picture needs is ever read, and never more than a chunk is held.
constexpr qint64 kReadChunk = 64 * 1024;
// readPixels asks libjpeg for at most this many rows at once.
constexpr int kRowsPerRead = 16;
// The rows of the strip that a decode whose pixels are not kept goes
// through.
constexpr int kStripRows = 16;

void initSource(j_decompress_ptr)
{
}

boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    Session *s = sessionOf(reinterpret_cast<j_common_ptr>(cinfo));
    qint64 n = s->device->read(reinterpret_cast<char *>(s->buffer), kReadChunk);
    if (n <= 0) {
        // As libjpeg's own file source does: a warning (the picture is
        // damaged, see damagesPicture) and an end-of-image marker.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        s->buffer[0] = JOCTET(0xFF);
        s->buffer[1] = JOCTET(JPEG_EOI);
        n = 2;
    }
    s->source.next_input_byte = s->buffer;
    s->source.bytes_in_buffer = size_t(n);
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count)
{
    Session *s = sessionOf(reinterpret_cast<j_common_ptr>(cinfo));
    if (count <= 0)
        return;
    jpeg_source_mgr &src = s->source;
    if (size_t(count) > src.bytes_in_buffer && !s->device->isSequential()) {
        // Skipped segments are not read at all.
        const qint64 beyond = qint64(count) - qint64(src.bytes_in_buffer);
        src.bytes_in_buffer = 0;
        if (s->device->seek(s->device->pos() + std::min(beyond, s->device->size() - s->device->pos())))
            return;
        count = 0;
    }
    while (size_t(count) > src.bytes_in_buffer) {
        count -= long(src.bytes_in_buffer);
        fillInputBuffer(cinfo);
    }
    src.next_input_byte += count;
    src.bytes_in_buffer -= size_t(count);
}

void termSource(j_decompress_ptr)
{
}

void useDeviceSource(Session *s)
{
    s->source.init_source = initSource;
    s->source.fill_input_buffer = fillInputBuffer;
    s->source.skip_input_data = skipInputData;
    s->source.resync_to_restart = jpeg_resync_to_restart;
    s->source.term_source = termSource;
    s->source.next_input_byte = nullptr;
    s->source.bytes_in_buffer = 0;
    s->cinfo.src = &s->source;
}

[[noreturn]] void fail(Session *s, const char *reason)
{
    std::snprintf(s->message, sizeof s->message, "%s", reason);
    std::longjmp(s->jump, 1);
}

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    Session *s = sessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, s->message);
    std::longjmp(s->jump, 1);
}

// Warnings that mean the picture itself is damaged: decoding goes on, but
// what libjpeg cannot recover stays grey or smeared. Extra bytes before the
// end-of-image marker are padding some cameras write, not damage.
bool damagesPicture(const jpeg_error_mgr &err)
{
    switch (err.msg_code) {
    case JWRN_EXTRANEOUS_DATA:
        return err.msg_parm.i[1] != JPEG_EOI;
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        return true;
    default:
        return false;
    }
}

void emitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    cinfo->err->num_warnings++;
    if (!damagesPicture(*cinfo->err))
        return;
    Session *s = sessionOf(cinfo);
    // Damage among the headers means the file is not a picture that can be
    // trusted at all.
    if (!s->readingPixels)
        errorExit(cinfo);
    if (!s->damaged && cinfo->err->msg_code == JWRN_JPEG_EOF && s->cinfo.input_scan_number <= 1
        && s->cinfo.input_iMCU_row == 0)
        s->nothingDecoded = true;
    s->damaged = true;
}

void progressMonitor(j_common_ptr cinfo)
{
    Session *s = sessionOf(cinfo);
    if (s->cancel && s->cancel->load(std::memory_order_relaxed))
        fail(s, "decoding cancelled");
    if (s->cinfo.input_scan_number > JpegDecoder::kMaxScans)
        fail(s, "too many scans in a progressive JPEG");
}

// Reads the headers. No C++ object may live in this frame.
bool readHeader(Session *s, bool wantIcc)
{
    if (setjmp(s->jump))
        return false;
    s->cinfo.err = jpeg_std_error(&s->errorMgr);
    s->errorMgr.error_exit = errorExit;
    s->errorMgr.emit_message = emitMessage;
    s->created = true;
    jpeg_create_decompress(&s->cinfo);
    s->progressMgr.progress_monitor = progressMonitor;
    s->cinfo.progress = &s->progressMgr;
    if (s->device)
        useDeviceSource(s);
    else
        jpeg_mem_src(&s->cinfo, s->data, s->dataSize);
    if (wantIcc)
        jpeg_save_markers(&s->cinfo, JPEG_APP0 + 2, 0xFFFF);
    if (jpeg_read_header(&s->cinfo, TRUE) != JPEG_HEADER_OK)
        fail(s, "no image in the JPEG data");
    if (wantIcc && !jpeg_read_icc_profile(&s->cinfo, &s->icc, &s->iccLength)) {
        s->icc = nullptr;
        s->iccLength = 0;
    }
    return true;
}

// Picks the smallest DCT scale (M/8) whose output still covers the wanted
// size, and asks for the faster IDCT and upsampling: a reduced picture is
// scaled down further anyway. No C++ object may live in this frame.
bool chooseReducedScale(Session *s, unsigned int wantWidth, unsigned int wantHeight)
{
    if (setjmp(s->jump))
        return false;
    s->cinfo.scale_denom = 8;
    for (unsigned int m = 1; m <= 8; ++m) {
        s->cinfo.scale_num = m;
        jpeg_calc_output_dimensions(&s->cinfo);
        if (s->cinfo.output_width >= wantWidth && s->cinfo.output_height >= wantHeight)
            break;
    }
    s->cinfo.dct_method = JDCT_IFAST;
    s->cinfo.do_fancy_upsampling = FALSE;
    return true;
}

// The size a reduced decode must still cover: reduceTo itself, or the
// picture fitted into it when reduceTo is a view's box.
QSize reducedCover(int width, int height, const DecodeOptions &options)
{
    if (!options.reduceToFit)
        return options.reduceTo;
    return zoom::fitInto(QSize(width, height), options.reduceTo);
}

struct PixelTarget
{
    uchar *bits;
    qsizetype bytesPerLine;
    // Rows the target holds: the picture's height, or a strip that row y
    // goes into at y modulo its height.
    JDIMENSION rowsHeld;
    // CMYK output goes through this row buffer, then into the image.
    uchar *cmykRow;
    const IccConverter *cmykConverter;
    bool cmykInverted;
};

void cmykToRgb32(const uchar *cmyk, QRgb *out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

// Decodes every row into the target. No C++ object may live in this frame.
bool readPixels(Session *s, const PixelTarget *t)
{
    if (setjmp(s->jump))
        return false;
    s->readingPixels = true;
    jpeg_start_decompress(&s->cinfo);
    const JDIMENSION height = s->cinfo.output_height;
    const int width = int(s->cinfo.output_width);
    JSAMPROW rows[kRowsPerRead];
    while (s->cinfo.output_scanline < height) {
        const JDIMENSION first = s->cinfo.output_scanline;
        if (t->cmykRow) {
            rows[0] = t->cmykRow;
            if (jpeg_read_scanlines(&s->cinfo, rows, 1) != 1)
                fail(s, "JPEG data ended early");
            auto *out = reinterpret_cast<QRgb *>(t->bits + qsizetype(first % t->rowsHeld) * t->bytesPerLine);
            if (t->cmykConverter)
                t->cmykConverter->convertCmykRow(t->cmykRow, out, width);
            else
                cmykToRgb32(t->cmykRow, out, width, t->cmykInverted);
            continue;
        }
        JDIMENSION n = height - first;
        n = std::min({n, JDIMENSION(kRowsPerRead), t->rowsHeld});
        for (JDIMENSION i = 0; i < n; ++i)
            rows[i] = t->bits + qsizetype((first + i) % t->rowsHeld) * t->bytesPerLine;
        if (jpeg_read_scanlines(&s->cinfo, rows, n) == 0)
            fail(s, "JPEG data ended early");
    }
    return true;
}

// Reads every coefficient of the picture data without making pixels. No C++
// object may live in this frame.
bool readCoefficients(Session *s)
{
    if (setjmp(s->jump))
        return false;
    s->readingPixels = true;
    return jpeg_read_coefficients(&s->cinfo) != nullptr;
}

QString messageOf(const Session &s)
{
    return QStringLiteral("JPEG: %1").arg(QString::fromLocal8Bit(s.message));
}

std::unique_ptr<Session> newSession(const DecodeOptions &options)
{
    auto s = std::make_unique<Session>();
    std::memset(static_cast<void *>(s.get()), 0, sizeof(Session));
    s->cancel = options.cancel;
    return s;
}

DecodeResult decodeSession(Session *s, const DecodeOptions &options);

} // namespace

DecodeResult JpegDecoder::decode(QByteArrayView data, const DecodeOptions &options)
{
    if (data.isEmpty())
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: empty file"));
    auto s = newSession(options);
    s->data = reinterpret_cast<const JOCTET *>(data.data());
    s->dataSize = static_cast<unsigned long>(data.size());
    return decodeSession(s.get(), options);
}

DecodeResult JpegDecoder::decode(QIODevice &device, const DecodeOptions &options)
{
    if (device.atEnd())
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: empty file"));
    auto s = newSession(options);
    s->device = &device;
    s->buffer = static_cast<JOCTET *>(std::malloc(size_t(kReadChunk)));
    if (!s->buffer)
        return DecodeResult::failure(DecoderKind::Jpeg, QStringLiteral("JPEG: out of memory"));
    return decodeSession(s.get(), options);
}

bool JpegDecoder::isWhole(QByteArrayView data)
{
    if (data.isEmpty())
        return false;
    auto s = newSession(DecodeOptions());
    s->data = reinterpret_cast<const JOCTET *>(data.data());
    s->dataSize = static_cast<unsigned long>(data.size());
    if (!readHeader(s.get(), false) || !DecodeOptions().sizeAllowed(s->cinfo.image_width, s->cinfo.image_height))
        return false;
    s->cinfo.mem->max_memory_to_use = long(std::min<qint64>(decodelimits::kMaxPixels * 8 + (64 << 20), LONG_MAX));
    return readCoefficients(s.get()) && !s->damaged;
}

namespace {

DecodeResult decodeSession(Session *session, const DecodeOptions &options)
{
    auto fail = [](const QString &reason) { return DecodeResult::failure(DecoderKind::Jpeg, reason); };
    Session *s = session;
    if (!readHeader(s, options.useCms))
        return fail(messageOf(*s));

    jpeg_decompress_struct &cinfo = s->cinfo;
    if (!options.sizeAllowed(cinfo.image_width, cinfo.image_height))
        return fail(QStringLiteral("JPEG: picture of %1 x %2 pixels refused").arg(cinfo.image_width).arg(cinfo.image_height));
    // Bounds libjpeg's own working memory (a progressive file keeps every
    // coefficient: two bytes per sample).
    cinfo.mem->max_memory_to_use = long(std::min<qint64>(options.maxPixels * 8 + (64 << 20), LONG_MAX));

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;

    int width = int(cinfo.image_width), height = int(cinfo.image_height);
    const QSize cover = options.reduceTo.isEmpty() ? QSize() : reducedCover(width, height, options);
    const bool reduce = !cover.isEmpty() && (cover.width() < width || cover.height() < height);
    if (reduce) {
        if (!chooseReducedScale(s, unsigned(cover.width()), unsigned(cover.height())))
            return fail(messageOf(*s));
        width = int(cinfo.output_width);
        height = int(cinfo.output_height);
    }

    const bool strip = !options.keepPixels && height > kStripRows;
    QImage image = strip ? QImage(width, kStripRows, QImage::Format_RGB32) : ImageBufferPool::allocateRgb32(width, height);
    if (image.isNull())
        return fail(QStringLiteral("JPEG: out of memory"));
    std::vector<uchar> cmykRow;
    std::unique_ptr<IccConverter> cmykConverter;
    const bool inverted = cinfo.saw_Adobe_marker;
    if (cmyk) {
        cmykRow.resize(size_t(width) * 4);
        if (options.useCms && s->icc) {
            cmykConverter = std::make_unique<IccConverter>(
                QByteArrayView(s->icc, qsizetype(s->iccLength)),
                inverted ? IccConverter::Input::CmykInverted : IccConverter::Input::Cmyk);
            if (!cmykConverter->isValid())
                cmykConverter.reset();
        }
    }
    const PixelTarget target{image.bits(), image.bytesPerLine(), JDIMENSION(image.height()), cmyk ? cmykRow.data() : nullptr,
                             cmykConverter.get(), inverted};
    if (!readPixels(s, &target))
        return fail(messageOf(*s));
    if (s->nothingDecoded)
        return fail(QStringLiteral("JPEG: the data ends before any of the picture"));
    if (int(cinfo.output_width) != width || int(cinfo.output_height) != height)
        return fail(QStringLiteral("JPEG: unexpected output size"));

    if (options.useCms && s->icc && !cmyk)
        IccConverter::applyToImage(image, QByteArrayView(s->icc, qsizetype(s->iccLength)));

    DecodeResult result;
    result.decoder = DecoderKind::Jpeg;
    result.image = std::move(image);
    result.partial = s->damaged;
    if (reduce)
        result.fullSize = QSize(int(cinfo.image_width), int(cinfo.image_height));
    else if (strip)
        result.fullSize = QSize(width, height);
    return result;
}

} // namespace

int JpegDecoder::pixelDepth(QIODevice &device)
{
    uchar soi[2];
    if (device.read(reinterpret_cast<char *>(soi), 2) != 2 || soi[0] != 0xFF || soi[1] != 0xD8)
        return 0;
    // Walk the marker segments up to the frame header. Each step reads or
    // skips a bounded length; the walk ends at the end of the device.
    for (int guard = 0; guard < 100000; ++guard) {
        uchar c = 0;
        if (!device.getChar(reinterpret_cast<char *>(&c)))
            return 0;
        if (c != 0xFF)
            continue; // tolerate stray bytes between segments
        uchar marker = 0xFF;
        while (marker == 0xFF) {
            if (!device.getChar(reinterpret_cast<char *>(&marker)))
                return 0;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // no length follows
        if (marker == 0xD9 || marker == 0xDA)
            return 0; // end of image or start of scan before any frame
        uchar len[2];
        if (device.read(reinterpret_cast<char *>(len), 2) != 2)
            return 0;
        const int length = (len[0] << 8) | len[1];
        if (length < 2)
            return 0;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            uchar sof[6];
            if (length < 8 || device.read(reinterpret_cast<char *>(sof), 6) != 6)
                return 0;
            const int precision = sof[0];
            const int components = sof[5];
            if (precision != 8 || components < 1 || components > 4)
                return 0;
            return components * 8;
        }
        const qint64 next = device.pos() + length - 2;
        if (next > device.size() || !device.seek(next))
            return 0;
    }
    return 0;
}

} // namespace quorvel
