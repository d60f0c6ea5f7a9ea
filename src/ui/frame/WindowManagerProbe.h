#pragma once

namespace quorvel {

// Whether a window manager looks after the program's windows. Under a bare X
// server nobody honours a full-screen request, and the window has to cover
// the screen by itself; under a window manager doing so would cancel the
// window manager's own full-screen state.
//
// On X11 the answer is the EWMH check window on the root window; everywhere
// else a window manager is taken for granted.
bool hasWindowManager();

} // namespace quorvel
