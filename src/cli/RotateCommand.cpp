#include "Commands.h"

#include "core/edit/ImageTransform.h"

#include <QDir>

namespace quorvel::cli {

namespace {

struct Turn
{
    const char *option;
    TransformCode code;
    const char *description;
};

const Turn kTurns[] = {
    {"left", TransformCode::Rotate270, "turn a quarter to the left"},
    {"right", TransformCode::Rotate90, "turn a quarter to the right"},
    {"180", TransformCode::Rotate180, "turn half round"},
    {"hor", TransformCode::FlipHorizontal, "mirror left to right"},
    {"ver", TransformCode::FlipVertical, "mirror top to bottom"},
    {"auto", TransformCode::Upright, "only make the picture upright from its EXIF orientation"},
};

} // namespace

void defineRotate(CommandLine &line)
{
    line.describe(QStringLiteral("--left|--right|--180|--hor|--ver|--auto [--trim] FILE [OUT]"),
                  QStringLiteral("lossless JPEG turn of the picture as shown, stored upright (a TIFF by pixels), "
                                 "in place or into OUT"));
    for (const Turn &turn : kTurns)
        line.addOption(QCommandLineOption(QString::fromLatin1(turn.option), QString::fromLatin1(turn.description)));
    line.addOption(QCommandLineOption(QStringLiteral("trim"),
                                      QStringLiteral("drop partial edge blocks of sides not divisible by 16")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the JPEG or TIFF file"));
    line.addArgument(QStringLiteral("OUT"), QStringLiteral("where to write the result; FILE itself when left out"));
}

// Turns a JPEG losslessly (a TIFF by pixels) in place or into OUT. The turn
// applies to the picture as shown, after its EXIF orientation, and the
// result is stored upright; --auto only makes the file upright from its
// orientation. Without --trim a JPEG whose sides are not multiples of 16 is
// refused, as the dialog's question answered No. Of several turns named,
// the last counts.
int runRotate(const CommandLine &line)
{
    int code = -1;
    for (const QString &name : line.optionNames()) {
        for (const Turn &turn : kTurns) {
            if (name == QLatin1String(turn.option))
                code = int(turn.code);
        }
    }
    const bool trim = line.isSet(QStringLiteral("trim"));
    QStringList paths;
    for (const QString &arg : line.positional())
        paths.append(QDir::fromNativeSeparators(arg));
    if (code < 0 || paths.isEmpty() || paths.size() > 2)
        return line.usageError();
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
