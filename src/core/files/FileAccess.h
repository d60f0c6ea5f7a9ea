#pragma once

#include <QCoreApplication>
#include <QIODevice>
#include <QString>

class QFile;

namespace quorvel {

// What a file was when the program read it: compared again just before the
// file is replaced, so that a photo another program moved there, deleted or
// swapped for a link in the meantime is never overwritten.
struct FileIdentity
{
    enum class Kind { Missing, Regular, Other };

    Kind kind = Kind::Missing;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0; // modification time, nanoseconds since the epoch

    bool isRegular() const { return kind == Kind::Regular; }
    bool operator==(const FileIdentity &) const = default;
};

// The rules for touching files that came from elsewhere (cards, archives,
// other people's disks): only regular files are read, a FIFO or a device is
// refused at once instead of blocking, and errors name the system's reason.
class FileAccess
{
    Q_DECLARE_TR_FUNCTIONS(FileAccess)

public:
    enum ReadOption {
        FollowLinks = 0,
        // The entry itself must be a regular file: a symbolic link is refused
        // (the program's own files - descriptions, the version index).
        NoLinks = 1,
        Unbuffered = 2,
    };
    Q_DECLARE_FLAGS(ReadOptions, ReadOption)

    // Opens path for reading into file without ever blocking: the entry is
    // checked before it is opened and the open handle again after, and
    // anything but a regular file (a FIFO, a device, a socket, a folder) is
    // refused. False with *error set to a short reason ("not a regular
    // file", "No such file or directory"); *identity is taken from the open
    // handle, before anything is read.
    static bool openForReading(QFile &file, const QString &path, QString *error = nullptr,
                               FileIdentity *identity = nullptr, ReadOptions options = FollowLinks);

    // The entry at path as it is now, a link not followed.
    static FileIdentity identityOf(const QString &path);

    // Why nothing can be found at path, links followed: the system's
    // reason ("No such file or directory", "Too many levels of symbolic
    // links") or a name the system's encoding cannot show. Empty when
    // something is there.
    static QString lookupProblem(const QString &path);

    // Why nothing may be written to path: its entry is a symbolic link or
    // not a regular file. Empty when a regular file or nothing is there.
    static QString writeRefusal(const QString &path);

    // A path under which other libraries open the very file that is open in
    // file (on Linux /proc/self/fd/N), so that nothing can be swapped in
    // between the check and their own open; path itself elsewhere.
    static QString pathOfOpenFile(const QFile &file, const QString &path);

    // Why nothing can be created in folder ("Read-only file system",
    // "Permission denied"); empty when the system sees no reason.
    static QString folderWriteProblem(const QString &folder);

    // The system's text for an error number ("No space left on device").
    static QString systemError(int code);

    // The short reasons and messages the rules give.
    static QString notRegularFile();
    static QString symbolicLink();
    static QString undecodableName();
    static QString changedByAnotherProgram();
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FileAccess::ReadOptions)

} // namespace quorvel
