#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// Splits a raw command line as the platform hands it over in one string:
// tokens are separated by runs of blanks (space and the characters 9..13); a
// token that begins with a double quote runs to the next double quote that is
// followed by the end or a separator, without the quotes; a quoted token
// without its closing quote runs to the end.
QStringList splitCommandLine(const QString &commandLine);

// What the program was started with.
struct StartupOptions
{
    enum class Action {
        Run,         // open the main window
        ShowHelp,    // --help: print message to standard output, exit 0
        ShowVersion, // --version: likewise
        Mistake,     // an unknown option or a missing value: print message
                     // to standard error, exit 2, open no window
    };

    Action action = Action::Run;
    QString message;        // the help, the version line or the mistake with the usage
    QString settingsFile;   // --settings FILE, or the QUORVEL_SETTINGS variable
    bool showSplash = true; // --no-splash turns the splash window off
    QStringList positional; // everything else, without the program name

    // The file or folder to open when exactly one argument was given.
    bool hasSingleArgument() const { return positional.size() == 1; }
    // The process exit status for the actions that end the program at once.
    int exitStatus() const { return action == Action::Mistake ? 2 : 0; }
};

// args includes the program name first, as the platform hands them over:
// Qt's own options for the display (-platform, -style, -display...) may be
// among them and are left to the application object. environmentSettingsFile
// is the value of QUORVEL_SETTINGS (empty if unset); the command-line option
// wins over it. Needs no application object.
StartupOptions parseStartupOptions(const QStringList &args, const QString &environmentSettingsFile);

} // namespace quorvel
