#include "core/imaging/JpegSession.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// jpeglib.h first: jerror.h lists some messages only once jconfig.h has
// said what the library supports.
#include <jerror.h>

namespace quorvel::jpegsession {

namespace {

Session *sessionOf(j_common_ptr cinfo)
{
    return reinterpret_cast<Session *>(cinfo);
}

void initSource(j_decompress_ptr)
{
}

boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    Session *s = sessionOf(reinterpret_cast<j_common_ptr>(cinfo));
    long long n = s->input.read(s->input.context, s->buffer, kReadChunk);
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
    const Input &in = s->input;
    if (size_t(count) > src.bytes_in_buffer && in.seek) {
        // Skipped segments are not read at all.
        const long long beyond = (long long)count - (long long)src.bytes_in_buffer;
        src.bytes_in_buffer = 0;
        const long long pos = in.position(in.context);
        if (in.seek(in.context, pos + std::min(beyond, in.size(in.context) - pos)))
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

void useInputSource(Session *s)
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
    if (s->cinfo.input_scan_number > kMaxScans)
        fail(s, "too many scans in a progressive JPEG");
}

Session *allocate(const std::atomic_bool *cancel)
{
    // All zero: no pointer set, nothing created yet.
    auto *s = static_cast<Session *>(std::calloc(1, sizeof(Session)));
    if (s)
        s->cancel = cancel;
    return s;
}

std::uint32_t opaque(int r, int g, int b)
{
    return 0xff000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

void cmykToRgb32(const unsigned char *cmyk, std::uint32_t *out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = opaque((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

} // namespace

Session *newSession(const std::atomic_bool *cancel, const unsigned char *data, unsigned long size)
{
    Session *s = allocate(cancel);
    if (s) {
        s->data = data;
        s->dataSize = size;
    }
    return s;
}

Session *newSession(const std::atomic_bool *cancel, const Input &input)
{
    Session *s = allocate(cancel);
    if (!s)
        return nullptr;
    s->input = input;
    s->fromInput = true;
    s->buffer = static_cast<JOCTET *>(std::malloc(size_t(kReadChunk)));
    if (!s->buffer) {
        release(s);
        return nullptr;
    }
    return s;
}

void release(Session *s)
{
    if (!s)
        return;
    if (s->created)
        jpeg_destroy_decompress(&s->cinfo);
    std::free(s->icc);
    std::free(s->buffer);
    std::free(s);
}

// No C++ object may live in the frames below that call setjmp.

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
    if (s->fromInput)
        useInputSource(s);
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

bool chooseReducedScale(Session *s, unsigned int wantWidth, unsigned int wantHeight, bool fastest)
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
    // libjpeg-turbo has vector code for the inverse DCT at 1/8, 1/4, 1/2
    // and whole, not at 3/8: a half decodes faster though it gives nearly
    // twice the pixels (24 MP: 69 against 79 ms here). 5/8 to 7/8 would
    // be faster whole too, but at four times the memory of a half.
    if (fastest && s->cinfo.scale_num == 3) {
        s->cinfo.scale_num = 4;
        jpeg_calc_output_dimensions(&s->cinfo);
    }
    s->cinfo.dct_method = JDCT_IFAST;
    s->cinfo.do_fancy_upsampling = FALSE;
    return true;
}

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
            auto *out = reinterpret_cast<std::uint32_t *>(t->bits + (long long)(first % t->rowsHeld) * t->bytesPerLine);
            if (t->convertCmyk)
                t->convertCmyk(t->cmykContext, t->cmykRow, out, width);
            else
                cmykToRgb32(t->cmykRow, out, width, t->cmykInverted);
            continue;
        }
        JDIMENSION n = height - first;
        n = std::min({n, JDIMENSION(kRowsPerRead), t->rowsHeld});
        for (JDIMENSION i = 0; i < n; ++i)
            rows[i] = t->bits + (long long)((first + i) % t->rowsHeld) * t->bytesPerLine;
        if (jpeg_read_scanlines(&s->cinfo, rows, n) == 0)
            fail(s, "JPEG data ended early");
    }
    return true;
}

bool readCoefficients(Session *s)
{
    if (setjmp(s->jump))
        return false;
    s->readingPixels = true;
    return jpeg_read_coefficients(&s->cinfo) != nullptr;
}

int pixelDepth(const Input &in)
{
    const auto readByte = [&in](unsigned char &c) { return in.read(in.context, &c, 1) == 1; };
    unsigned char soi[2];
    if (in.read(in.context, soi, 2) != 2 || soi[0] != 0xFF || soi[1] != 0xD8)
        return 0;
    // Walk the marker segments up to the frame header. Each step reads or
    // skips a bounded length; the walk ends at the end of the data.
    for (int guard = 0; guard < 100000; ++guard) {
        unsigned char c = 0;
        if (!readByte(c))
            return 0;
        if (c != 0xFF)
            continue; // tolerate stray bytes between segments
        unsigned char marker = 0xFF;
        while (marker == 0xFF) {
            if (!readByte(marker))
                return 0;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // no length follows
        if (marker == 0xD9 || marker == 0xDA)
            return 0; // end of image or start of scan before any frame
        unsigned char len[2];
        if (in.read(in.context, len, 2) != 2)
            return 0;
        const int length = (len[0] << 8) | len[1];
        if (length < 2)
            return 0;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char sof[6];
            if (length < 8 || in.read(in.context, sof, 6) != 6)
                return 0;
            const int precision = sof[0];
            const int components = sof[5];
            if (precision != 8 || components < 1 || components > 4)
                return 0;
            return components * 8;
        }
        const long long next = in.position(in.context) + length - 2;
        if (next > in.size(in.context) || !in.seek(in.context, next))
            return 0;
    }
    return 0;
}

} // namespace quorvel::jpegsession
