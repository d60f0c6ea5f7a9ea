#include "core/fileops/VersionStore.h"

#include "core/fileops/RepositoryLocation.h"
#include "core/fileops/VersionIndex.h"
#include "core/files/PathUtil.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWrite.h"
#include "core/files/SafeWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kNameAttempts = 1000;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString randomStoreName()
{
    QString name;
    for (int i = 0; i < VersionEntry::kStoreNameLength; ++i)
        name.append(QChar(u'a' + QRandomGenerator::global()->bounded(26)));
    return name;
}

// File names compare as the file system does.
constexpr Qt::CaseSensitivity kFileNameCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

QString extensionOf(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

VersionStore::VersionStore(QString folder)
    : m_folder(std::move(folder))
    , m_nameGenerator(randomStoreName)
{
}

QString VersionStore::defaultFolder()
{
    return RepositoryLocation::folder();
}

QString VersionStore::indexPath() const
{
    return joinPath(m_folder, indexFileName());
}

QString VersionStore::indexedPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

void VersionStore::setNameGenerator(std::function<QString()> generator)
{
    m_nameGenerator = generator ? std::move(generator) : randomStoreName;
}

bool VersionStore::fail(const QString &message)
{
    m_error = message;
    return false;
}

int VersionStore::failNumber(const QString &message)
{
    m_error = message;
    return 0;
}

bool VersionStore::load()
{
    return readIndex(false);
}

bool VersionStore::readIndex(bool always)
{
    const FileIdentity now = FileAccess::identityOf(indexPath());
    // Another copy of the program may have changed the index since.
    if (m_loaded && !always && now == m_indexIdentity)
        return true;
    m_entries.clear();
    m_loaded = false;
    m_unreadable = false;
    m_indexIdentity = now;
    if (now.kind == FileIdentity::Kind::Missing)
        return false;
    QFile file;
    QString reason;
    QByteArray bytes;
    if (FileAccess::openForReading(file, indexPath(), &reason, &m_indexIdentity, FileAccess::NoLinks)) {
        if (file.size() > kMaxIndexBytes) {
            reason = tr("larger than %1 MB").arg(kMaxIndexBytes / (1024 * 1024));
        } else {
            bytes = file.read(kMaxIndexBytes + 1);
            if (file.error() != QFileDevice::NoError)
                reason = file.errorString();
            else if (bytes.size() > kMaxIndexBytes)
                reason = tr("larger than %1 MB").arg(kMaxIndexBytes / (1024 * 1024));
        }
    }
    if (!reason.isEmpty()) {
        m_unreadable = true;
        return fail(tr("The version index \"%1\" could not be read: %2").arg(shown(indexPath()), reason));
    }
    versionindex::Parsed parsed = versionindex::parse(bytes);
    if (!parsed.hasHeader)
        return false;
    m_entries = std::move(parsed.entries);
    m_loaded = true;
    return true;
}

bool VersionStore::save()
{
    if (m_unreadable)
        return fail(tr("The version index \"%1\" could not be read, so it is not replaced.")
                        .arg(shown(indexPath())));
    SafeWriter writer(indexPath());
    // Only over the index as it was read; under the lock nobody else
    // following the rules changes it.
    writer.expectUnchanged(m_indexIdentity);
    if (!writer.open() || !writer.write(versionindex::serialise(m_entries)) || !writer.commit())
        return fail(writer.errorString());
    m_indexIdentity = FileAccess::identityOf(indexPath());
    return true;
}

// Why nothing can be written into the repository folder: a trial write
// that never becomes a file tells the system's reason (a full disk, a
// read-only one).
QString VersionStore::writeProblem() const
{
    QString why = FileAccess::folderWriteProblem(m_folder);
    if (why.isEmpty()) {
        SafeWriter trial(joinPath(m_folder, QStringLiteral(".quorvel-trial")), SafeWriter::Mode::CreateNew);
        if ((!trial.open() || !trial.write(QByteArray(4096, '\0')) || !trial.sync()) && trial.errorCode() != 0)
            why = FileAccess::systemError(trial.errorCode());
    }
    return why.isEmpty() ? tr("its lock file could not be made") : why;
}

QString VersionStore::lockPath() const
{
    return indexPath() + QStringLiteral(".lock");
}

bool VersionStore::lockIndex(QLockFile &lock)
{
    // A lock file is opened and read to see whether its holder still runs:
    // a FIFO there would block, a link lead elsewhere.
    if (const QString why = FileAccess::writeRefusal(lock.fileName()); !why.isEmpty())
        return fail(tr("The version repository \"%1\" cannot be changed: %2").arg(shown(m_folder), why));
    lock.setStaleLockTime(kStaleLockMs);
    if (lock.tryLock(kLockWaitMs))
        return true;
    if (lock.error() == QLockFile::LockFailedError)
        return fail(tr("The version repository \"%1\" is in use by another program; try again in a moment.")
                        .arg(shown(m_folder)));
    return fail(tr("The version repository \"%1\" cannot be changed: %2").arg(shown(m_folder), writeProblem()));
}

int VersionStore::entryIndexOf(const QString &path)
{
    load();
    const QString key = indexedPath(path);
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const VersionEntry &e = m_entries.at(i);
        if (e.originalPath == key && e.isUsable())
            return int(i);
    }
    return -1;
}

QString VersionStore::fileOf(const VersionEntry &entry, int number) const
{
    return joinPath(m_folder, entry.storeName + QStringLiteral(".v") + QString::number(number) + entry.extension);
}

QString VersionStore::versionPath(int entryIndex, int number) const
{
    if (entryIndex < 0 || entryIndex >= m_entries.size() || number <= 0 || !m_entries.at(entryIndex).isUsable())
        return QString();
    return fileOf(m_entries.at(entryIndex), number);
}

QVector<int> VersionStore::numbersOf(const VersionEntry &entry) const
{
    // Only names this store would give count: the store name, ".v", a number
    // without leading zeros, the extension.
    QVector<int> numbers;
    const QString prefix = entry.storeName + QStringLiteral(".v");
    QDirIterator it(m_folder, {prefix + u'*'}, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        if (!name.startsWith(prefix, kFileNameCase) || !name.endsWith(entry.extension, kFileNameCase))
            continue;
        const qsizetype digits = name.size() - prefix.size() - entry.extension.size();
        if (digits <= 0 || digits > 10)
            continue;
        const QStringView middle = QStringView(name).sliced(prefix.size(), digits);
        bool ok = false;
        const int n = middle.toInt(&ok, 10);
        if (ok && n > 0 && QString::number(n) == middle)
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QVector<int> VersionStore::listVersions(const QString &path)
{
    const int i = entryIndexOf(path);
    return i < 0 ? QVector<int>() : numbersOf(m_entries.at(i));
}

QVector<VersionInfo> VersionStore::versions(const QString &path)
{
    QVector<VersionInfo> out;
    const int i = entryIndexOf(path);
    if (i < 0)
        return out;
    for (int n : numbersOf(m_entries.at(i))) {
        const QFileInfo info(fileOf(m_entries.at(i), n));
        if (info.isFile())
            out.append({n, info.filePath(), info.lastModified()});
    }
    return out;
}

bool VersionStore::versionExists(const QString &path, int number, QString *filePath)
{
    const QString file = versionPath(entryIndexOf(path), number);
    if (filePath)
        *filePath = file;
    return !file.isEmpty() && QFileInfo(file).isFile();
}

QString VersionStore::uniqueStoreName() const
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString name = m_nameGenerator();
        if (!VersionEntry::isValidStoreName(name))
            continue;
        const bool taken = std::any_of(m_entries.cbegin(), m_entries.cend(), [&](const VersionEntry &e) {
            return e.storeName.compare(name, kFileNameCase) == 0;
        });
        // Files left by an index that was lost count as taken too.
        if (!taken && QDir(m_folder).entryList({name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty())
            return name;
    }
    return QString();
}

int VersionStore::rememberVersion(const QString &path)
{
    m_error.clear();
    const QString original = indexedPath(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return failNumber(tr("\"%1\" is not a regular file.").arg(original));
    if (!info.isFile())
        return failNumber(tr("The file \"%1\" does not exist.").arg(original));
    if (original.size() > VersionEntry::kMaxPathLength)
        return failNumber(tr("The path \"%1\" is too long for the version repository: at most %2 "
                             "characters are possible.")
                              .arg(original, QString::number(VersionEntry::kMaxPathLength)));
    const QString extension = extensionOf(original);
    if (!VersionEntry::isValidExtension(extension))
        return failNumber(tr("The extension of \"%1\" is too long for the version repository: at most "
                             "%2 characters are possible.")
                              .arg(original, QString::number(VersionEntry::kMaxExtensionLength)));
    // A repository made for this version goes again if the version fails.
    const bool newFolder = !QFileInfo::exists(m_folder);
    const auto dropNewFolder = qScopeGuard([&] {
        if (newFolder && m_error.size())
            QDir().rmdir(m_folder);
    });
    if (!QDir().mkpath(m_folder)) {
        // The reason lies with the nearest folder that is there.
        QString existing = QFileInfo(m_folder).absoluteFilePath();
        while (!QFileInfo(existing).isDir() && existing != QFileInfo(existing).path())
            existing = QFileInfo(existing).path();
        const QString why = FileAccess::folderWriteProblem(existing);
        return failNumber(why.isEmpty()
                              ? tr("The version repository \"%1\" could not be created.").arg(shown(m_folder))
                              : tr("The version repository \"%1\" could not be created: %2").arg(shown(m_folder), why));
    }
    // Other copies of the program share the index: the change is made to
    // the index as it is now, under the lock.
    QLockFile lock(lockPath());
    if (!lockIndex(lock))
        return 0;
    readIndex(true);
    if (m_unreadable)
        return 0;

    const int found = entryIndexOf(path);
    VersionEntry entry;
    if (found >= 0) {
        entry = m_entries.at(found);
    } else {
        entry.originalPath = original;
        entry.extension = extension;
        entry.storeName = uniqueStoreName();
        if (entry.storeName.isEmpty())
            return failNumber(tr("No free name was found in the version repository."));
    }
    const QVector<int> numbers = numbersOf(entry);
    if (!numbers.isEmpty() && numbers.last() == std::numeric_limits<int>::max())
        return failNumber(tr("No further version can be numbered."));
    const int number = numbers.isEmpty() ? 1 : numbers.last() + 1;
    const QString target = fileOf(entry, number);

    QString error;
    if (!safewrite::copyFile(path, target, false, &error))
        return failNumber(error);
    if (found < 0) {
        // The entry is added only with its first file, and the file kept
        // only with its entry.
        m_entries.append(entry);
        if (!save()) {
            m_entries.removeLast();
            QFile::remove(target);
            return 0;
        }
        m_loaded = true;
    }
    return number;
}

bool VersionStore::deleteVersion(const QString &path, int number)
{
    m_error.clear();
    QLockFile lock(lockPath());
    if (!lockIndex(lock))
        return false;
    readIndex(true);
    QString file;
    if (!versionExists(path, number, &file))
        return fail(tr("Version %1 of \"%2\" does not exist.").arg(QString::number(number), indexedPath(path)));
    QFile version(file);
    if (!version.remove())
        return fail(tr("The file \"%1\" could not be deleted: %2").arg(shown(file), version.errorString()));
    return true;
}

bool VersionStore::restoreVersion(const QString &path, int number)
{
    return saveVersionTo(path, number, path);
}

bool VersionStore::saveVersionTo(const QString &path, int number, const QString &destination)
{
    m_error.clear();
    QString file;
    if (!versionExists(path, number, &file))
        return fail(tr("Version %1 of \"%2\" does not exist.").arg(QString::number(number), indexedPath(path)));
    QString error;
    if (!safewrite::copyFile(file, destination, true, &error))
        return fail(error);
    return true;
}

} // namespace quorvel
