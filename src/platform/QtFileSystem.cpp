#include "platform/QtFileSystem.h"

#include "platform/Log.h"
#include "platform/PendingFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstring>

#include <cerrno>
#ifdef Q_OS_UNIX
#include <climits>
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

// The file a path names once its links are followed, the last one even
// when it leads nowhere yet.
QByteArray linkTarget(QByteArray path)
{
    for (int depth = 0; depth < 40; ++depth) {
        char next[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), next, sizeof next);
        if (length <= 0 || length == sizeof next)
            break;
        path = next[0] == '/' ? QByteArray(next, length)
                              : path.left(path.lastIndexOf('/') + 1) + QByteArray(next, length);
    }
    return path;
}

QByteArray folderOf(const QByteArray &path) { return path.left(path.lastIndexOf('/')); }
#endif
} // namespace

QString QtFileSystem::decodeFileName(const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    // Nearly every name is valid UTF-8 and goes in one piece.
    qsizetype valid = 0;
    for (int length; valid < n && (length = utf8SequenceLength(s + valid, n - valid)) > 0;)
        valid += length;
    if (valid == n)
        return QString::fromUtf8(bytes);
    QString name;
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
    const qsizetype n = name.size();
    // Only a stray byte of a name that is not UTF-8 (a lone surrogate of
    // the range below) needs the name taken apart.
    bool stray = false;
    for (qsizetype i = 0; i < n && !stray; ++i) {
        const char16_t c = name.at(i).unicode();
        stray = c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !name.at(i - 1).isHighSurrogate());
    }
    if (!stray)
        return name.toUtf8();
    QByteArray bytes;
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

std::optional<QByteArray> QtFileSystem::readFile(const QString &path, QDateTime *modified) const
{
#ifdef Q_OS_UNIX
    // Straight system calls: the find quotes window reads a hundred thousand
    // quotes at a time, and a buffered file costs several times as many.
    const int fd = ::open(nativeBytes(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info;
    QByteArray bytes;
    bool whole = ::fstat(fd, &info) == 0;
    if (whole) {
        // One byte more than the file has: a read that comes short of it
        // after the whole size has reached the end, with no call more to
        // find that out.
        bytes.resize(qsizetype(info.st_size) + 1);
        qsizetype size = 0;
        for (;;) {
            // A file that grew since (or one whose size the kernel does not
            // tell) is read on to its end.
            if (size == bytes.size())
                bytes.resize(size + std::max<qsizetype>(4096, size / 2));
            const ssize_t got = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                whole = got == 0;
                break;
            }
            size += got;
            if (size < bytes.size() && size >= qsizetype(info.st_size) && S_ISREG(info.st_mode))
                break;
        }
        bytes.resize(size);
    }
    ::close(fd);
    if (!whole)
        return std::nullopt;
    if (modified)
        *modified = QDateTime::fromMSecsSinceEpoch(
            qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000, Qt::UTC);
    return bytes;
#else
    QFile file(nativePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (modified)
        *modified = file.fileTime(QFileDevice::FileModificationTime);
    return bytes;
#endif
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

WriteResult WriteResult::fromErrno(int error)
{
    return failed(QString::fromLocal8Bit(std::strerror(error)));
}

namespace {
// The result of a change to a file, logged: a warning with the file and the
// reason when it failed, a debug line when it was done.
WriteResult logged(const char *what, const QString &file, WriteResult result)
{
    if (!result)
        qCWarning(lcPlatform).noquote() << what << file << "failed:" << result.reason();
    else
        qCDebug(lcPlatform).noquote() << what << file << "done";
    return result;
}

#ifdef Q_OS_UNIX
// The result of steps that set errno when one fails, read before anything
// else (the pending file's clean-up) can change it.
WriteResult doneOrErrno(bool done) { return done ? WriteResult() : WriteResult::fromErrno(errno); }

// Why an entry that is there cannot be written or removed as a file.
WriteResult notAFile(const struct stat &info)
{
    return S_ISDIR(info.st_mode) ? WriteResult::fromErrno(EISDIR)
                                 : WriteResult::failed(QStringLiteral("Not an ordinary file"));
}
#endif
} // namespace

WriteResult QtFileSystem::replaceFile(const QString &path, const QByteArray &bytes)
{
    return logged("Replacing", nativePath(path), replace(path, bytes));
}

WriteResult QtFileSystem::replace(const QString &path, const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    // Written through a link to the file it names, so that a settings file
    // an office shares by a link stays shared.
    const QByteArray target = linkTarget(nativeBytes(path));
    struct stat old;
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return notAFile(old);
    if (exists && ::access(target.constData(), W_OK) != 0)
        return WriteResult::fromErrno(errno);
    // A write of this computer killed between its last two steps left its
    // file here; this write may be the first in that folder since.
    PendingFile::removeAbandoned(folderOf(target));
    PendingFile file;
    if (!file.open(folderOf(target), exists ? old.st_mode & 07777 : 0666, m_unnamedFiles))
        return WriteResult::fromErrno(errno);
    // The file keeps its permissions, whatever the umask; it is on the disk
    // before it takes the old one's place, so a crash leaves one or the other.
    if (exists)
        (void)::fchmod(file.descriptor(), old.st_mode & 07777);
    return doneOrErrno(file.write(bytes) && ::fdatasync(file.descriptor()) == 0
                       && file.replace(target));
#else
    // QSaveFile writes through a link to the file it names.
    QSaveFile file(nativePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult::failed(file.errorString());
    // A short text stays in the file's buffer until commit, which does not
    // notice when writing it out fails (a full disk) and would put a cut
    // file in place of the old one: the buffer is written out, and checked,
    // first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return WriteResult::failed(why);
    }
    if (!file.commit())
        return WriteResult::failed(file.errorString());
    return WriteResult();
#endif
}

bool QtFileSystem::moveNoReplace(const QByteArray &from, const QByteArray &to) const
{
#ifdef Q_OS_UNIX
    return PendingFile::moveNoReplace(from, to, m_noReplaceRename);
#else
    // QDir::rename never replaces and, unlike QFile::rename, never copies.
    return QDir().rename(QFile::decodeName(from), QFile::decodeName(to));
#endif
}

WriteResult QtFileSystem::createNewFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = nativeBytes(path);
#ifdef Q_OS_UNIX
    // The file gets the mode any new file of the user's gets, and appears
    // whole under its name in one step that refuses a taken name, or not at all.
    PendingFile file;
    return logged("Creating", nativePath(path),
                  doneOrErrno(file.open(folderOf(target), 0666, m_unnamedFiles) && file.write(bytes)
                              && file.createAs(target, m_noReplaceRename)));
#else
    const QFileInfo info(QFile::decodeName(target));
    QTemporaryFile temp(info.absolutePath() + QStringLiteral("/.quotaro-XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return logged("Creating", nativePath(path), WriteResult::failed(temp.errorString()));
    temp.close();
    if (!moveNoReplace(QFile::encodeName(temp.fileName()), target))
        return logged("Creating", nativePath(path),
                      WriteResult::failed(QStringLiteral("The name is taken or cannot be used")));
    temp.setAutoRemove(false);
    return logged("Creating", nativePath(path), WriteResult());
#endif
}

WriteResult QtFileSystem::removeFile(const QString &path)
{
    const QByteArray native = nativeBytes(path);
#ifdef Q_OS_UNIX
    struct stat info;
    WriteResult result;
    if (::stat(native.constData(), &info) != 0)
        result = WriteResult::fromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        result = notAFile(info);
    else
        result = doneOrErrno(::unlink(native.constData()) == 0);
#else
    QFile file(nativePath(path));
    const WriteResult result = !QFileInfo(file).isFile()
        ? WriteResult::failed(QStringLiteral("Not an ordinary file"))
        : file.remove() ? WriteResult()
                        : WriteResult::failed(file.errorString());
#endif
    return logged("Removing", nativePath(path), result);
}

WriteResult QtFileSystem::renameFile(const QString &from, const QString &to)
{
    const QByteArray source = nativeBytes(from);
    WriteResult result;
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(source.constData(), &info) != 0)
        result = WriteResult::fromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        result = notAFile(info);
    else
        result = doneOrErrno(moveNoReplace(source, nativeBytes(to)));
#else
    if (!QFileInfo(nativePath(from)).isFile())
        result = WriteResult::failed(QStringLiteral("Not an ordinary file"));
    else if (!moveNoReplace(source, nativeBytes(to)))
        result = WriteResult::failed(QStringLiteral("The name is taken or cannot be used"));
#endif
    return logged("Renaming", nativePath(from) + QStringLiteral(" to ") + nativePath(to), result);
}

void QtFileSystem::removeLeftoverTemporaryFiles(const QString &folder)
{
#ifdef Q_OS_UNIX
    PendingFile::removeAbandoned(nativeBytes(folder));
#else
    Q_UNUSED(folder); // nothing shows which computer made a file here
#endif
}
