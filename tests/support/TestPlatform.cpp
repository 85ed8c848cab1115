#include "TestPlatform.h"

#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

bool FaultyFileSystem::replaceFile(const QString &path, const QByteArray &bytes)
{
    writes.append(path);
    return allowed(path) && QtFileSystem::replaceFile(path, bytes);
}

bool FaultyFileSystem::createNewFile(const QString &path, const QByteArray &bytes)
{
    if (beforeCreate)
        beforeCreate();
    writes.append(path);
    return allowed(path) && QtFileSystem::createNewFile(path, bytes);
}

bool FaultyFileSystem::removeFile(const QString &path)
{
    return allowed(path) && QtFileSystem::removeFile(path);
}

bool FaultyFileSystem::renameFile(const QString &from, const QString &to)
{
    return allowed(from) && QtFileSystem::renameFile(from, to);
}

std::optional<QByteArray> FaultyFileSystem::readFile(const QString &path) const
{
    return failReads ? std::nullopt : QtFileSystem::readFile(path);
}

std::optional<QByteArray> FaultyFileSystem::readFileStart(const QString &path,
                                                          qsizetype maxBytes) const
{
    return failReads ? std::nullopt : QtFileSystem::readFileStart(path, maxBytes);
}

std::optional<QStringList> FaultyFileSystem::listTxtFiles(const QString &folder) const
{
    std::optional<QStringList> names = failReads ? std::nullopt
                                                 : QtFileSystem::listTxtFiles(folder);
    if (!names || !order.contains(folder))
        return names;
    QStringList ordered;
    for (const QString &name : order.value(folder) + *names)
        if (names->contains(name) && !ordered.contains(name))
            ordered.append(name);
    return ordered;
}

TestPlatform::TestPlatform(const QLocale &qlocale)
    : files(dir.path() + QStringLiteral("/drive_c")),
      locale(qlocale), platform{messages, files,    locale, printers, fonts,
                                launcher, instance, clock,  pages}
{
    QDir().mkpath(dir.path() + QStringLiteral("/drive_c"));
    pages.documents = dir.path() + QStringLiteral("/Documents");
    QDir().mkpath(pages.documents);
}

void TestPlatform::makeTree()
{
    const Settings fresh = freshSettings(QStringLiteral("Arial"));
    for (const SettingFile &setting : settingFiles()) {
        const QString text = setting.of(fresh);
        write(setting.path,
              (setting.form == SettingFile::Form::Value ? text + Store::CrLf : text).toUtf8());
    }
    write(Paths::integrationFile(), "");
    for (const QString &folder :
         {Paths::supportToolsFolder(), Paths::upfrontsFolder(), Paths::midsFolder(),
          Paths::finalsFolder(), Paths::ratesFolder(), Paths::quotesFolder()})
        makeFolder(folder);
}

void TestPlatform::write(const QString &path, const QByteArray &bytes)
{
    const QString target = native(path);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(target));
    file.write(bytes);
}

QByteArray TestPlatform::read(const QString &path) const
{
    QFile file(native(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

bool TestPlatform::exists(const QString &path) const { return QFileInfo::exists(native(path)); }

void TestPlatform::remove(const QString &path)
{
    const QString target = native(path);
    if (QFileInfo(target).isDir())
        QDir(target).removeRecursively();
    else
        QFile::remove(target);
}

void TestPlatform::makeFolder(const QString &path) { QDir().mkpath(native(path)); }

void TestPlatform::addEntries(const QString &folder, const QStringList &entries)
{
    makeFolder(folder);
    for (const QString &entry : entries)
        write(Paths::entryFile(folder, entry), QByteArray());
}

void TestPlatform::makeRaw(const QString &folder, const QByteArray &name, const QByteArray &linkTo)
{
    const QByteArray path = QFile::encodeName(native(folder)) + '/' + name;
    if (!linkTo.isEmpty()) {
        QVERIFY(::symlink(linkTo.constData(), path.constData()) == 0);
        return;
    }
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
}

void TestPlatform::age(const QString &path, int seconds)
{
    QFile file(native(path));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                             QFileDevice::FileModificationTime));
}

bool selectAsAssistiveTool(QWidget *view, const QString &itemText)
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(view);
    for (int i = 0; list && i < list->childCount(); ++i) {
        QAccessibleInterface *item = list->child(i);
        if (!item || item->text(QAccessible::Name) != itemText || !item->actionInterface())
            continue;
        if (!item->state().selected)
            item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        return item->state().selected;
    }
    return false;
}
