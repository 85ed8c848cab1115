#include "platform/QtFileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QtFileSystem::QtFileSystem(QString driveRoot) : m_root(std::move(driveRoot)) {}

QString QtFileSystem::defaultDriveRoot()
{
#ifdef Q_OS_WIN
    return QString();
#else
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/quotaro/drive_c");
#endif
}

QString QtFileSystem::nativePath(const QString &path) const
{
#ifdef Q_OS_WIN
    if (m_root.isEmpty())
        return path;
#endif
    QString rest = path;
    if (rest.size() >= 2 && rest.at(1) == QLatin1Char(':'))
        rest = rest.mid(2);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!rest.startsWith(QLatin1Char('/')))
        rest.prepend(QLatin1Char('/'));
    return m_root + rest;
}

namespace {
// ".txt" in every letter case, the usual spelling first.
const char *const TxtEndings[] = {".txt", ".TXT", ".Txt", ".tXt", ".txT", ".TXt", ".TxT", ".tXT"};

bool isTemporaryName(const char *name)
{
    const size_t prefix = std::strlen(QtFileSystem::TemporaryPrefix);
    if (std::strncmp(name, QtFileSystem::TemporaryPrefix, prefix) != 0
        || std::strlen(name) != prefix + 6)
        return false;
    for (const char *c = name + prefix; *c; ++c) {
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9')))
            return false;
    }
    return true;
}

#ifdef Q_OS_UNIX
// The length of the valid UTF-8 sequence at s, or 0 when the byte there
// starts none (stray, overlong, surrogate or out of range).
int utf8SequenceLength(const unsigned char *s, qsizetype left)
{
    const unsigned char lead = s[0];
    if (lead < 0x80)
        return 1;
    const int n = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF         ? 3
        : lead >= 0xF0 && lead <= 0xF4         ? 4
                                               : 0;
    if (n == 0 || left < n)
        return 0;
    char32_t code = lead & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (s[i] & 0x3F);
    }
    if ((n == 3 && code < 0x800) || (n == 4 && (code < 0x10000 || code > 0x10FFFF))
        || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}
#endif
} // namespace

QString QtFileSystem::decodeFileName(const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    QString name;
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int length = utf8SequenceLength(s + i, n - i);
        if (length == 0) {
            name.append(QChar(char16_t(0xDC00 + s[i])));
            ++i;
        } else {
            name.append(QString::fromUtf8(bytes.constData() + i, length));
            i += length;
        }
    }
    return name;
#else
    return QFile::decodeName(bytes);
#endif
}

QByteArray QtFileSystem::encodeFileName(const QString &name)
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n
            && QChar::isLowSurrogate(name.at(i + 1).unicode())) {
            bytes += QStringView(name).mid(i, 2).toUtf8();
            ++i;
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            bytes += char(c - 0xDC00);
        } else {
            bytes += QStringView(name).mid(i, 1).toUtf8();
        }
    }
    return bytes;
#else
    return QFile::encodeName(name);
#endif
}

QByteArray QtFileSystem::nativeBytes(const QString &path) const
{
    return encodeFileName(nativePath(path));
}

bool QtFileSystem::fileExists(const QString &path) const
{
#ifdef Q_OS_UNIX
    struct stat info;
    return ::stat(nativeBytes(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
#else
    const QFileInfo info(nativePath(path));
    return info.exists() && info.isFile();
#endif
}

bool QtFileSystem::folderExists(const QString &path) const
{
    return QFileInfo(nativePath(path)).isDir();
}

std::optional<QStringList> QtFileSystem::listTxtFiles(const QString &folder) const
{
    const QString native = nativePath(folder);
    const QFileInfo info(native);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;
    QStringList names;
#ifdef Q_OS_UNIX
    // Read straight from the directory: a quotes folder can hold a hundred
    // thousand files, and the entry's type usually comes with its name, so
    // only links and unknown types need a look at the file itself.
    DIR *dir = ::opendir(nativeBytes(folder).constData());
    if (!dir)
        return std::nullopt;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        const size_t length = std::strlen(name);
        // A leading dot hides nothing here: the program never makes a file
        // hidden, so a quote named ".Acme" is listed like any other. A name
        // that is only ".txt" would be an entry without a name.
        if (length <= 4 || ::strncasecmp(name + length - 4, ".txt", 4) != 0)
            continue;
        bool file = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target;
            file = ::fstatat(fd, name, &target, 0) == 0 && S_ISREG(target.st_mode);
        }
        if (file)
            names.append(decodeFileName(QByteArray(name, qsizetype(length))));
    }
    ::closedir(dir);
#else
    // Files only, hidden ones too; the name filter ignores letter case.
    QDirIterator it(native, {QStringLiteral("*.txt")},
                    QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().size() > 4)
            names.append(it.fileName());
    }
#endif
    return names;
}

std::optional<QString> QtFileSystem::findTxtEntry(const QString &folder, const QString &stem) const
{
    const QString base = folder + QLatin1Char('\\') + stem;
    for (const char *ending : TxtEndings) {
        const QString path = base + QLatin1String(ending);
#ifdef Q_OS_UNIX
        // lstat: a link counts as taken even when it leads nowhere.
        struct stat info;
        if (::lstat(nativeBytes(path).constData(), &info) == 0)
            return path;
#else
        const QFileInfo info(nativePath(path));
        if (info.exists() || info.isSymLink())
            return path;
#endif
    }
    return std::nullopt;
}

std::optional<QByteArray> QtFileSystem::readFile(const QString &path) const
{
    QFile file;
#ifdef Q_OS_UNIX
    const int fd = ::open(nativeBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
#else
    file.setFileName(nativePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
#endif
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> QtFileSystem::readFileStart(const QString &path, qsizetype maxBytes) const
{
    QFile file(nativePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool QtFileSystem::replaceFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes through a link to the file it names, so a settings
    // file an office shares by a link stays shared.
    QSaveFile file(nativePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short text stays in the file's buffer until commit, which does not
    // notice when writing it out fails (a full disk) and would put a cut
    // file in place of the old one: the buffer is written out, and checked,
    // first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool QtFileSystem::linkThenUnlink(const QByteArray &from, const QByteArray &to)
{
#ifdef Q_OS_UNIX
    // link() refuses any entry at the new name, a link to nothing included,
    // and never follows one.
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        ::unlink(to.constData());
        return false;
    }
    return true;
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
    return false;
#endif
}

bool QtFileSystem::moveNoReplace(const QByteArray &from, const QByteArray &to) const
{
#ifdef Q_OS_UNIX
#ifdef RENAME_NOREPLACE
    if (m_noReplaceRename) {
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE)
            == 0)
            return true;
        // Only a file system that cannot do it is worth the second way; a
        // taken name (EEXIST) or any other refusal stands.
        if (errno != EINVAL && errno != ENOSYS)
            return false;
    }
#endif
    return linkThenUnlink(from, to);
#else
    // QDir::rename never replaces and, unlike QFile::rename, never copies.
    return QDir().rename(QFile::decodeName(from), QFile::decodeName(to));
#endif
}

bool QtFileSystem::createNewFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = nativeBytes(path);
#ifdef Q_OS_UNIX
    QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    QByteArray temp = folder + TemporaryPrefix + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    // The temporary file starts private; the quote gets the mode any new
    // file of the user's gets (a share that keeps its own modes may refuse,
    // which is no reason not to save).
    (void)::fchmod(fd, 0666 & ~currentUmask());
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    // One step that refuses a taken name: the whole file appears under it,
    // or nothing does.
    if (written && closed && moveNoReplace(temp, target))
        return true;
    ::unlink(temp.constData());
    return false;
#else
    const QFileInfo info(QFile::decodeName(target));
    QTemporaryFile temp(info.absolutePath() + QLatin1Char('/') + QLatin1String(TemporaryPrefix)
                        + QStringLiteral("XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return false;
    temp.close();
    if (!moveNoReplace(QFile::encodeName(temp.fileName()), target))
        return false;
    temp.setAutoRemove(false);
    return true;
#endif
}

bool QtFileSystem::removeFile(const QString &path)
{
    const QByteArray native = nativeBytes(path);
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::unlink(native.constData()) == 0;
#else
    if (!QFileInfo(nativePath(path)).isFile())
        return false;
    return QFile::remove(nativePath(path));
#endif
}

bool QtFileSystem::renameFile(const QString &from, const QString &to)
{
    const QByteArray source = nativeBytes(from);
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(source.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
#else
    if (!QFileInfo(nativePath(from)).isFile())
        return false;
#endif
    return moveNoReplace(source, nativeBytes(to));
}

void QtFileSystem::removeLeftoverTemporaryFiles(const QString &folder)
{
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(nativeBytes(folder).constData());
    if (!dir)
        return;
    const int fd = ::dirfd(dir);
    const time_t hourAgo = ::time(nullptr) - 3600;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat info;
        if (isTemporaryName(entry->d_name)
            && ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode) && info.st_mtime < hourAgo)
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(dir);
#else
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    QDirIterator it(nativePath(folder), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (isTemporaryName(it.fileName().toLatin1().constData())
            && it.fileInfo().lastModified() < hourAgo)
            QFile::remove(it.filePath());
    }
#endif
}
