#include "StripDecode.h"

#include "FileBytes.h"
#include "JpegOrientation.h"

#include "core/imaging/JpegSession.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace quorvel::cli {

namespace {

// The limits of DecodeOptions for a picture (decodelimits).
constexpr long long kMaxPixels = 1LL << 28;
constexpr long long kMaxSide = 1LL << 17;
// The strip the rows go through.
constexpr int kStripRows = 16;

// Whether the name goes through the Qt programs unchanged: well-formed
// UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF), not
// starting with a byte order mark.
bool plainUtf8(const unsigned char *s)
{
    if (s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF)
        return false;
    while (*s) {
        const unsigned c = *s;
        int more = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++s;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        ++s;
        for (int i = 0; i < more; ++i, ++s) {
            if ((*s & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (*s & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

// Decodes the picture through a strip of rows. False when the decode fails
// in any way; the complete tool then says why.
bool decodeRows(FileBytes &file, int &width, int &height, bool &partial)
{
    jpegsession::Session *s = jpegsession::newSession(nullptr, file.input());
    if (!s)
        return false;
    bool ok = jpegsession::readHeader(s, false);
    jpeg_decompress_struct &cinfo = s->cinfo;
    if (ok) {
        const long long w = cinfo.image_width, h = cinfo.image_height;
        ok = w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
    }
    unsigned char *strip = nullptr;
    unsigned char *cmykRow = nullptr;
    if (ok) {
        cinfo.mem->max_memory_to_use = long(std::min<long long>(kMaxPixels * 8 + (64 << 20), LONG_MAX));
        const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
        cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
        width = int(cinfo.image_width);
        height = int(cinfo.image_height);
        const int rows = std::min(height, kStripRows);
        const long long bytesPerLine = (long long)width * 4;
        strip = static_cast<unsigned char *>(std::malloc(size_t(bytesPerLine * rows)));
        if (cmyk)
            cmykRow = static_cast<unsigned char *>(std::malloc(size_t(width) * 4));
        ok = strip && (!cmyk || cmykRow);
        if (ok) {
            const jpegsession::PixelTarget target{strip, bytesPerLine, JDIMENSION(rows), cmykRow, nullptr, nullptr,
                                                  bool(cinfo.saw_Adobe_marker)};
            ok = jpegsession::readPixels(s, &target) && !s->nothingDecoded && int(cinfo.output_width) == width
                && int(cinfo.output_height) == height;
        }
    }
    partial = s->damaged;
    std::free(cmykRow);
    std::free(strip);
    jpegsession::release(s);
    return ok;
}

} // namespace

StripDecodeOutcome stripDecode(int argc, char **argv)
{
    // Exactly "decode FILE": options, and a file name the command line
    // parser would read as one, are the decoding program's.
    if (argc != 3 || argv[2][0] == '-' || !plainUtf8(reinterpret_cast<const unsigned char *>(argv[2])))
        return StripDecodeOutcome::LeftToDecoder;
    const char *path = argv[2];
    FileBytes file;
    if (!file.open(path))
        return StripDecodeOutcome::LeftToDecoder;
    const unsigned char *head = file.head();
    if (file.headSize() < 3 || head[0] != 0xFF || head[1] != 0xD8 || head[2] != 0xFF)
        return StripDecodeOutcome::NotJpeg;
    const int orientation = jpegOrientation(file);
    int width = 0, height = 0;
    bool partial = false;
    if (!decodeRows(file, width, height, partial))
        return StripDecodeOutcome::LeftToDecoder;
    const int depth = jpegsession::pixelDepth(file.input());
    std::printf("%s\tjpeg\t%d\t%d\t%d\t%d\t%s\n", path, width, height, depth, orientation, partial ? "partial" : "ok");
    return StripDecodeOutcome::Done;
}

} // namespace quorvel::cli
