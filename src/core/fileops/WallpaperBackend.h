#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace quorvel {

class CommandRunner;
struct CommandResult;

// What tells which desktop the program runs on.
struct DesktopEnvironment
{
    QString currentDesktop; // XDG_CURRENT_DESKTOP: names separated by ':'
    QString session;        // DESKTOP_SESSION
    bool kdeFullSession = false; // KDE_FULL_SESSION is "true"
    bool x11Display = false;     // DISPLAY is set

    static DesktopEnvironment fromProcess();
};

// One way of setting the desktop wallpaper. Each back end stretches the
// picture over the whole screen and can remove the wallpaper again.
class WallpaperBackend
{
    Q_DECLARE_TR_FUNCTIONS(WallpaperBackend)

public:
    virtual ~WallpaperBackend() = default;

    // A short name for messages and tests ("gnome", "plasma", ...).
    virtual QString name() const = 0;
    // Makes the image file (an absolute path) the stretched wallpaper.
    virtual bool set(const QString &imagePath, QString *error) = 0;
    // Leaves the desktop without a wallpaper.
    virtual bool reset(QString *error) = 0;

    // The back end for a free desktop: the first desktop named in
    // XDG_CURRENT_DESKTOP (else DESKTOP_SESSION) whose tool is present, else
    // the plain X11 one when there is an X display and a tool for it. Null
    // when there is none.
    static std::unique_ptr<WallpaperBackend> choose(const DesktopEnvironment &environment, CommandRunner &runner);
    // The back end of the system the program runs on: Windows' own, or the
    // one chosen for the process's desktop.
    static std::unique_ptr<WallpaperBackend> forThisSystem(CommandRunner &runner);

protected:
    // Sets *error to a command's failure: what it said, or its exit status.
    static bool commandFailed(const QString &program, const CommandResult &result, QString *error);
};

} // namespace quorvel
