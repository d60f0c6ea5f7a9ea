#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#endif

namespace quorvel::test {

// Folder entries that are not regular files, named like photos: what a card
// or an archive from elsewhere may hold. Each maker returns false where the
// platform cannot make one (the caller skips).
enum class Hostile { Fifo, Socket, Device, Folder };

inline const char *hostileName(Hostile kind)
{
    switch (kind) {
    case Hostile::Fifo: return "FIFO";
    case Hostile::Socket: return "socket";
    case Hostile::Device: return "link to a device";
    case Hostile::Folder: return "folder";
    }
    return "";
}

inline bool makeHostile(Hostile kind, const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case Hostile::Fifo: return ::mkfifo(name.constData(), 0644) == 0;
    case Hostile::Socket: {
        sockaddr_un address{};
        if (size_t(name.size()) >= sizeof address.sun_path)
            return false;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0)
            return false;
        const bool ok = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(fd); // the socket file stays
        return ok;
    }
    // Reading /dev/zero never ends: a reader that does not check would fill
    // the memory.
    case Hostile::Device: return ::symlink("/dev/zero", name.constData()) == 0;
    case Hostile::Folder: return ::mkdir(name.constData(), 0755) == 0;
    }
    return false;
#else
    Q_UNUSED(kind);
    Q_UNUSED(path);
    return false;
#endif
}

// Watches FIFOs while a call that must not block runs. Should the call hang
// opening one of them for reading, the guard opens the other end after a
// grace period so the test can go on and fail instead of hanging; blocked()
// tells it happened. It never fires while the code behaves.
class FifoGuard
{
public:
    explicit FifoGuard(QStringList fifos, int graceSeconds = 20)
        : m_fifos(std::move(fifos))
    {
        m_thread = std::thread([this, graceSeconds] {
            std::unique_lock lock(m_mutex);
            while (!m_done) {
                if (m_wake.wait_for(lock, std::chrono::seconds(graceSeconds)) == std::cv_status::timeout && !m_done)
                    unblock();
            }
        });
    }
    ~FifoGuard()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    FifoGuard(const FifoGuard &) = delete;
    FifoGuard &operator=(const FifoGuard &) = delete;

    bool blocked() const { return m_blocked.load(); }

private:
    void unblock()
    {
#ifdef Q_OS_UNIX
        for (const QString &fifo : m_fifos) {
            // Succeeds only while a reader waits in open().
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_blocked = true;
                ::close(fd);
            }
        }
#endif
    }

    QStringList m_fifos;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::atomic_bool m_blocked{false};
    std::thread m_thread;
};

} // namespace quorvel::test
