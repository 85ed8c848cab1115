#include "platform/QtFileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
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

bool QtFileSystem::fileExists(const QString &path) const
{
    const QFileInfo info(nativePath(path));
    return info.exists() && info.isFile();
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
    DIR *dir = ::opendir(QFile::encodeName(native).constData());
    if (!dir)
        return std::nullopt;
    const int fd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        const size_t length = std::strlen(name);
        // Hidden files (and "." and "..") are left out; the ending ignores
        // letter case.
        if (name[0] == '.' || length < 4 || ::strncasecmp(name + length - 4, ".txt", 4) != 0)
            continue;
        bool file = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            file = ::fstatat(fd, name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (file)
            names.append(QFile::decodeName(QByteArray(name, qsizetype(length))));
    }
    ::closedir(dir);
#else
    // Files only, hidden ones left out; the name filter ignores letter case.
    QDirIterator it(native, {QStringLiteral("*.txt")}, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
#endif
    return names;
}

std::optional<QByteArray> QtFileSystem::readFile(const QString &path) const
{
    QFile file(nativePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
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
    QSaveFile file(nativePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool QtFileSystem::createNewFile(const QString &path, const QByteArray &bytes)
{
    const QString target = nativePath(path);
    const QFileInfo info(target);
    if (info.exists())
        return false;
    QTemporaryFile temp(info.absolutePath() + QStringLiteral("/.quotaro-XXXXXX"));
    if (!temp.open())
        return false;
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return false;
    temp.close();
    // rename() never replaces an existing file, so a name taken meanwhile is
    // refused rather than overwritten.
    if (!QFile::rename(temp.fileName(), target))
        return false;
    temp.setAutoRemove(false);
    return true;
}

bool QtFileSystem::removeFile(const QString &path)
{
    const QString native = nativePath(path);
    if (!QFileInfo(native).isFile())
        return false;
    return QFile::remove(native);
}

bool QtFileSystem::renameFile(const QString &from, const QString &to)
{
    const QString source = nativePath(from);
    const QString target = nativePath(to);
    if (!QFileInfo(source).isFile() || QFileInfo::exists(target))
        return false;
    return QFile::rename(source, target);
}
