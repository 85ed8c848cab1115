#pragma once

#include "TestDoubles.h"

#include "platform/Locale.h"
#include "platform/Platform.h"
#include "platform/QtFileSystem.h"
#include "store/Settings.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <functional>

// The disk, told to refuse chosen changes (the failures a test run as root
// cannot provoke with permissions), to list a folder in a set order (a real
// one lists in an order of its own), and recording what it wrote.
class FaultyFileSystem : public QtFileSystem {
public:
    using QtFileSystem::QtFileSystem;
    bool replaceFile(const QString &path, const QByteArray &bytes) override;
    bool createNewFile(const QString &path, const QByteArray &bytes) override;
    bool removeFile(const QString &path) override;
    bool renameFile(const QString &from, const QString &to) override;
    std::optional<QByteArray> readFile(const QString &path) const override;
    std::optional<QByteArray> readFileStart(const QString &path, qsizetype maxBytes) const override;
    std::optional<QStringList> listTxtFiles(const QString &folder) const override;

    bool failWrites = false; // every replace, create, remove and rename fails
    bool failReads = false; // readFile, readFileStart and listTxtFiles fail
    // Refuses the change of a path (a rename is refused by its source).
    std::function<bool(const QString &path)> refuse;
    QStringList writes; // every file replaced or created, in order
    // Runs just before a new file is created: another computer sharing the
    // folder at work between the program's look and its write.
    std::function<void()> beforeCreate;
    // Entry files named here come first, in this order, when their folder is listed.
    QHash<QString, QStringList> order;

private:
    bool allowed(const QString &path) const { return !failWrites && !(refuse && refuse(path)); }
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
    // An entry of a folder named by raw bytes (not always valid UTF-8): an
    // empty file, or a symbolic link to linkTo (which need not exist).
    void makeRaw(const QString &folder, const QByteArray &name, const QByteArray &linkTo = {});

    void age(const QString &path, int seconds); // modified that many seconds ago
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

class QWidget;
// Selects the item of a list as a screen reader or an automation tool does,
// through the accessibility interface: the item shows as selected, and the
// current item stays where it was. False when no item has the text.
bool selectAsAssistiveTool(QWidget *view, const QString &itemText);
