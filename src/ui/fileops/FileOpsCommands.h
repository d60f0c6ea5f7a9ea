#pragma once

#include <QString>

namespace quorvel {

class MainWindow;

// "Add file to version control...": the version dialog for the selected file
// (a link through its target); afterwards, when a version was restored or
// saved, the list and the view read their files again.
void showVersionControl(MainWindow &frame);

// "Set image as wallpaper...": the wallpaper dialog for the selected file.
void showWallpaper(MainWindow &frame);

} // namespace quorvel
