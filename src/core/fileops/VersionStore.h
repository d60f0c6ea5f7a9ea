#pragma once

#include "core/fileops/VersionEntry.h"
#include "core/files/FileAccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <functional>

class QLockFile;

namespace quorvel {

// One remembered state of a file in the repository.
struct VersionInfo
{
    int number = 0;
    QString filePath;   // the version file
    QDateTime modified; // the original's modification time when remembered
};

// The version repository: numbered copies of files, kept flat in one folder
// with the index "fInfo.txt", which maps each versioned file's path to the
// seven-letter store name its copies are named by:
// <folder>/<store name>.v<number><extension>, for example abcdefg.v3.jpg.
//
// Numbers start at 1; a new version gets the largest number present plus 1.
// Index entries are only ever appended. Several copies of the program may
// share one repository: every change takes the lock file beside the index
// ("fInfo.txt.lock"), reads the index afresh and writes it back, so that no
// copy loses another's entry. Operations that fail return 0 or
// false and leave the reason in lastError(), ready for a message box.
class VersionStore
{
    Q_DECLARE_TR_FUNCTIONS(VersionStore)

public:
    static QString indexFileName() { return QStringLiteral("fInfo.txt"); }
    // An index larger than this is not read, and then never replaced.
    static constexpr qint64 kMaxIndexBytes = 32 * 1024 * 1024;
    // A lock older than this is taken for the leftover of a program that
    // ended without releasing it (one that died on this computer is noticed
    // at once); a change waits this long for another copy's to end.
    static constexpr int kStaleLockMs = 5 * 60 * 1000;
    static constexpr int kLockWaitMs = 10 * 1000;

    // The repository in the given folder.
    explicit VersionStore(QString folder = defaultFolder());

    // Where the user's repository lives (see RepositoryLocation).
    static QString defaultFolder();

    const QString &folder() const { return m_folder; }
    QString indexPath() const;

    // Reads the index, again only when it changed on disk since (another
    // copy of the program wrote it). False while there is no usable index
    // (missing, too short, or unreadable: a link, a FIFO, too large).
    bool load();
    // Writes the whole index through a temporary file; refused when the
    // index on disk is no longer the one read.
    bool save();
    const QVector<VersionEntry> &entries() const { return m_entries; }
    // The first sound entry for the path (compared exactly), or -1.
    int entryIndexOf(const QString &path);

    // The version numbers present for the path, in ascending order.
    QVector<int> listVersions(const QString &path);
    // The existing version files of the path with their facts.
    QVector<VersionInfo> versions(const QString &path);
    QString versionPath(int entryIndex, int number) const;
    bool versionExists(const QString &path, int number, QString *filePath = nullptr);

    // Copies the file into the repository as its next version; the number
    // given to it, or 0 on failure.
    int rememberVersion(const QString &path);
    bool deleteVersion(const QString &path, int number);
    // Copies the version over the versioned file.
    bool restoreVersion(const QString &path, int number);
    // Copies the version to destination, replacing a file there.
    bool saveVersionTo(const QString &path, int number, const QString &destination);

    const QString &lastError() const { return m_error; }

    // The source of new store names; the default draws seven random letters.
    void setNameGenerator(std::function<QString()> generator);

    // How a path is kept in the index: absolute, with the platform's own
    // separators.
    static QString indexedPath(const QString &path);

private:
    bool readIndex(bool always);
    QString lockPath() const;
    bool lockIndex(QLockFile &lock);
    QString writeProblem() const;
    QVector<int> numbersOf(const VersionEntry &entry) const;
    QString fileOf(const VersionEntry &entry, int number) const;
    QString uniqueStoreName() const;
    bool fail(const QString &message);
    int failNumber(const QString &message);

    QString m_folder;
    QVector<VersionEntry> m_entries;
    bool m_loaded = false;
    bool m_unreadable = false; // an index exists that could not be read
    FileIdentity m_indexIdentity; // the index as last read or written
    std::function<QString()> m_nameGenerator;
    QString m_error;
};

} // namespace quorvel
