#pragma once

#include "ui/app/CommandLine.h"

namespace quorvel {

class MainWindow;

// Where the program opens at start: the folder of the single argument (with
// that file selected, full screen), or the start-up or last used folder.
struct InitialView
{
    QString folder;
    QString selectName;
    bool fullScreen = false;
};

// Works out the initial view. A single argument naming a folder opens that
// folder in the normal layout; one naming a file opens its folder with the
// file selected and full screen. Relative arguments are taken against
// workingFolder.
InitialView initialView(const StartupOptions &options, const QString &workingFolder);

// The whole program: start-up, the event loop and the exit.
int runApplication(int argc, char **argv);

} // namespace quorvel
