#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QFileSystemWatcher;

namespace quorvel {

// Watches the folder the file list shows, and its "descript.ion", for
// changes made by other programs. A burst of changes (a copy of many files,
// a safe write's temporary file and rename) is announced once, a short
// while after the last of them.
class FolderWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSettleMs = 300;
    // Changes that never stop (a long copy) are still announced this often.
    static constexpr int kMaxDelayMs = 1500;

    explicit FolderWatcher(QObject *parent = nullptr);

    // Watches folder instead of the folder before; empty stops watching.
    void watch(const QString &folder);
    QString folder() const { return m_folder; }

    // Announces the change again a while later (the program was busy).
    void retryLater();
    // For tests: the delay before changed() after the last change.
    void setSettleMs(int ms) { m_settle.setInterval(ms); }

Q_SIGNALS:
    // Something in the folder changed: files came, went, were renamed, or
    // the descriptions file changed.
    void changed();

private:
    void onChange();
    void watchDescriptions();

    QFileSystemWatcher *m_watcher;
    QTimer m_settle;
    QElapsedTimer m_burst; // since the first change not yet announced
    QString m_folder;
};

} // namespace quorvel
