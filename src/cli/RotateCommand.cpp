#include "Commands.h"

#include "core/edit/ImageTransform.h"

#include <QDir>

namespace quorvel::cli {

// Turns a JPEG losslessly (a TIFF by pixels) in place or into OUT. The turn
// applies to the picture as shown, after its EXIF orientation, and the
// result is stored upright; --auto only makes the file upright from its
// orientation. Without --trim a JPEG whose sides are not multiples of 16 is
// refused, as the dialog's question answered No.
int runRotate(const QStringList &args)
{
    const QString usage =
        QStringLiteral("usage: quorvel-tool rotate --left|--right|--180|--hor|--ver|--auto [--trim] FILE [OUT]");
    int code = -1;
    bool unknown = false;
    bool trim = false;
    QStringList paths;
    for (const QString &a : args) {
        if (a == QLatin1String("--left"))
            code = int(TransformCode::Rotate270);
        else if (a == QLatin1String("--right"))
            code = int(TransformCode::Rotate90);
        else if (a == QLatin1String("--180"))
            code = int(TransformCode::Rotate180);
        else if (a == QLatin1String("--hor"))
            code = int(TransformCode::FlipHorizontal);
        else if (a == QLatin1String("--ver"))
            code = int(TransformCode::FlipVertical);
        else if (a == QLatin1String("--auto"))
            code = int(TransformCode::Upright);
        else if (a == QLatin1String("--trim"))
            trim = true;
        else if (!a.startsWith(QLatin1String("--")))
            paths.append(QDir::fromNativeSeparators(a));
        else
            unknown = true;
    }
    if (unknown || code < 0 || paths.isEmpty() || paths.size() > 2) {
        err(usage);
        return 2;
    }
    const QString source = paths.at(0);
    const QString target = paths.value(1, source);
    TransformQuestions questions;
    questions.replaceOriginal = [] { return true; };
    questions.notDivisible = [trim] {
        if (!trim)
            err(QStringLiteral("quorvel-tool: a side is not a multiple of 16; --trim drops the partial edge blocks"));
        return trim;
    };
    questions.tiffWithoutExif = [] { return true; };
    const SaveResult result = ImageTransform::transformImageFile(source, target, TransformCode(code), questions);
    if (result.status == SaveResult::Declined)
        return 1;
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2")
                .arg(QDir::toNativeSeparators(source), QString(result.message).replace(QLatin1Char('\n'), QLatin1String(": "))));
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
