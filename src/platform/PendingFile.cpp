#include "platform/PendingFile.h"

#ifdef Q_OS_UNIX

#include <QFile>
#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Prefix = QByteArrayLiteral(".quotaro-tmp.");

// What names this computer and this start of it. Boot and machine
// identities are random numbers of 128 bits: no other computer has them, and
// no name a person gives a file holds them by chance.
struct Identity {
    QByteArray host, machine, boot, idSpace;
};

QByteArray firstHexDigits(QByteArray id)
{
    id.replace('-', QByteArray());
    return id.left(16);
}

const Identity &identity()
{
    static const Identity me = [] {
        Identity id;
        for (const char c : QSysInfo::machineHostName().toUtf8().left(63))
            id.host += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                ? c
                : '-';
        id.machine = firstHexDigits(QSysInfo::machineUniqueId());
        id.boot = firstHexDigits(QSysInfo::bootUniqueId());
        // Process ids are those of an id namespace (a container has its own):
        // a process of another one cannot be looked up from here.
        char link[64] = {};
        if (::readlink("/proc/self/ns/pid", link, sizeof link - 1) > 0)
            for (const char *c = link; *c; ++c)
                if (*c >= '0' && *c <= '9')
                    id.idSpace += *c;
        return id;
    }();
    return me;
}

// When the process started, in clock ticks since boot: with its id, it tells
// the process from a later one given the same id. Empty when unknown.
QByteArray processStart(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray line = stat.readAll();
    // The fields after the command name (which may hold anything but ends
    // at the last ')'): state is the first, the start time the twentieth.
    return line.mid(line.lastIndexOf(')') + 2).split(' ').value(19);
}

bool processGone(pid_t pid, const QByteArray &start)
{
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return true;
    const QByteArray now = processStart(pid);
    return !now.isEmpty() && now != start;
}

bool writeAll(int fd, const char *data, qsizetype left)
{
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC; // nothing written and no error: no room left
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

QByteArray PendingFile::temporaryName()
{
    static const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray random;
    for (int i = 0; i < 6; ++i)
        random += Letters[QRandomGenerator::global()->bounded(62)];
    const Identity &me = identity();
    return Prefix
        + QByteArrayList{me.host,
                         me.machine,
                         me.boot,
                         me.idSpace,
                         QByteArray::number(::getpid()),
                         processStart(::getpid()),
                         random}
              .join('.');
}

bool PendingFile::isAbandoned(const QByteArray &name)
{
    if (!name.startsWith(Prefix))
        return false;
    const QByteArrayList f = name.mid(Prefix.size()).split('.');
    const Identity &me = identity();
    if (f.size() != 7 || me.boot.isEmpty() || f[0] != me.host)
        return false;
    if (f[2] == me.boot) {
        bool number = false;
        const pid_t pid = pid_t(f[4].toInt(&number));
        return f[3] == me.idSpace && !me.idSpace.isEmpty() && number && pid > 0
            && processGone(pid, f[5]);
    }
    // This computer before its last start: every process of then has ended.
    return !me.machine.isEmpty() && f[1] == me.machine;
}

void PendingFile::removeAbandoned(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        struct stat info;
        if (isAbandoned(entry->d_name)
            && ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode))
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

PendingFile::~PendingFile()
{
    closeFile();
    if (!m_placed && !m_name.isEmpty())
        ::unlink(path().constData());
}

bool PendingFile::open(const QByteArray &folder, unsigned mode, bool unnamed)
{
    m_folder = folder.isEmpty() ? QByteArrayLiteral("/") : folder;
#ifdef O_TMPFILE
    if (unnamed) {
        m_fd = ::open(m_folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        // Only a file system without unnamed files is worth the named way.
        if (m_fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return m_fd >= 0;
    }
#else
    Q_UNUSED(unnamed);
#endif
    for (int tries = 0; tries < 100; ++tries) {
        m_name = temporaryName();
        m_fd = ::open(path().constData(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC | O_NOFOLLOW, mode);
        if (m_fd >= 0)
            return true;
        m_name.clear();
        if (errno != EEXIST)
            return false;
    }
    return false;
}

QByteArray PendingFile::path() const
{
    if (isUnnamed())
        return QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(m_fd);
    return m_folder + '/' + m_name;
}

bool PendingFile::write(const QByteArray &bytes)
{
    return m_fd >= 0 && writeAll(m_fd, bytes.constData(), bytes.size());
}

bool PendingFile::closeFile()
{
    if (m_fd < 0)
        return true;
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

bool PendingFile::moveNoReplace(const QByteArray &from, const QByteArray &to, bool kernelRename)
{
#ifdef RENAME_NOREPLACE
    if (kernelRename) {
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE)
            == 0)
            return true;
        // Only a file system that cannot do it is worth the second way; a
        // taken name (EEXIST) or any other refusal stands.
        if (errno != EINVAL && errno != ENOSYS)
            return false;
    }
#else
    Q_UNUSED(kernelRename);
#endif
    // link() refuses any entry at the new name, a link to nothing included,
    // and never follows one.
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        const int why = errno;
        ::unlink(to.constData());
        errno = why;
        return false;
    }
    return true;
}

bool PendingFile::createAs(const QByteArray &target, bool kernelRename)
{
    if (isUnnamed()) {
        if (m_fd < 0)
            return false;
        // link() never replaces and never follows a link at the new name.
        if (::linkat(AT_FDCWD, path().constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW)
            != 0)
            return false;
        m_placed = true;
        closeFile();
        return true;
    }
    // A share may tell of a failed write only when the file is closed.
    if (!closeFile() || !moveNoReplace(path(), target, kernelRename))
        return false;
    m_placed = true;
    return true;
}

bool PendingFile::replace(const QByteArray &target)
{
    if (isUnnamed() && m_fd < 0)
        return false;
    // No call puts an unnamed file in place of another: it gets a name of
    // ours first, which a kill before the rename leaves for the clean-up.
    while (isUnnamed()) {
        const QByteArray name = temporaryName();
        if (::linkat(AT_FDCWD, path().constData(), AT_FDCWD, (m_folder + '/' + name).constData(),
                     AT_SYMLINK_FOLLOW)
            == 0)
            m_name = name;
        else if (errno != EEXIST)
            return false;
    }
    if (!closeFile() || ::rename(path().constData(), target.constData()) != 0)
        return false;
    m_placed = true;
    return true;
}

#else

// Elsewhere every file is named, and nothing in a name shows which computer
// made it: none is ever removed but by the write that made it.

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>

namespace {
QString nameOf(const QByteArray &path) { return QFile::decodeName(path); }
} // namespace

QByteArray PendingFile::temporaryName()
{
    return QByteArrayLiteral(".quotaro-tmp.")
        + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

bool PendingFile::isAbandoned(const QByteArray &) { return false; }
void PendingFile::removeAbandoned(const QByteArray &) {}

PendingFile::~PendingFile()
{
    if (!m_placed && !m_name.isEmpty())
        QFile::remove(nameOf(path()));
}

bool PendingFile::open(const QByteArray &folder, unsigned, bool)
{
    m_folder = folder;
    for (int tries = 0; tries < 100; ++tries) {
        m_name = temporaryName();
        if (QFile(nameOf(path())).open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
    }
    m_name.clear();
    return false;
}

QByteArray PendingFile::path() const { return m_folder + '/' + m_name; }

bool PendingFile::write(const QByteArray &bytes)
{
    QFile file(nameOf(path()));
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size() && file.flush();
}

bool PendingFile::closeFile() { return true; }

bool PendingFile::moveNoReplace(const QByteArray &from, const QByteArray &to, bool)
{
    // QDir::rename never replaces and, unlike QFile::rename, never copies.
    if (QDir().rename(nameOf(from), nameOf(to)))
        return true;
    errno = QFile::exists(nameOf(to)) ? EEXIST : EIO;
    return false;
}

bool PendingFile::createAs(const QByteArray &target, bool)
{
    return m_placed = !m_name.isEmpty() && moveNoReplace(path(), target);
}

bool PendingFile::replace(const QByteArray &target)
{
    std::error_code failed;
    std::filesystem::rename(std::filesystem::path(nameOf(path()).toStdWString()),
                            std::filesystem::path(nameOf(target).toStdWString()), failed);
    return m_placed = !failed;
}

#endif
