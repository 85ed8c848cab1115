#pragma once

#include "TestDoubles.h"

#include "platform/PendingFile.h"
#include "platform/QtFileSystem.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"

#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>

// The disk, refusing the changes a test run as root cannot make fail by permissions.
struct FaultyFileSystem : QtFileSystem {
    using QtFileSystem::QtFileSystem;
    WriteResult replaceFile(const QString &path, const QByteArray &bytes) override
    {
        writes.append(path);
        return allowed(path) ? QtFileSystem::replaceFile(path, bytes) : Refused;
    }
    WriteResult createNewFile(const QString &path, const QByteArray &bytes) override
    {
        if (beforeCreate)
            beforeCreate();
        writes.append(path);
        return allowed(path) ? QtFileSystem::createNewFile(path, bytes) : Refused;
    }
    WriteResult removeFile(const QString &p) override
    {
        return allowed(p) ? QtFileSystem::removeFile(p) : Refused;
    }
    WriteResult renameFile(const QString &from, const QString &to) override
    {
        return allowed(from) ? QtFileSystem::renameFile(from, to) : Refused;
    }
    inline static const WriteResult Refused = WriteResult::failed("refused");
    std::optional<QByteArray> readFile(const QString &p, QDateTime *m = nullptr) const override
    {
        return failReads || (readable && !readable(p)) ? std::nullopt
                                                       : QtFileSystem::readFile(p, m);
    }
    std::optional<QByteArray> readFileStart(const QString &p, qsizetype max) const override
    {
        return failReads || (readable && !readable(p)) ? std::nullopt
                                                       : QtFileSystem::readFileStart(p, max);
    }
    std::optional<QStringList> listTxtFiles(const QString &folder) const override
    {
        std::optional<QStringList> names = failReads ? std::nullopt
                                                     : QtFileSystem::listTxtFiles(folder);
        if (names) // those named in order first, in that order
            std::stable_sort(names->begin(), names->end(), [&](const QString &a, const QString &b) {
                return uint(order[folder].indexOf(a)) < uint(order[folder].indexOf(b));
            });
        return names;
    }

    bool failReads = false; // readFile, readFileStart and listTxtFiles fail
    std::function<bool(const QString &path)> readable; // asked on any thread before a read
    std::function<bool(const QString &path)> refuse; // a rename by its source
    QStringList writes; // every file replaced or created, in order
    std::function<void()> beforeCreate; // another computer at work on the shared folder
    QHash<QString, QStringList> order; // a folder's entries listed first, in this order
    bool allowed(const QString &path) const { return !(refuse && refuse(path)); }
};

// A file or folder that refuses every change, root's too, while this lives
// (when wanted: the immutable flag); reason() is what the system says then.
struct Immutable {
    Immutable(QString p, bool wanted = true) : path(std::move(p)), made(wanted && flag("+i")) {}
    ~Immutable() { (void)(made && flag("-i")); }
    bool flag(const char *f) const { return QProcess::execute("chattr", {f, path}) == 0; }
    static QString reason() { return QString::fromLocal8Bit(std::strerror(EPERM)); }
    QString path;
    bool made;
};

// Doubles over a temporary drive C:, in English (United States) unless told otherwise.
struct TestPlatform {
    explicit TestPlatform(const QLocale &qlocale = QLocale(QLocale::English, QLocale::UnitedStates))
        : files(dir.path() + QStringLiteral("/drive_c")),
          locale(qlocale), platform{messages, files,    locale, printers, fonts,
                                    launcher, instance, clock,  pages}
    {
        QDir().mkpath(dir.path() + QStringLiteral("/drive_c"));
        pages.documents = dir.path() + QStringLiteral("/Documents");
        QDir().mkpath(pages.documents);
    }

    void makeTree() // the complete settings tree, with no list entries
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
    void write(const QString &path, const QByteArray &bytes) // path: "C:\..."
    {
        QFile file(native(path));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray read(const QString &path) const
    {
        QFile file(native(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    bool exists(const QString &path) const { return QFileInfo::exists(native(path)); }
    void remove(const QString &path) { std::filesystem::remove_all(native(path).toStdString()); }
    void makeFolder(const QString &path) { QDir().mkpath(native(path)); }
    void addEntries(const QString &folder, const QStringList &entries) // empty, in order
    {
        makeFolder(folder);
        for (const QString &entry : entries)
            write(Paths::entryFile(folder, entry), QByteArray());
    }
    // An entry named by raw bytes (not always UTF-8): empty, or a link to linkTo.
    void makeRaw(const QString &folder, const QByteArray &name, const QByteArray &linkTo = {})
    {
        const QByteArray path = QFile::encodeName(native(folder)) + '/' + name;
        QCOMPARE(linkTo.isEmpty()
                     ? ::close(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644))
                     : ::symlink(linkTo.constData(), path.constData()),
                 0);
    }
    void age(const QString &path, int seconds) // modified that many seconds ago
    {
        QFile file(native(path));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                                 QFileDevice::FileModificationTime));
    }
    QString native(const QString &path) const { return files.nativePath(path); }

    QTemporaryDir dir;
    ScriptedMessageBoxes messages;
    FaultyFileSystem files;
    Locale locale;
    RecordingPrinters printers;
    FakeFonts fonts;
    RecordingLauncher launcher;
    FakeSingleInstance instance;
    FixedClock clock;
    ScriptedPageOutput pages;
    Settings settings;
    Platform platform;
};

// A temporary file name as this computer's writes give them, with fields (0
// host, 1 machine, 2 boot, 3 process id namespace, 4 process id, 5 its start)
// changed: by default, of a process that has ended.
inline QString temporaryNameWith(const QMap<int, QByteArray> &fields = {{4, "2147483647"}})
{
    QByteArrayList parts = PendingFile::temporaryName().split('.');
    for (auto it = fields.begin(); it != fields.end(); ++it)
        parts[it.key() + 2] = it.value();
    return QString::fromUtf8(parts.join('.'));
}

// Selects an item as a screen reader does; the current item stays where it was.
inline bool selectAsAssistiveTool(QWidget *view, const QString &itemText)
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
