#pragma once

#include <QIcon>

namespace quorvel {

// The picture of a command on the toolbar and in the menus: the desktop's
// icon theme by its freedesktop name where the theme has one, otherwise a
// picture the program draws itself at whatever size and pixel ratio it is
// shown.
QIcon commandIcon(int commandId);

// The program's own picture of a command, ignoring the theme (null when the
// command has none).
QIcon drawnCommandIcon(int commandId);

} // namespace quorvel
