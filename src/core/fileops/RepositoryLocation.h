#pragma once

#include <QString>

namespace quorvel {

// Where the version repository lives. It belongs to the user: in the user's
// application data folder, in "versions". Programs of earlier releases kept
// it beside the executable; such a repository keeps being used as long as
// its index is there, so nobody's versions disappear, but a new one is never
// started beside the executable.
class RepositoryLocation
{
public:
    // programFolder: the executable's folder; userDataFolder: the user's
    // application data folder.
    static QString folder(const QString &programFolder, const QString &userDataFolder);
    // The same for the running program.
    static QString folder();
};

} // namespace quorvel
