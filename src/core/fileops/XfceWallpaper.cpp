#include "core/fileops/XfceWallpaper.h"

#include "core/fileops/CommandRunner.h"

namespace quorvel {

namespace {

const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kImageProperty = QStringLiteral("/last-image");

} // namespace

XfceWallpaper::XfceWallpaper(CommandRunner &runner)
    : m_runner(runner)
{
}

QStringList XfceWallpaper::backdrops(QString *error)
{
    const CommandResult r = m_runner.run(program(), {QStringLiteral("-c"), kChannel, QStringLiteral("-l")});
    if (!r.ok()) {
        commandFailed(program(), r, error);
        return {};
    }
    QStringList folders;
    for (const QString &line : QString::fromUtf8(r.output).split(u'\n')) {
        const QString property = line.trimmed();
        if (property.startsWith(QLatin1String("/backdrop/")) && property.endsWith(kImageProperty))
            folders.append(property.chopped(kImageProperty.size()));
    }
    if (folders.isEmpty())
        folders.append(QStringLiteral("/backdrop/screen0/monitor0/workspace0"));
    return folders;
}

bool XfceWallpaper::setProperty(const QString &property, const QString &type, const QString &value, QString *error)
{
    // -n creates the property where the channel does not have it yet.
    const CommandResult r = m_runner.run(program(), {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property,
                                                     QStringLiteral("-n"), QStringLiteral("-t"), type,
                                                     QStringLiteral("-s"), value});
    return r.ok() || commandFailed(program(), r, error);
}

bool XfceWallpaper::set(const QString &imagePath, QString *error)
{
    const QStringList folders = backdrops(error);
    if (folders.isEmpty())
        return false;
    for (const QString &folder : folders) {
        if (!setProperty(folder + QStringLiteral("/image-style"), QStringLiteral("int"),
                         QString::number(kStyleStretched), error)
            || !setProperty(folder + kImageProperty, QStringLiteral("string"), imagePath, error))
            return false;
    }
    return true;
}

bool XfceWallpaper::reset(QString *error)
{
    const QStringList folders = backdrops(error);
    if (folders.isEmpty())
        return false;
    for (const QString &folder : folders) {
        if (!setProperty(folder + QStringLiteral("/image-style"), QStringLiteral("int"), QString::number(kStyleNone),
                         error))
            return false;
    }
    return true;
}

} // namespace quorvel
