#include "platform/LockFileInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QLockFile>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
const QString LockName = QStringLiteral("quotaro.lock");
} // namespace

LockFileInstance::LockFileInstance(QStringList lockPaths) : m_paths(std::move(lockPaths)) {}

LockFileInstance::~LockFileInstance()
{
#ifndef Q_OS_WIN
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
#endif
}

QStringList LockFileInstance::defaultLockPaths()
{
    QStringList paths;
#ifdef Q_OS_WIN
    paths << QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + QLatin1Char('/') + LockName;
#else
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        paths << runtime + QLatin1Char('/') + LockName;
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    paths << cache + QLatin1Char('/') + LockName;
    paths << QDir::homePath() + QStringLiteral("/.") + LockName;
#endif
    return paths;
}

bool LockFileInstance::anotherRunning()
{
    if (m_checked)
        return m_other;
    m_checked = true;
#ifdef Q_OS_WIN
    for (const QString &path : m_paths) {
        auto lock = std::make_unique<QLockFile>(path);
        lock->setStaleLockTime(0); // only a dead owner makes a lock stale
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            return m_other = false;
        }
        if (lock->error() == QLockFile::LockFailedError)
            return m_other = true;
    }
#else
    for (const QString &path : m_paths) {
        // Never through a link, and only an ordinary file: anything else at
        // the path sends the lock to the next folder.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd < 0)
            continue;
        struct stat info;
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            continue;
        }
        int locked;
        do
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        while (locked != 0 && errno == EINTR);
        if (locked == 0) {
            m_fd = fd;
            return m_other = false;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (held)
            return m_other = true;
        // A file system without locks: try the next folder.
    }
#endif
    // No lock could be taken anywhere: a start is never refused for that.
    return m_other = false;
}
