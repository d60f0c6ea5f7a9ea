#pragma once

#include <QString>

namespace quorvel {

// Where the program finds the files it ships with: the language modules and
// the splash picture (program data), and the manual (documentation).
//
// An installed program keeps them under its prefix, <prefix>/share/quorvel
// and <prefix>/share/doc/quorvel, found from the executable's own folder
// <prefix>/bin, so a prefix moved elsewhere (or unpacked into a staging
// folder) works as well. In a build tree, which has no such folder, they lie
// beside the executable.
class DataFolders
{
public:
    enum Kind { ProgramData, Documentation };

    // The installed folder of a kind, relative to the executable's folder
    // ("../share/quorvel" for the usual layout).
    static QString installedRelativePath(Kind kind);

    // The folder of a kind for a program in programFolder: the installed
    // folder when it exists, else programFolder itself.
    static QString locate(Kind kind, const QString &programFolder);
    // The same for the running program.
    static QString locate(Kind kind);

    // A file of a kind for the running program, whether it exists or not.
    static QString filePath(Kind kind, const QString &fileName);
};

} // namespace quorvel
