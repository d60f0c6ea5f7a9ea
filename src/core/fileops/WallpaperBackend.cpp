#include "core/fileops/WallpaperBackend.h"

#include "core/fileops/CommandRunner.h"
#include "core/fileops/GsettingsWallpaper.h"
#include "core/fileops/PlasmaWallpaper.h"
#include "core/fileops/WindowsWallpaper.h"
#include "core/fileops/X11Wallpaper.h"
#include "core/fileops/XfceWallpaper.h"

namespace quorvel {

namespace {

std::unique_ptr<WallpaperBackend> forDesktop(const QString &desktop, CommandRunner &runner)
{
    const QString d = desktop.trimmed().toLower();
    const bool gsettings = runner.hasProgram(GsettingsWallpaper::program());
    if (d == u"gnome" || d == u"gnome-classic" || d == u"gnome-flashback" || d == u"unity" || d == u"budgie"
        || d == u"budgie-desktop" || d == u"pantheon" || d == u"ubuntu") {
        if (gsettings)
            return std::make_unique<GsettingsWallpaper>(GsettingsWallpaper::Gnome, runner);
    } else if (d == u"x-cinnamon" || d == u"cinnamon") {
        if (gsettings)
            return std::make_unique<GsettingsWallpaper>(GsettingsWallpaper::Cinnamon, runner);
    } else if (d == u"mate") {
        if (gsettings)
            return std::make_unique<GsettingsWallpaper>(GsettingsWallpaper::Mate, runner);
    } else if (d == u"kde" || d == u"plasma" || d == u"plasmawayland") {
        if (runner.hasProgram(PlasmaWallpaper::program()))
            return std::make_unique<PlasmaWallpaper>(runner);
    } else if (d == u"xfce" || d == u"xfce4" || d == u"xubuntu") {
        if (runner.hasProgram(XfceWallpaper::program()))
            return std::make_unique<XfceWallpaper>(runner);
    }
    return nullptr;
}

} // namespace

DesktopEnvironment DesktopEnvironment::fromProcess()
{
    DesktopEnvironment e;
    e.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    e.session = qEnvironmentVariable("DESKTOP_SESSION");
    e.kdeFullSession = qEnvironmentVariable("KDE_FULL_SESSION").compare(u"true", Qt::CaseInsensitive) == 0;
    e.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return e;
}

std::unique_ptr<WallpaperBackend> WallpaperBackend::choose(const DesktopEnvironment &environment,
                                                           CommandRunner &runner)
{
    for (const QString &desktop : environment.currentDesktop.split(u':', Qt::SkipEmptyParts)) {
        if (auto backend = forDesktop(desktop, runner))
            return backend;
    }
    if (environment.currentDesktop.trimmed().isEmpty()) {
        // Older sessions name themselves only here ("gnome", "plasma", "xfce").
        QString session = environment.session.section(u'/', -1);
        if (environment.kdeFullSession)
            session = QStringLiteral("kde");
        if (auto backend = forDesktop(session, runner))
            return backend;
    }
    if (environment.x11Display)
        return X11Wallpaper::create(runner);
    return nullptr;
}

std::unique_ptr<WallpaperBackend> WallpaperBackend::forThisSystem(CommandRunner &runner)
{
#ifdef Q_OS_WIN
    Q_UNUSED(runner);
    return std::make_unique<WindowsWallpaper>();
#else
    return choose(DesktopEnvironment::fromProcess(), runner);
#endif
}

bool WallpaperBackend::commandFailed(const QString &program, const CommandResult &result, QString *error)
{
    if (error) {
        QString reason = result.errorText.trimmed();
        if (reason.isEmpty())
            reason = result.started ? tr("exit status %1").arg(result.exitCode) : tr("not started");
        *error = tr("%1 failed: %2").arg(program, reason);
    }
    return false;
}

} // namespace quorvel
