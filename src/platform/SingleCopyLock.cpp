#include "platform/SingleCopyLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstddef>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLockFile>
#include <QStandardPaths>
#endif

SingleCopyLock::SingleCopyLock(QString tree) : m_tree(std::move(tree)) {}

SingleCopyLock::~SingleCopyLock()
{
#ifdef Q_OS_LINUX
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the name
#endif
}

QByteArray SingleCopyLock::lockName(const QString &tree, unsigned user, int attempt)
{
    QByteArray identity;
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(tree).constData(), &info) == 0)
        identity = QByteArray::number(qulonglong(info.st_dev), 16) + ':'
            + QByteArray::number(qulonglong(info.st_ino), 16);
#endif
    if (identity.isEmpty())
        identity = QCryptographicHash::hash(
                       QFile::encodeName(QDir::cleanPath(QFileInfo(tree).absoluteFilePath())),
                       QCryptographicHash::Sha256)
                       .toHex()
                       .left(32);
    return QByteArrayLiteral("quotaro/") + QByteArray::number(user) + '/' + identity + '/'
        + QByteArray::number(attempt);
}

#ifdef Q_OS_LINUX
namespace {

struct Address {
    sockaddr_un un{};
    socklen_t length = 0;
};

// An abstract name: a leading NUL, then the name, with no file behind it.
Address abstractAddress(const QByteArray &name)
{
    Address address;
    address.un.sun_family = AF_UNIX;
    const size_t length = std::min(size_t(name.size()), sizeof address.un.sun_path - 1);
    std::copy_n(name.constData(), length, address.un.sun_path + 1);
    address.length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
    return address;
}

enum class Holder { Unknown, ThisUser, Stranger };

// Who holds a name that is taken: the user whose process listens on it.
Holder holderOf(const Address &address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Holder::Unknown;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address.un), address.length) == 0;
    const bool queueFull = !connected && errno == EAGAIN;
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool known = connected && ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0;
    ::close(fd);
    if (known)
        return peer.uid == ::getuid() ? Holder::ThisUser : Holder::Stranger;
    // A queue full of copies that were turned away is one of ours.
    return queueFull ? Holder::ThisUser : Holder::Unknown;
}

} // namespace
#endif

int SingleCopyLock::holdName(const QByteArray &name)
{
#ifdef Q_OS_LINUX
    const Address address = abstractAddress(name);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&address.un), address.length) == 0
        && ::listen(fd, SOMAXCONN) == 0)
        return fd;
    const int why = errno;
    if (fd >= 0)
        ::close(fd);
    errno = why;
#else
    Q_UNUSED(name);
#endif
    return -1;
}

bool SingleCopyLock::anotherRunning()
{
    if (m_checked)
        return m_other;
    m_checked = true;
#ifdef Q_OS_LINUX
    int waits = 0;
    for (int attempt = 0; attempt < 16;) {
        const QByteArray name = lockName(m_tree, ::getuid(), attempt);
        m_fd = holdName(name);
        if (m_fd >= 0)
            return m_other = false;
        if (errno != EADDRINUSE)
            break;
        const Holder holder = holderOf(abstractAddress(name));
        if (holder == Holder::ThisUser)
            return m_other = true;
        // A stranger's name is passed over. One let go of meanwhile, or
        // taken by a copy that has not listened yet, is tried again shortly;
        // one never listened on is a stranger's too.
        if (holder == Holder::Stranger || ++waits == 50) {
            ++attempt;
            waits = 0;
        } else {
            ::usleep(10000);
        }
    }
#else
    // A lock file of this tree in the user's local folder; only a dead
    // owner makes it stale.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QDir().mkpath(folder);
    auto lock = std::make_unique<QLockFile>(
        folder + QStringLiteral("/quotaro-")
        + QString::fromLatin1(
            QCryptographicHash::hash(lockName(m_tree, 0, 0), QCryptographicHash::Sha256)
                .toHex()
                .left(32))
        + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return m_other = false;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return m_other = true;
#endif
    // No lock could be taken anywhere: a start is never refused for that.
    return m_other = false;
}
