#pragma once

#include <QString>

namespace quorvel {

class CommandRunner;
struct DesktopEnvironment;

// Makes the image file the desktop wallpaper, stretched over the screen; an
// empty path removes the wallpaper. The back end is chosen for the desktop
// the program runs on. A picture the desktop cannot read (anything but JPEG
// and PNG) is handed over as a PNG written by WallpaperSource. False, with
// the reason in *error, when there is no back end for this desktop, the file
// does not exist or cannot be converted, or the desktop refused.
bool setDesktopWallpaper(const QString &path, QString *error = nullptr);

// The same for a free desktop, with its environment and the runner of
// external programs given; converted pictures go into folder (empty: the
// default folder).
bool setDesktopWallpaper(const QString &path, const DesktopEnvironment &environment, CommandRunner &runner,
                         QString *error = nullptr, const QString &folder = QString());

} // namespace quorvel
