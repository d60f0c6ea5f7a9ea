#pragma once

#include "core/files/FileAccess.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class QFile;
class QIODevice;

namespace quorvel {

// Writes a file so that it is either complete or not there at all. The new
// content goes into a temporary file in the target's folder - unnamed where
// the file system can (O_TMPFILE), else a hidden name that no folder scan
// takes for a photo - and is renamed over the target only once it is
// complete and on the disk.
//
// Nothing is written through a symbolic link or over anything but a regular
// file. A replaced file keeps its mode (and owner and group where the
// system allows) exactly. Just before the rename the target is compared
// with what it was - by default when the writer was opened, or the identity
// the caller took when it read the file - and a file changed in between is
// left alone. Errors name the system's reason ("No space left on device").
//
//     SafeWriter writer(path);
//     writer.expectUnchanged(identityWhenRead);
//     if (!writer.open() || !writer.write(bytes) || !writer.commit())
//         tell(writer.errorString());
class SafeWriter
{
    Q_DECLARE_TR_FUNCTIONS(SafeWriter)

public:
    enum class Mode {
        Replace,   // replaces the file at the target, or creates it
        CreateNew, // fails when anything exists at the target by then
    };

    explicit SafeWriter(QString target, Mode mode = Mode::Replace);
    ~SafeWriter(); // a writer not committed leaves the target as it was
    SafeWriter(const SafeWriter &) = delete;
    SafeWriter &operator=(const SafeWriter &) = delete;

    // The target must still be the file read earlier (an identity that is
    // not a regular file: there must still be nothing there).
    void expectUnchanged(const FileIdentity &identity);
    // Time stamps for the new file; invalid ones are left to the system.
    // The creation time is set only where the system lets a program set it
    // (Windows).
    void setTimes(const QDateTime &lastAccess, const QDateTime &lastWrite, const QDateTime &creation = QDateTime());
    // When the finished file cannot be renamed over the target (a file
    // another program holds open, on Windows), it is kept under this name
    // instead, provided nothing has it yet.
    void setAsideName(const QString &name);

    bool open();
    bool write(QByteArrayView bytes);
    // Copies the device from its position to its end, a chunk at a time.
    // sourceName names the device in a read error.
    bool copyFrom(QIODevice &in, const QString &sourceName);
    // Puts what was written so far on the disk, as commit does first: a
    // full disk shows here at the latest.
    bool sync();
    bool commit();
    void discard();

    const QString &target() const { return m_target; }
    const QString &errorString() const { return m_error; }
    // After a commit that failed to replace the target: where the file was
    // kept instead (see setAsideName), else empty.
    const QString &savedAside() const { return m_savedAside; }
    // The system's error number of the last failure, 0 when it had none.
    int errorCode() const { return m_errorCode; }

    // Temporary files start with this and end with ".tmp"; a leftover of a
    // killed run older than kStaleSeconds goes with the next write in its
    // folder.
    static QString temporaryPrefix() { return QStringLiteral(".quorvel-"); }
    static bool isTemporaryName(QStringView name);
    static constexpr qint64 kStaleSeconds = 3600;

    // For tests: called just before the target is checked and replaced; a
    // non-zero result fails the rename with that error number, as a busy
    // file would. Not thread-safe; set it only while no writer runs.
    using CommitHook = std::function<int(const QString &target)>;
    static void setCommitHook(CommitHook hook);
    // Calls the hook, when one is set, as a writer that changes a file in
    // place does just before its own check; 0 otherwise.
    static int runCommitHook(const QString &target);
    // For tests: false makes writers use named temporary files, as on file
    // systems without unnamed ones.
    static void setUnnamedTemporaries(bool allowed);
#ifdef Q_OS_UNIX
    // Sets the access and modification times of an open file; an invalid
    // time is left as it is. The in-place writer shares it.
    static void setTimesOf(int fd, const QDateTime &lastAccess, const QDateTime &lastWrite);
#endif

private:
    bool fail(const QString &message);
    bool failWrite(int code);
    bool checkTarget(bool atCommit);
    bool publish(int injected);
    void removeStaleTemporaries() const;
    QString newTemporaryName() const;

    QString m_target;
    QString m_folder;
    Mode m_mode;
    bool m_expectSet = false;
    FileIdentity m_expected;
    QDateTime m_lastAccess;
    QDateTime m_lastWrite;
    QDateTime m_creation;
    QString m_asideName;
    QString m_savedAside;
    QString m_error;
    int m_errorCode = 0;

    // The temporary file while writing.
    QString m_temporary; // its name, empty while unnamed
    bool m_open = false;
    bool m_failed = false;
#ifdef Q_OS_UNIX
    int m_fd = -1;
    bool m_replacing = false;    // a regular file was at the target when opened
    unsigned m_targetMode = 0;   // its permission bits
    unsigned m_targetUid = 0;
    unsigned m_targetGid = 0;
#else
    std::unique_ptr<QFile> m_file;
    bool m_replacing = false;
    int m_permissions = 0;       // QFileDevice::Permissions of the target
#endif
    FileIdentity m_atOpen;
};

} // namespace quorvel
