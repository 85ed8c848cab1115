#include "TestPlatform.h"

#include "StoreInitialiser.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void pathsAreTheFixedWindowsPaths();
    void readField_data();
    void readField();
    void valuesReadBackWholeOrAreRefused_data();
    void valuesReadBackWholeOrAreRefused();
    void textFilesReadLineByLine_data();
    void textFilesReadLineByLine();
    void writesAreWholeReplacementsEndingInOneCrLf();
    void failedWriteLeavesTheOldFileWhole();
    void listEntriesMatchTxtInAnyCaseAndDropFourCharacters();
    void entriesAreFoundAsTheFolderHoldsThem_data();
    void entriesAreFoundAsTheFolderHoldsThem();
    void listEntriesOfAMissingFolderIsEmptyOptional();
    void entriesAreCreatedEmptyAndDeletedByName();
    void oldWindowsTextIsReadAsWindows1252();
    void unsafeFileNames_data();
    void unsafeFileNames();
    void initialiserCreatesACompleteTreeAndNeverOverwrites();
};

void TestStore::pathsAreTheFixedWindowsPaths()
{
    QCOMPARE(Paths::printerFile(),
             QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings\\Printer.txt"));
    QCOMPARE(Paths::integrationFile(),
             QStringLiteral(
                 "C:\\Program Files\\Kestrane\\Quotaro\\Intergration Settings\\Intergration.txt"));
    QCOMPARE(Paths::quoteFile(QStringLiteral("Acme 1")),
             QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes\\Acme 1.txt"));
    const QVector<Paths::RequiredPath> required = Paths::requiredPaths();
    QCOMPARE(required.size(), 17);
    QCOMPARE(required.at(9).path, Paths::footerFile());
    QCOMPARE(required.at(11).path, Paths::supportToolsFolder());
    QVERIFY(required.at(11).isFolder && !required.at(10).isFolder);
    QCOMPARE(required.last().path, QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes"));
}

void TestStore::readField_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "Default\r\n"
                           << "Default";
    QTest::newRow("leading spaces") << "   1440\r\n"
                                    << "1440";
    QTest::newRow("cut at comma") << "HP LaserJet, 4th floor\r\n"
                                  << "HP LaserJet";
    QTest::newRow("first line only") << "On\r\nOff\r\n"
                                     << "On";
    QTest::newRow("quoted runs to next quote") << "\"Printer, 2nd floor\"\r\n"
                                               << "Printer, 2nd floor";
    QTest::newRow("quoted then more") << "\"A\",B\r\n"
                                      << "A";
    QTest::newRow("no line end") << "Arial"
                                 << "Arial";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("lone line feed") << "Courier\nx"
                                    << "Courier";
}

void TestStore::readField()
{
    QFETCH(QString, content);
    QFETCH(QString, field);
    QCOMPARE(Store::readField(content), field);
}

void TestStore::valuesReadBackWholeOrAreRefused_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain stays plain") << "Office Laser" << QByteArray("Office Laser\r\n");
    QTest::newRow("comma") << "Laser, floor 2" << QByteArray("\"Laser, floor 2\"\r\n");
    QTest::newRow("leading space") << " Mono" << QByteArray("\" Mono\"\r\n");
    QTest::newRow("digits") << "01000" << QByteArray("01000\r\n");
    QTest::newRow("blanks at both ends") << "  Mono  " << QByteArray("\"  Mono  \"\r\n");
    QTest::newRow("trailing blank") << "Mono " << QByteArray("\"Mono \"\r\n");
    QTest::newRow("quote inside") << "Lab \"A\" 2" << QByteArray("Lab \"A\" 2\r\n");
    QTest::newRow("non-Latin, comma")
        << "Принтер, 東京" << QString("\"Принтер, 東京\"\r\n").toUtf8();
    QTest::newRow("decimal comma") << "1,5" << QByteArray("\"1,5\"\r\n");
    // No way of writing these reads back whole: refused, nothing written.
    QTest::newRow("quote and comma") << "Lab \"A\", Room 2" << QByteArray();
    QTest::newRow("leading quote") << "\"Big\" Sans" << QByteArray();
    QTest::newRow("line break") << "A\r\nB" << QByteArray();
}

void TestStore::valuesReadBackWholeOrAreRefused()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, bytes);
    TestPlatform t;
    t.makeTree();
    QCOMPARE(Store::writeValueFile(t.files, Paths::printerFile(), value), !bytes.isEmpty());
    if (bytes.isEmpty()) {
        QCOMPARE(t.read(Paths::printerFile()), QByteArray("Default\r\n"));
        return;
    }
    QCOMPARE(t.read(Paths::printerFile()), bytes);
    Settings read;
    QCOMPARE(int(readSettings(t.files, read).status), int(SettingsRead::Status::Read));
    QCOMPARE(read.printer.PrinterName, value);
}

void TestStore::textFilesReadLineByLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("two lines") << QByteArray("A\r\nB\r\n") << "A\r\nB\r\n";
    QTest::newRow("no final line end") << QByteArray("A\r\nB") << "A\r\nB\r\n";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("one empty line") << QByteArray("\r\n") << "\r\n";
    QTest::newRow("trailing empty line") << QByteArray("A\r\n\r\n") << "A\r\n\r\n";
    QTest::newRow("unix line ends") << QByteArray("A\nB\n") << "A\r\nB\r\n";
    QTest::newRow("commas and quotes kept")
        << QByteArray("\"Acme\", Ltd\r\n") << "\"Acme\", Ltd\r\n";
}

void TestStore::textFilesReadLineByLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestPlatform t;
    t.makeTree();
    t.write(Paths::headerFile(), bytes);
    Settings read;
    QCOMPARE(int(readSettings(t.files, read).status), int(SettingsRead::Status::Read));
    QCOMPARE(read.page.PageHeader, text);
}

void TestStore::writesAreWholeReplacementsEndingInOneCrLf()
{
    TestPlatform t;
    t.makeTree();
    t.write(Paths::headerFile(), "a much longer old header\r\nwith two lines\r\n");
    QVERIFY(Store::writeTextFile(t.files, Paths::headerFile(), QStringLiteral("New\r\nTop")));
    QCOMPARE(t.read(Paths::headerFile()), QByteArray("New\r\nTop\r\n"));
    QVERIFY(Store::writeTextFile(t.files, Paths::footerFile(), QString()));
    QCOMPARE(t.read(Paths::footerFile()), QByteArray("\r\n"));
    // No temporary file is left beside it.
    const QStringList left =
        QDir(t.native(QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Page Settings")))
            .entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, (QStringList{QStringLiteral("Footer.txt"), QStringLiteral("Header.txt")}));
}

void TestStore::failedWriteLeavesTheOldFileWhole()
{
    TestPlatform t;
    t.makeTree();
    // A folder where the file's temporary twin would have to go makes the
    // write fail: the old file must stay as it was.
    const QString folder = t.native(
        QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings"));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool root = QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    QFile::remove(folder + QStringLiteral("/probe"));
    if (!root) {
        QVERIFY(!Store::writeValueFile(t.files, Paths::fontFile(), QStringLiteral("Courier")));
        QCOMPARE(t.read(Paths::fontFile()), QByteArray("Arial\r\n"));
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The same through a file system that refuses every write.
    t.files.failWrites = true;
    QVERIFY(!Store::writeValueFile(t.files, Paths::fontFile(), QStringLiteral("Courier")));
    QCOMPARE(t.read(Paths::fontFile()), QByteArray("Arial\r\n"));
}

void TestStore::listEntriesMatchTxtInAnyCaseAndDropFourCharacters()
{
    TestPlatform t;
    t.makeTree();
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\notes.txt"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\7.TXT"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\a.b.txt"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\readme.md"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\.5.txt"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\.txt"), "");
    t.write(Paths::upfrontsFolder() + QStringLiteral("\\.quotaro-AbC123"), "");
    t.makeFolder(Paths::upfrontsFolder() + QStringLiteral("\\folder.txt"));
    QStringList entries = Store::listEntries(t.files, Paths::upfrontsFolder()).value();
    entries.sort();
    QCOMPARE(entries,
             (QStringList{QStringLiteral(".5"), QStringLiteral("7"), QStringLiteral("a.b"),
                          QStringLiteral("notes")}));
}

void TestStore::entriesAreFoundAsTheFolderHoldsThem_data()
{
    // An entry on disk by the bytes of its name, and the entry text listed.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entry");
    QTest::newRow("upper-case ending") << QByteArray("8.TXT") << "8";
    QTest::newRow("mixed-case ending") << QByteArray("8.tXt") << "8";
    QTest::newRow("leading dot") << QByteArray(".8.txt") << ".8";
    QTest::newRow("not UTF-8") << QByteArray("Caf\xe9 8.txt")
                               << QStringLiteral("Caf") + QChar(0xDCE9) + QStringLiteral(" 8");
    QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 8.txt") << QStringLiteral("Caf\u00e9 8");
}

void TestStore::entriesAreFoundAsTheFolderHoldsThem()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entry);
    TestPlatform t;
    t.makeTree();
    t.makeRaw(Paths::ratesFolder(), file);
    QCOMPARE(Store::listEntries(t.files, Paths::ratesFolder()).value(), QStringList{entry});
    // It exists, so it is not made again beside itself, and deleting it
    // removes the very file that was listed.
    QVERIFY(Store::entryExists(t.files, Paths::ratesFolder(), entry));
    QVERIFY(!Store::createEntry(t.files, Paths::ratesFolder(), entry));
    QVERIFY(Store::deleteEntry(t.files, Paths::ratesFolder(), entry));
    QCOMPARE(QDir(t.native(Paths::ratesFolder()))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(!Store::entryExists(t.files, Paths::ratesFolder(), entry));
    // A link leading nowhere holds its name too; nothing is made through it.
    const QString outside = t.dir.path() + QStringLiteral("/outside.txt");
    t.makeRaw(Paths::ratesFolder(), "Planted.txt", QFile::encodeName(outside));
    QVERIFY(Store::entryExists(t.files, Paths::ratesFolder(), QStringLiteral("Planted")));
    QVERIFY(!Store::createEntry(t.files, Paths::ratesFolder(), QStringLiteral("Planted")));
    QVERIFY(!QFileInfo::exists(outside));
}

void TestStore::listEntriesOfAMissingFolderIsEmptyOptional()
{
    TestPlatform t;
    t.makeTree();
    t.remove(Paths::ratesFolder());
    QVERIFY(!Store::listEntries(t.files, Paths::ratesFolder()).has_value());
    QVERIFY(Store::listEntries(t.files, Paths::midsFolder()).value().isEmpty());
}

void TestStore::entriesAreCreatedEmptyAndDeletedByName()
{
    TestPlatform t;
    t.makeTree();
    QVERIFY(!Store::entryExists(t.files, Paths::ratesFolder(), QStringLiteral("7.00")));
    QVERIFY(Store::createEntry(t.files, Paths::ratesFolder(), QStringLiteral("7.00")));
    QVERIFY(Store::entryExists(t.files, Paths::ratesFolder(), QStringLiteral("7.00")));
    QCOMPARE(t.read(Paths::ratesFolder() + QStringLiteral("\\7.00.txt")), QByteArray());
    QVERIFY(Store::deleteEntry(t.files, Paths::ratesFolder(), QStringLiteral("7.00")));
    QVERIFY(!t.exists(Paths::ratesFolder() + QStringLiteral("\\7.00.txt")));
    QVERIFY(!Store::deleteEntry(t.files, Paths::ratesFolder(), QStringLiteral("7.00")));
}

void TestStore::oldWindowsTextIsReadAsWindows1252()
{
    QCOMPARE(TextCodec::decode(QByteArray("Caf\xe9 \x80 5")), QStringLiteral("Caf\u00e9 \u20ac 5"));
    QCOMPARE(TextCodec::decode(QByteArray("Caf\xc3\xa9")), QStringLiteral("Caf\u00e9"));
    QCOMPARE(TextCodec::encode(QStringLiteral("\u20ac")), QByteArray("\xe2\x82\xac"));
}

void TestStore::unsafeFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("ordinary") << "Acme Ltd 12" << true;
    QTest::newRow("dots inside") << "a.b" << true;
    QTest::newRow("backslash") << "..\\x" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("colon") << "C:x" << false;
    QTest::newRow("star") << "a*" << false;
    QTest::newRow("question") << "a?" << false;
    QTest::newRow("quote") << "a\"b" << false;
    QTest::newRow("angle") << "a<b" << false;
    QTest::newRow("bar") << "a|b" << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("only dots") << ".." << false;
    QTest::newRow("empty") << "" << false;
}

void TestStore::unsafeFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(Store::isSafeFileName(name), safe);
}

void TestStore::initialiserCreatesACompleteTreeAndNeverOverwrites()
{
    TestPlatform t;
    QString error;
    const mode_t mask = ::umask(022);
    QVERIFY(!StoreInitialiser::create(t.files, QStringLiteral("Arial"), &error).isEmpty());
    ::umask(mask);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    // Files get the mode the umask gives, as other programs' new files do.
    QCOMPARE(QFileInfo(t.native(Paths::printerFile())).permissions(),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                 | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    for (const Paths::RequiredPath &p : Paths::requiredPaths())
        QVERIFY2(p.isFolder ? t.files.folderExists(p.path) : t.files.fileExists(p.path),
                 qPrintable(p.path));
    QCOMPARE(t.read(Paths::printerFile()), QByteArray("Default\r\n"));
    QCOMPARE(t.read(Paths::boldFile()), QByteArray("Off\r\n"));
    QVERIFY(!Store::listEntries(t.files, Paths::ratesFolder()).value().isEmpty());

    // Rates are written in the locale the initialiser runs in, so a user
    // where the decimal separator is a comma can pick them at once.
    const QLocale german(QLocale::German, QLocale::Germany);
    TestPlatform de(german);
    const QLocale before;
    QLocale::setDefault(german);
    StoreInitialiser::create(de.files, QStringLiteral("Arial"), &error);
    QLocale::setDefault(before);
    const QStringList rates = Store::listEntries(de.files, Paths::ratesFolder()).value();
    QVERIFY(rates.contains(QStringLiteral("22,50")));
    for (const QString &rate : rates)
        QVERIFY2(de.locale.toSingle(rate).has_value(), qPrintable(rate));

    t.write(Paths::fontFile(), "Courier\r\n");
    t.remove(Paths::footerFile());
    const QStringList again = StoreInitialiser::create(t.files, QStringLiteral("Arial"), &error);
    QCOMPARE(again, QStringList{Paths::footerFile()});
    QCOMPARE(t.read(Paths::fontFile()), QByteArray("Courier\r\n"));
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
