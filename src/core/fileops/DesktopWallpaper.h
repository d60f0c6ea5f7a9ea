#pragma once

#include <QString>

namespace quorvel {

class CommandRunner;
struct DesktopEnvironment;

// Makes the image file the desktop wallpaper, stretched over the screen; an
// empty path removes the wallpaper. The back end is chosen for the desktop
// the program runs on. False, with the reason in *error, when there is no
// back end for this desktop, the file does not exist, or the desktop refused.
bool setDesktopWallpaper(const QString &path, QString *error = nullptr);

// The same for a free desktop, with its environment and the runner of
// external programs given.
bool setDesktopWallpaper(const QString &path, const DesktopEnvironment &environment, CommandRunner &runner,
                         QString *error = nullptr);

} // namespace quorvel
