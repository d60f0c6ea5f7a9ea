#pragma once

// One decode with libjpeg, without Qt: the session's state, where the data
// comes from, the handling of libjpeg's errors and warnings (damage to the
// picture data gives a partial picture, damage among the headers a
// failure), and the steps of a decode. JpegDecoder builds its pictures on
// it; quorvel-tool's strip decode, which loads no Qt at all, uses it alone.
// Every step catches libjpeg's errors itself (longjmp) and reports them as
// false with the message in Session::message.

#include <atomic>
#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace quorvel::jpegsession {

// Progressive files with more scans than this are refused: their decoding
// time is unbounded otherwise.
inline constexpr int kMaxScans = 500;
// A device is read a chunk at a time, so that only what the picture needs
// is ever read, and never more than a chunk is held.
inline constexpr long long kReadChunk = 64 * 1024;
// readPixels asks libjpeg for at most this many rows at once.
inline constexpr int kRowsPerRead = 16;

// Data read as the decoder goes, from a file or any other device.
struct Input
{
    void *context = nullptr;
    // Up to count bytes into to: how many were read, 0 at the end, less than
    // 0 on a failure.
    long long (*read)(void *context, unsigned char *to, long long count) = nullptr;
    // The position and the size of the data. seek is null for data that can
    // only be read in order; such data is never asked for position or size.
    long long (*position)(void *context) = nullptr;
    long long (*size)(void *context) = nullptr;
    bool (*seek)(void *context, long long position) = nullptr;
};

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
    // The compressed data: in memory, or read from input in chunks.
    const JOCTET *data;
    unsigned long dataSize;
    Input input;
    bool fromInput;
    jpeg_source_mgr source;
    JOCTET *buffer;
    // Set once the picture data is being read: damage found from then on
    // leaves part of the picture grey instead of failing the decode.
    bool readingPixels;
    bool damaged;
    // The data ended before the first row of blocks of the first scan was
    // complete: nothing of the picture could be decoded.
    bool nothingDecoded;
};

// A session on data in memory, which must outlive it, or on input. Null when
// there is no memory for it. Every session is given back to release().
Session *newSession(const std::atomic_bool *cancel, const unsigned char *data, unsigned long size);
Session *newSession(const std::atomic_bool *cancel, const Input &input);
void release(Session *session);

// The steps of a decode, in this order. readHeader saves an embedded colour
// profile when asked (Session::icc).
bool readHeader(Session *s, bool wantIcc);
// Picks the smallest DCT scale (M/8) whose output still covers the wanted
// size, and asks for the faster IDCT and upsampling: a reduced picture is
// scaled down further anyway. With fastest, a half where 3/8 would do: it
// decodes faster (see the definition) at nearly twice the memory.
bool chooseReducedScale(Session *s, unsigned int wantWidth, unsigned int wantHeight, bool fastest = false);

// Where readPixels puts the rows.
struct PixelTarget
{
    unsigned char *bits;
    long long bytesPerLine;
    // Rows the target holds: the picture's height, or a strip that row y
    // goes into at y modulo its height.
    JDIMENSION rowsHeld;
    // CMYK output goes through this row buffer, then into the target as
    // 0xffRRGGBB words: through convertCmyk when set, otherwise by the plain
    // formula (inverted as Adobe writes it when cmykInverted).
    unsigned char *cmykRow;
    void (*convertCmyk)(const void *context, const unsigned char *cmyk, std::uint32_t *out, int width);
    const void *cmykContext;
    bool cmykInverted;
};

// Decodes every row into the target.
bool readPixels(Session *s, const PixelTarget *target);
// Reads every coefficient of the picture data without making pixels.
bool readCoefficients(Session *s);

// Bits per pixel from the frame header (8 per component), without
// decoding: 8 for greyscale, 24 for colour, 32 for CMYK; 0 when the data
// holds no JPEG of 8 bits per sample. Reads input from its current position;
// input must be able to seek.
int pixelDepth(const Input &input);

} // namespace quorvel::jpegsession
