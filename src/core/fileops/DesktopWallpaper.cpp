#include "core/fileops/DesktopWallpaper.h"

#include "core/fileops/CommandRunner.h"
#include "core/fileops/WallpaperBackend.h"
#include "core/fileops/WallpaperSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("WallpaperBackend", source);
}

// Sets or (with an empty path) removes the wallpaper through the back end.
// A picture the desktop cannot read goes as a PNG written into folder.
bool applyWith(WallpaperBackend *backend, const QString &path, const QString &folder, QString *error)
{
    QString ignored;
    QString &reason = error ? *error : ignored;
    reason.clear();
    const QFileInfo file(path);
    if (!path.isEmpty() && !file.isFile()) {
        reason = text(QT_TRANSLATE_NOOP("WallpaperBackend", "The file \"%1\" does not exist."))
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!backend) {
        reason = text(QT_TRANSLATE_NOOP("WallpaperBackend",
                                        "No way to set the wallpaper on this desktop was found (it needs gsettings, "
                                        "Plasma, xfconf-query, xwallpaper or feh)."));
        return false;
    }
    if (path.isEmpty())
        return backend->reset(&reason);
    const QString where = folder.isEmpty() ? WallpaperSource::defaultFolder() : folder;
    const QString source = WallpaperSource::prepare(file.absoluteFilePath(), where, &reason);
    if (source.isEmpty())
        return false;
    if (!backend->set(source, &reason))
        return false;
    // The desktop now shows this picture: earlier conversions are no longer needed.
    if (source != file.absoluteFilePath())
        WallpaperSource::removeOthers(where, source);
    return true;
}

} // namespace

bool setDesktopWallpaper(const QString &path, const DesktopEnvironment &environment, CommandRunner &runner,
                         QString *error, const QString &folder)
{
    return applyWith(WallpaperBackend::choose(environment, runner).get(), path, folder, error);
}

bool setDesktopWallpaper(const QString &path, QString *error)
{
    ProcessCommandRunner runner;
    return applyWith(WallpaperBackend::forThisSystem(runner).get(), path, QString(), error);
}

} // namespace quorvel
