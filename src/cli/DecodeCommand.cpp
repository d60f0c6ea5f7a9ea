#include "Commands.h"
#include "PictureMemory.h"

#include "core/imaging/DecodeTypes.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

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
    preparePictureMemory(path, options);
    const DecodeResult result = ImageDecoder::decodeFile(path, options);
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2").arg(QDir::toNativeSeparators(path), result.error));
        return 1;
    }
    if (!outPath.isEmpty() && !result.image.save(outPath, "PNG")) {
        err(QStringLiteral("quorvel-tool: cannot write %1").arg(outPath));
        return 1;
    }
    const QSize stored = orientation::turnedSize(result.image.size(), result.orientation);
    out(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7")
            .arg(QDir::toNativeSeparators(path), decoderName(result.decoder))
            .arg(stored.width())
            .arg(stored.height())
            .arg(ImageDecoder::pixelDepthOfFile(path))
            .arg(result.orientation)
            .arg(result.partial ? QStringLiteral("partial") : QStringLiteral("ok")));
    return 0;
}

} // namespace quorvel::cli
