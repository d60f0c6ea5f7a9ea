#include "core/files/FolderWatcher.h"

#include "core/files/DescriptionStore.h"
#include "core/files/PathUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

namespace quorvel {

FolderWatcher::FolderWatcher(QObject *parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatcher::changed);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatcher::onChange);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &FolderWatcher::onChange);
}

void FolderWatcher::watch(const QString &folder)
{
    const QString clean = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    if (clean == m_folder)
        return;
    m_settle.stop();
    const QStringList watched = m_watcher->files() + m_watcher->directories();
    if (!watched.isEmpty())
        m_watcher->removePaths(watched);
    m_folder = clean;
    if (m_folder.isEmpty() || !QFileInfo(m_folder).isDir())
        return;
    m_watcher->addPath(m_folder);
    watchDescriptions();
}

void FolderWatcher::watchDescriptions()
{
    // The folder's own notices miss a description file rewritten in place;
    // a file replaced by a rename drops out of the watch and comes back here.
    const QString descriptions = DescriptionStore::fileInFolder(withTrailingSeparator(m_folder));
    if (QFileInfo::exists(descriptions) && !m_watcher->files().contains(descriptions))
        m_watcher->addPath(descriptions);
}

void FolderWatcher::onChange()
{
    if (m_folder.isEmpty())
        return;
    watchDescriptions();
    if (!m_settle.isActive())
        m_burst.start();
    if (m_burst.elapsed() < kMaxDelayMs)
        m_settle.start();
}

void FolderWatcher::retryLater()
{
    if (!m_folder.isEmpty())
        m_settle.start();
}

} // namespace quorvel
