#include "TestPlatform.h"

#include "StoreInitialiser.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
QStringList folderEntries(const TestPlatform &t, const QString &folder)
{
    return QDir(t.native(folder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void readField();
    void valuesReadBackWholeOrAreRefused_data();
    void valuesReadBackWholeOrAreRefused();
    void textFilesReadLineByLine();
    void writesReplaceWholeOrLeaveTheOldFile();
    void entriesAreFoundAsTheFolderHoldsThem_data();
    void entriesAreFoundAsTheFolderHoldsThem();
    void namesAndTextsOnDisk();
    void initialiserCreatesACompleteTreeAndNeverOverwrites();
};

void TestStore::readField()
{
    const char *rows[][2] = {{"Default\r\n", "Default"},
                             {"   1440\r\n", "1440"},
                             {"HP Laser, 4th\r\n", "HP Laser"},
                             {"On\r\nOff\r\n", "On"},
                             {"\"P, 2nd\"\r\n", "P, 2nd"},
                             {"\"A\",B\r\n", "A"},
                             {"Arial", "Arial"},
                             {"", ""},
                             {"Courier\nx", "Courier"}};
    for (const auto &[content, field] : rows)
        QCOMPARE(Store::readField(QString::fromUtf8(content)), QString::fromUtf8(field));
}

void TestStore::valuesReadBackWholeOrAreRefused_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("bytes"); // empty: no way of writing it that reads back whole
    const char *rows[][2] = {{"Office Laser", "Office Laser\r\n"},
                             {"Laser, floor 2", "\"Laser, floor 2\"\r\n"},
                             {" Mono", "\" Mono\"\r\n"},
                             {"01000", "01000\r\n"},
                             {"Mono ", "\"Mono \"\r\n"},
                             {"Lab \"A\" 2", "Lab \"A\" 2\r\n"},
                             {"Принтер, 東京", "\"Принтер, 東京\"\r\n"},
                             {"1,5", "\"1,5\"\r\n"},
                             {"Lab \"A\", Room 2", ""},
                             {"\"Big\" Sans", ""},
                             {"A\r\nB", ""}};
    for (const auto &[value, bytes] : rows)
        QTest::newRow(value) << QString::fromUtf8(value) << QByteArray(bytes);
}

void TestStore::valuesReadBackWholeOrAreRefused()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, bytes);
    TestPlatform t;
    t.makeTree();
    QCOMPARE(Store::writeValueFile(t.files, Paths::printerFile(), value), !bytes.isEmpty());
    QCOMPARE(t.read(Paths::printerFile()), bytes.isEmpty() ? QByteArray("Default\r\n") : bytes);
    Settings read;
    QCOMPARE(int(readSettings(t.files, read).status), int(SettingsRead::Status::Read));
    QCOMPARE(read.printer.PrinterName, bytes.isEmpty() ? QStringLiteral("Default") : value);
}

void TestStore::textFilesReadLineByLine()
{
    const char *rows[][2] = {{"A\r\nB\r\n", "A\r\nB\r\n"},
                             {"A\r\nB", "A\r\nB\r\n"},
                             {"", ""},
                             {"\r\n", "\r\n"},
                             {"A\r\n\r\n", "A\r\n\r\n"},
                             {"A\nB\n", "A\r\nB\r\n"},
                             {"\"Acme\", Ltd\r\n", "\"Acme\", Ltd\r\n"}};
    TestPlatform t;
    t.makeTree();
    for (const auto &[bytes, text] : rows) {
        t.write(Paths::headerFile(), bytes);
        Settings read;
        QCOMPARE(int(readSettings(t.files, read).status), int(SettingsRead::Status::Read));
        QCOMPARE(read.page.PageHeader, QString::fromUtf8(text));
    }
}

void TestStore::writesReplaceWholeOrLeaveTheOldFile()
{
    TestPlatform t;
    t.makeTree();
    t.write(Paths::headerFile(), "a much longer old header\r\nwith two lines\r\n");
    QVERIFY(Store::writeTextFile(t.files, Paths::headerFile(), QStringLiteral("New\r\nTop")));
    QCOMPARE(t.read(Paths::headerFile()), QByteArray("New\r\nTop\r\n"));
    QVERIFY(Store::writeTextFile(t.files, Paths::footerFile(), QString()));
    QCOMPARE(t.read(Paths::footerFile()), QByteArray("\r\n"));
    const QString pageFolder = QStringLiteral(
        "C:\\Program Files\\Kestrane\\Quotaro\\Page Settings");
    QCOMPARE(folderEntries(t, pageFolder), (QStringList{"Footer.txt", "Header.txt"}));

    // The disk refuses the temporary twin's bytes half-way (a file size
    // limit binds root too, where folder permissions do not): the old file
    // stays whole and no twin is left. A long text fails as it is written;
    // a short value only when it is flushed at the end.
    rlimit old{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    for (const QString &path : {Paths::headerFile(), Paths::fontFile()}) {
        rlimit small = old;
        small.rlim_cur = 3;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const QByteArray was = t.read(path);
        const QString folder = path.section(u'\\', 0, -2);
        const QStringList before = folderEntries(t, folder);
        const bool written = path == Paths::fontFile()
            ? Store::writeValueFile(t.files, path, QStringLiteral("Courier"))
            : Store::writeTextFile(t.files, path, QString(40000, u'x'));
        ::setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!written);
        QCOMPARE(t.read(path), was);
        QCOMPARE(folderEntries(t, folder), before);
    }
    std::signal(SIGXFSZ, oldSignal);
}

void TestStore::entriesAreFoundAsTheFolderHoldsThem_data()
{
    // An entry on disk by the bytes of its name, and the entry text listed.
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entry");
    QTest::newRow("upper-case ending") << QByteArray("8.TXT") << "8";
    QTest::newRow("mixed-case ending") << QByteArray("8.tXt") << "8";
    QTest::newRow("leading dot") << QByteArray(".8.txt") << ".8";
    QTest::newRow("dots inside") << QByteArray("a.b.txt") << "a.b";
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
    // Nothing but ordinary files ending .txt: no folder, no other ending,
    // no leftover temporary file.
    for (const char *other : {"readme.md", ".txt", ".quotaro-AbC123"})
        t.makeRaw(Paths::ratesFolder(), other);
    t.makeFolder(Paths::ratesFolder() + QStringLiteral("\\folder.txt"));
    t.makeRaw(Paths::ratesFolder(), file);
    QCOMPARE(Store::listEntries(t.files, Paths::ratesFolder()).value(), QStringList{entry});
    // It exists, so it is not made again beside itself, and deleting it
    // removes the very file that was listed, once.
    QVERIFY(Store::entryExists(t.files, Paths::ratesFolder(), entry));
    QVERIFY(!Store::createEntry(t.files, Paths::ratesFolder(), entry));
    QVERIFY(Store::deleteEntry(t.files, Paths::ratesFolder(), entry));
    QVERIFY(!Store::entryExists(t.files, Paths::ratesFolder(), entry));
    QVERIFY(!Store::deleteEntry(t.files, Paths::ratesFolder(), entry));
    QVERIFY(Store::listEntries(t.files, Paths::ratesFolder()).value().isEmpty());
    // Made again, it is an empty file.
    QVERIFY(Store::createEntry(t.files, Paths::ratesFolder(), entry));
    QCOMPARE(t.files.readFile(Paths::ratesFolder() + u'\\' + entry + ".txt"), QByteArray());
    // A link leading nowhere holds its name too; nothing is made through it.
    const QString outside = t.dir.path() + QStringLiteral("/outside.txt");
    t.makeRaw(Paths::ratesFolder(), "Planted.txt", QFile::encodeName(outside));
    QVERIFY(Store::entryExists(t.files, Paths::ratesFolder(), QStringLiteral("Planted")));
    QVERIFY(!Store::createEntry(t.files, Paths::ratesFolder(), QStringLiteral("Planted")));
    QVERIFY(!QFileInfo::exists(outside));
    // A folder that is gone has no list at all.
    t.remove(Paths::midsFolder());
    QVERIFY(!Store::listEntries(t.files, Paths::midsFolder()).has_value());
}

void TestStore::namesAndTextsOnDisk()
{
    QCOMPARE(Paths::quoteFile(QStringLiteral("Acme 1")),
             QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes\\Acme 1.txt"));
    QCOMPARE(Paths::integrationFile(),
             QStringLiteral(
                 "C:\\Program Files\\Kestrane\\Quotaro\\Intergration Settings\\Intergration.txt"));
    QCOMPARE(Paths::requiredPaths().size(), 17);
    QCOMPARE(TextCodec::decode(QByteArray("Caf\xe9 \x80 5")), QStringLiteral("Caf\u00e9 \u20ac 5"));
    QCOMPARE(TextCodec::decode(QByteArray("Caf\xc3\xa9")), QStringLiteral("Caf\u00e9"));
    QCOMPARE(TextCodec::encode(QStringLiteral("\u20ac")), QByteArray("\xe2\x82\xac"));
    QVERIFY(Store::isSafeFileName(QStringLiteral("Acme Ltd 12")));
    QVERIFY(Store::isSafeFileName(QStringLiteral("a.b")));
    for (const char *unsafe :
         {"..\\x", "a/b", "C:x", "a*", "a?", "a\"b", "a<b", "a|b", "a\tb", "..", ""})
        QVERIFY2(!Store::isSafeFileName(QString::fromUtf8(unsafe)), unsafe);
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
