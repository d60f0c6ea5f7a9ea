#include "Commands.h"

#include "core/edit/FileResolution.h"

#include <QDir>

namespace quorvel::cli {

void defineSetDpi(CommandLine &line)
{
    line.describe(QStringLiteral("FILE H V"),
                  QStringLiteral("store a JPEG's resolution (JFIF density and existing EXIF X/YResolution)"));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("the JPEG file, changed in place"));
    line.addArgument(QStringLiteral("H"), QStringLiteral("horizontal resolution in dots per inch, 2 to 65535"));
    line.addArgument(QStringLiteral("V"), QStringLiteral("vertical resolution in dots per inch, 2 to 65535"));
}

// Stores a new resolution in a JPEG, as "Set image resolution" does.
int runSetDpi(const CommandLine &line)
{
    const QStringList args = line.positional();
    bool okH = false, okV = false;
    const int h = args.size() == 3 ? args.at(1).toInt(&okH) : 0;
    const int v = args.size() == 3 ? args.at(2).toInt(&okV) : 0;
    if (!okH || !okV)
        return line.usageError();
    if (!FileResolution::isStorable(h) || !FileResolution::isStorable(v)) {
        err(QStringLiteral("quorvel-tool: a resolution must lie between 2 and 65535"));
        return 2;
    }
    const QString path = QDir::fromNativeSeparators(args.at(0));
    const SaveResult result = FileResolution::write(path, h, v);
    if (!result.ok()) {
        err(QStringLiteral("quorvel-tool: %1: %2")
                .arg(QDir::toNativeSeparators(path), QString(result.message).replace(QLatin1Char('\n'), QLatin1String(": "))));
        return 1;
    }
    return 0;
}

} // namespace quorvel::cli
