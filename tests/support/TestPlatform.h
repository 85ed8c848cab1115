#pragma once

#include "TestDoubles.h"

#include "platform/Locale.h"
#include "platform/Platform.h"
#include "platform/QtFileSystem.h"
#include "store/Settings.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

// A disk file system that can be told to fail, for the failures a test run
// as root cannot provoke with permissions.
class FaultyFileSystem : public QtFileSystem {
public:
    using QtFileSystem::QtFileSystem;
    bool replaceFile(const QString &path, const QByteArray &bytes) override;
    bool createNewFile(const QString &path, const QByteArray &bytes) override;
    bool removeFile(const QString &path) override;
    bool renameFile(const QString &from, const QString &to) override;
    std::optional<QByteArray> readFile(const QString &path) const override;
    std::optional<QStringList> listTxtFiles(const QString &folder) const override;

    bool failWrites = false;  // replace, create, remove and rename all fail
    bool failReads = false;   // readFile and listTxtFiles fail
};

// A whole platform of doubles over a temporary drive C:, with the locale
// pinned to English (United States) unless a test passes another.
class TestPlatform {
public:
    explicit TestPlatform(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates));

    // Creates the complete settings tree (with no list entries).
    void makeTree();
    // Writes a file of the tree: path is a program path ("C:\...").
    void write(const QString &path, const QByteArray &bytes);
    QByteArray read(const QString &path) const;
    bool exists(const QString &path) const;
    void remove(const QString &path);
    void makeFolder(const QString &path);
    // Creates empty entry files in a list folder, in the given order.
    void addEntries(const QString &folder, const QStringList &entries);

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
