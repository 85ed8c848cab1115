#include "platform/QtFileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

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
    // Files only, hidden ones left out; the name filter ignores letter case.
    QDirIterator it(native, {QStringLiteral("*.txt")}, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
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
