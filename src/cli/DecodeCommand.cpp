#include "Commands.h"

#include "core/imaging/DecodeTypes.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

#include <QDir>

namespace quorvel::cli {

// Decodes one file as the loader would (turned by its EXIF orientation) and
// prints "<path>\t<decoder>\t<width>\t<height>\t<file bpp>\t<orientation>\t<state>":
// the size as stored, the orientation applied (1..8), and "ok" or "partial"
// when only part of the picture could be decoded. --out writes the picture
// as shown.
int runDecode(const QStringList &args)
{
    QString path;
    QString outPath;
    DecodeOptions options;
    options.applyOrientation = true;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--out") && i + 1 < args.size())
            outPath = args.at(++i);
        else if (a == QLatin1String("--cms"))
            options.useCms = true;
        else if (a == QLatin1String("--hq-raw"))
            options.hqRaw = true;
        else if (path.isEmpty() && !a.startsWith(QLatin1String("--")))
            path = QDir::fromNativeSeparators(a);
        else
            path.clear(), i = args.size();
    }
    if (path.isEmpty()) {
        err(QStringLiteral("usage: quorvel-tool decode FILE [--out PNG] [--cms] [--hq-raw]"));
        return 2;
    }
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
