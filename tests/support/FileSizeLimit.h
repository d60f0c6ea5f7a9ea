#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace quorvel::test {

// While alive, no file of the process may grow beyond the given number of
// bytes: writes past it fail (EFBIG) instead of raising SIGXFSZ. This makes a
// write fail half-way the way a full disk does, also for root, who is not
// stopped by permissions. Where the platform has no such limit, active()
// is false and the caller skips.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
#ifdef Q_OS_UNIX
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (getrlimit(RLIMIT_FSIZE, &m_old) == 0) {
            rlimit limit = m_old;
            limit.rlim_cur = rlim_t(bytes);
            m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit()
    {
#ifdef Q_OS_UNIX
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
#endif
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
#ifdef Q_OS_UNIX
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
#endif
};

} // namespace quorvel::test
