#include "core/fileops/DesktopWallpaper.h"

#include "core/fileops/CommandRunner.h"
#include "core/fileops/WallpaperBackend.h"

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
bool applyWith(WallpaperBackend *backend, const QString &path, QString *error)
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
    return path.isEmpty() ? backend->reset(&reason) : backend->set(file.absoluteFilePath(), &reason);
}

} // namespace

bool setDesktopWallpaper(const QString &path, const DesktopEnvironment &environment, CommandRunner &runner,
                         QString *error)
{
    return applyWith(WallpaperBackend::choose(environment, runner).get(), path, error);
}

bool setDesktopWallpaper(const QString &path, QString *error)
{
    ProcessCommandRunner runner;
    return applyWith(WallpaperBackend::forThisSystem(runner).get(), path, error);
}

} // namespace quorvel
