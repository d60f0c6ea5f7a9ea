#pragma once

#include <QString>

namespace quorvel {

class CMainFrame;

// "Add file to version control...": the version dialog for the selected file
// (a link through its target); afterwards, when a version was restored or
// saved, the list and the view read their files again.
void showVersionControl(CMainFrame &frame);

// "Set image as wallpaper...": the wallpaper dialog for the selected file.
void showWallpaper(CMainFrame &frame);

} // namespace quorvel
