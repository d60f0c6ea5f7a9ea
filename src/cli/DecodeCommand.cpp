#include "Commands.h"
#include "PictureMemory.h"

#include "core/files/SafeWriter.h"
#include "core/imaging/DecodeTypes.h"
#include "core/imaging/Orientation.h"

#ifdef QUORVEL_TOOL_DECODE
#include "Handover.h"

#include "core/exif/ExifOrientation.h"
#include "core/files/FileAccess.h"
#include "core/imaging/JpegDecoder.h"

#include <QFile>
#else
#include "core/imaging/ImageDecoder.h"
#endif

#include <QBuffer>
#include <QDir>

namespace quorvel::cli {

void defineDecode(CommandLine &line)
{
    line.describe(QStringLiteral("FILE [--out PNG] [--cms] [--hq-raw]"),
                  QStringLiteral("decode as the viewer does: path, decoder, width, height as stored, the file's bits "
                                 "per pixel, the orientation applied, ok or partial"));
    line.addOption(QCommandLineOption(QStringLiteral("out"),
                                      QStringLiteral("also write the picture as shown (turned upright) as a PNG file"),
                                      QStringLiteral("PNG")));
    line.addOption(QCommandLineOption(QStringLiteral("cms"), QStringLiteral("convert an embedded colour profile to sRGB")));
    line.addOption(QCommandLineOption(QStringLiteral("hq-raw"), QStringLiteral("high-quality raw interpolation")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the image file"));
}

namespace {

#ifdef QUORVEL_TOOL_DECODE

// quorvel-tool-decode decodes JPEG files itself, with libjpeg-turbo (and
// Little CMS for --cms) and none of the other imaging libraries, whose
// loading would cost more than the decode of a small photo. A picture that
// is not a JPEG, one that --out would have to turn (turning uses OpenCV),
// and a JPEG it cannot decode go to the complete tool, whose other
// decoders and messages then answer exactly as they always do. Sets
// handOver for those; otherwise the result, its image untouched by the
// orientation (applied only in the printed line), and the file's bits per
// pixel.
DecodeResult decodeJpeg(const QString &path, const DecodeOptions &options, bool turnedPictureWanted, bool &handOver,
                        int &pixelDepth)
{
    handOver = true;
    QFile file;
    if (!FileAccess::openForReading(file, path))
        return DecodeResult();
    const QByteArray head = file.peek(3);
    if (head.size() < 3 || uchar(head[0]) != 0xFF || uchar(head[1]) != 0xD8 || uchar(head[2]) != 0xFF)
        return DecodeResult();
    // The orientation of the very file that is decoded, as the complete tool
    // reads it.
    const int orientation = options.applyOrientation
                                ? exiforientation::fromFile(FileAccess::pathOfOpenFile(file, path))
                                : orientation::kUpright;
    if (turnedPictureWanted && orientation != orientation::kUpright)
        return DecodeResult();
    if (options.keepPixels)
        preparePictureMemory(path, options);
    DecodeResult result = JpegDecoder::decode(file, options);
    if (!result.ok() || !file.seek(0))
        return DecodeResult();
    pixelDepth = JpegDecoder::pixelDepth(file);
    result.orientation = orientation;
    handOver = false;
    return result;
}

#endif

} // namespace

// Decodes one file as the loader would (turned by its EXIF orientation) and
// prints "<path>\t<decoder>\t<width>\t<height>\t<file bpp>\t<orientation>\t<state>":
// the size as stored, the orientation applied (1..8), and "ok" or "partial"
// when only part of the picture could be decoded. --out writes the picture
// as shown.
int runDecode(const CommandLine &line)
{
    if (line.positional().size() != 1)
        return line.usageError();
    const QString path = QDir::fromNativeSeparators(line.positional().first());
    const QString outPath = line.value(QStringLiteral("out"));
    DecodeOptions options;
    options.applyOrientation = true;
    options.useCms = line.isSet(QStringLiteral("cms"));
    options.hqRaw = line.isSet(QStringLiteral("hq-raw"));
    // Without --out nothing looks at the pixels: a JPEG goes through a strip
    // of rows as djpeg does, instead of 96 MB of fresh memory for a 24 MP
    // photo. A colour conversion still runs over the whole picture.
    options.keepPixels = !outPath.isEmpty() || options.useCms;
#ifdef QUORVEL_TOOL_DECODE
    bool handOver = false;
    int pixelDepth = 0;
    const DecodeResult result = decodeJpeg(path, options, !outPath.isEmpty(), handOver, pixelDepth);
    if (handOver)
        return handOverKept(kCompleteTool);
    // The picture as decoded is the picture as stored.
    const QSize stored = result.fullSize.isEmpty() ? result.image.size() : result.fullSize;
#else
    if (options.keepPixels)
        preparePictureMemory(path, options);
    const DecodeResult result = ImageDecoder::decodeFile(path, options);
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2").arg(QDir::toNativeSeparators(path), result.error));
        return 1;
    }
    const QSize shown = result.fullSize.isEmpty() ? result.image.size() : result.fullSize;
    const QSize stored = orientation::turnedSize(shown, result.orientation);
    const int pixelDepth = ImageDecoder::pixelDepthOfFile(path);
#endif
    if (!outPath.isEmpty()) {
        // Through a temporary file: a full disk leaves no half picture.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        SafeWriter writer(QDir::fromNativeSeparators(outPath));
        const bool encoded = result.image.save(&buffer, "PNG");
        if (!encoded || !writer.open() || !writer.write(png) || !writer.commit()) {
            const QString why = encoded ? writer.errorString() : QStringLiteral("the picture could not be encoded");
            err(QStringLiteral("quorvel-tool: cannot write %1: %2")
                    .arg(outPath, QString(why).replace(QLatin1Char('\n'), QLatin1String(": "))));
            return 1;
        }
    }
    out(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
            .arg(QDir::toNativeSeparators(path), decoderName(result.decoder))
            .arg(stored.width())
            .arg(stored.height())
            .arg(pixelDepth)
            .arg(result.orientation)
            .arg(result.partial ? QStringLiteral("partial") : QStringLiteral("ok")));
    return 0;
}

} // namespace quorvel::cli
