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

// What the program was started with, once the program's own options are
// taken out of the arguments.
struct StartupOptions
{
    QString settingsFile;   // --settings FILE, or the QUORVEL_SETTINGS variable
    bool showSplash = true; // --no-splash turns the splash window off
    QStringList positional; // everything else, without the program name

    // The file or folder to open when exactly one argument was given.
    bool hasSingleArgument() const { return positional.size() == 1; }
};

// args includes the program name first, as QCoreApplication::arguments().
// environmentSettingsFile is the value of QUORVEL_SETTINGS (empty if unset);
// the command-line option wins over it.
StartupOptions parseStartupOptions(const QStringList &args, const QString &environmentSettingsFile);

} // namespace quorvel
