#include "TestPlatform.h"

#include "platform/gui/KeyFilters.h"
#include "platform/LockFileInstance.h"
#include "platform/Locale.h"
#include "platform/QtFileSystem.h"
#include "platform/QtFonts.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include <sys/stat.h>

class TestPlatformLayer : public QObject {
    Q_OBJECT
private slots:
    void numericTestFollowsTheLocale_data();
    void numericTestFollowsTheLocale();
    void numberFormsInTwoLocales();
    void singlePrecisionConversion();
    void fontFamiliesShowOnceByTheirPlainName();
    void dateUsesTheLocaleSeparator();
    void driveMapping();
    void noReplaceStepsRefuseAnyEntry_data();
    void noReplaceStepsRefuseAnyEntry();
    void digitFilterWithRealKeys();
    void secondInstanceIsSeenAndAStaleLockIsNot();
};

void TestPlatformLayer::numericTestFollowsTheLocale_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("en plain") << "en_US" << "10000" << true;
    QTest::newRow("en blanks") << "en_US" << "  25.5 " << true;
    QTest::newRow("en grouping") << "en_US" << "10,000" << true;
    QTest::newRow("en exponent") << "en_US" << "1e3" << true;
    QTest::newRow("en negative") << "en_US" << "-7" << true;
    QTest::newRow("en empty") << "en_US" << "" << false;
    QTest::newRow("en blank only") << "en_US" << "   " << false;
    QTest::newRow("en letters") << "en_US" << "12a" << false;
    QTest::newRow("en two points") << "en_US" << "1.2.3" << false;
    QTest::newRow("de comma decimal") << "de_DE" << "25,5" << true;
    QTest::newRow("de grouping") << "de_DE" << "10.000" << true;
    QTest::newRow("de letters") << "de_DE" << "abc" << false;
}

void TestPlatformLayer::numericTestFollowsTheLocale()
{
    QFETCH(QString, language);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(Locale(QLocale(language)).isNumeric(text), numeric);
}

void TestPlatformLayer::numberFormsInTwoLocales()
{
    const Locale en(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(en.currency(10000), QStringLiteral("$10,000.00"));
    // The locale's own negative form: accounting brackets in en_US.
    QCOMPARE(en.currency(-69.2307f), QStringLiteral("($69.23)"));
    QCOMPARE(en.fixed(25), QStringLiteral("25.00"));
    QCOMPARE(en.fixed(12345.678), QStringLiteral("12345.68"));
    QCOMPARE(en.fixed(0.5), QStringLiteral("0.50"));
    QCOMPARE(en.general(36.0f), QStringLiteral("36"));
    QCOMPARE(en.general(1.5f), QStringLiteral("1.5"));
    QCOMPARE(en.general(22.1f), QStringLiteral("22.1"));
    QCOMPARE(en.general(1234567.75f), QStringLiteral("1234568"));

    const Locale de(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(de.currency(10000), QStringLiteral("10.000,00\u00a0\u20ac"));
    QCOMPARE(de.currency(-5), QStringLiteral("-5,00\u00a0\u20ac"));
    QCOMPARE(de.fixed(12345.678), QStringLiteral("12345,68"));
    QCOMPARE(de.general(1.5f), QStringLiteral("1,5"));
}

void TestPlatformLayer::singlePrecisionConversion()
{
    const Locale en(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(en.toSingle(QStringLiteral("22.1")).value(), 22.1f);
    QCOMPARE(en.toSingle(QStringLiteral("036")).value(), 36.0f);
    QVERIFY(!en.toSingle(QStringLiteral("x")).has_value());
    // Beyond single or even double range: a number, too large to convert.
    for (const char *large : {"1e39", "1e400", "-1E+400"}) {
        QVERIFY(en.isNumeric(QLatin1String(large)));
        QVERIFY(!en.toSingle(QLatin1String(large)).has_value());
    }
    // The nearest single value, not the nearest single to the nearest double.
    const float above16M = std::nextafter(16777216.0f, 17e6f);
    QCOMPARE(en.toSingle(QStringLiteral("16777217.000000001")).value(), above16M);
    QCOMPARE(en.toSingle(QStringLiteral("1.0000000596046448")).value(), std::nextafter(1.0f, 2.0f));
    const Locale de(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(de.toSingle(QStringLiteral(" 16.777.217,000000001 ")).value(), above16M);
    QCOMPARE(de.toSingle(QStringLiteral("-2,5E-1")).value(), -0.25f);
    QCOMPARE(en.toSingle(QStringLiteral("1e-50")).value(), 0.0f);
}

void TestPlatformLayer::fontFamiliesShowOnceByTheirPlainName()
{
    QCOMPARE(QtFonts::plainFamilies({"Nimbus Sans [URW ]", "C059 [urw]", "arial", "C059 [UKWN]", "Z003"}),
             (QStringList{"arial", "C059", "Nimbus Sans", "Z003"}));
    const QStringList shown = QtFonts().families();
    QVERIFY(!shown.isEmpty());
    for (const QString &family : QFontDatabase::families())
        QVERIFY2(shown.contains(family.section(QStringLiteral(" ["), 0, 0)), qPrintable(family));
    for (const QString &family : shown)
        QVERIFY2(!family.contains(QLatin1Char('[')) && shown.count(family) == 1, qPrintable(family));
}

void TestPlatformLayer::dateUsesTheLocaleSeparator()
{
    const QDate day(2026, 3, 7);
    QCOMPARE(Locale(QLocale(QLocale::English, QLocale::UnitedKingdom)).date(day), QStringLiteral("07/03/2026"));
    QCOMPARE(Locale(QLocale(QLocale::German, QLocale::Germany)).date(day), QStringLiteral("07.03.2026"));
}

void TestPlatformLayer::driveMapping()
{
    const QtFileSystem fs(QStringLiteral("/tmp/drive"));
    QCOMPARE(fs.nativePath(QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes\\A.txt")),
             QStringLiteral("/tmp/drive/Program Files/Kestrane/Quotaro/Quotes/A.txt"));
    qputenv("XDG_DATA_HOME", "/home/someone/data");
    QCOMPARE(QtFileSystem::defaultDriveRoot(), QStringLiteral("/home/someone/data/quotaro/drive_c"));
}

void TestPlatformLayer::noReplaceStepsRefuseAnyEntry_data()
{
    // The entry that holds the name B.txt; both ways of moving a file.
    QTest::addColumn<QString>("taken");
    QTest::addColumn<bool>("linkFallback");
    for (const bool fallback : {false, true}) {
        for (const char *taken : {"file", "link to nothing", "folder", "upper case"})
            QTest::newRow(qPrintable(QString(taken) + (fallback ? ", link fallback" : ""))) << taken << fallback;
    }
}

void TestPlatformLayer::noReplaceStepsRefuseAnyEntry()
{
    QFETCH(QString, taken);
    QFETCH(bool, linkFallback);
    TestPlatform t;
    t.makeTree();
    t.files.setNoReplaceRenameAvailable(!linkFallback);
    const QString quotes = QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes");
    const QString a = quotes + QStringLiteral("\\A.txt"), b = quotes + QStringLiteral("\\B.txt");
    const QString outside = t.dir.path() + QStringLiteral("/outside.txt");
    t.write(a, "a");
    if (taken == QLatin1String("file"))
        t.write(b, "b");
    else if (taken == QLatin1String("link to nothing"))
        t.makeRaw(quotes, "B.txt", QFile::encodeName(outside));
    else if (taken == QLatin1String("folder"))
        t.makeFolder(b);
    else
        t.write(quotes + QStringLiteral("\\B.TXT"), "b");
    QCOMPARE(t.files.findTxtEntry(quotes, QStringLiteral("B")).has_value(), true);
    const QStringList before = QDir(t.native(quotes)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    // Nothing is written through the link, nothing replaced, nothing left over.
    if (taken != QLatin1String("upper case")) {
        QVERIFY(!t.files.createNewFile(b, "new"));
        QVERIFY(!t.files.renameFile(a, b));
    }
    QVERIFY(!QFileInfo::exists(outside));
    QCOMPARE(t.read(a), QByteArray("a"));
    QCOMPARE(QDir(t.native(quotes)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), before);

    // Once the name is free, both steps work, and a new file gets the mode
    // the umask gives.
    const mode_t umask = ::umask(027);
    QVERIFY(t.files.createNewFile(quotes + QStringLiteral("\\C.txt"), "c\r\n"));
    ::umask(umask);
    QCOMPARE(t.read(quotes + QStringLiteral("\\C.txt")), QByteArray("c\r\n"));
    QCOMPARE(QFileInfo(t.native(quotes + QStringLiteral("\\C.txt"))).permissions() & 0x7777,
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
                 | QFileDevice::ReadGroup);
    QVERIFY(t.files.renameFile(a, quotes + QStringLiteral("\\D.txt")));
    QCOMPARE(t.read(quotes + QStringLiteral("\\D.txt")), QByteArray("a"));
    QVERIFY(!t.exists(a));
    QVERIFY(!t.files.renameFile(a, quotes + QStringLiteral("\\E.txt"))); // the source is gone
    QVERIFY(!QtFileSystem::linkThenUnlink(QFile::encodeName(t.native(quotes + QStringLiteral("\\C.txt"))),
                                          QFile::encodeName(t.native(quotes + QStringLiteral("\\D.txt")))));
    QCOMPARE(t.read(quotes + QStringLiteral("\\D.txt")), QByteArray("a"));
}

void TestPlatformLayer::digitFilterWithRealKeys()
{
    QLineEdit edit;
    DigitKeyFilter::install(&edit);
    edit.show();
    QTest::keyClicks(&edit, QStringLiteral("1a2.-3 4"));
    QCOMPARE(edit.text(), QStringLiteral("1234"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QStringLiteral("23"));
    // Alt with a letter that is no access key types no letter either.
    QTest::keyClick(&edit, Qt::Key_K, Qt::AltModifier);
    QTest::keyClick(&edit, Qt::Key_5, Qt::AltModifier);
    QCOMPARE(edit.text(), QStringLiteral("523"));

    QComboBox combo;
    combo.setEditable(true);
    DigitKeyFilter::install(&combo);
    combo.show();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("x0y7"));
    QCOMPARE(combo.currentText(), QStringLiteral("07"));
}

void TestPlatformLayer::secondInstanceIsSeenAndAStaleLockIsNot()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/quotaro.lock");
    LockFileInstance first(path);
    QVERIFY(!first.anotherRunning());
    // A second process holding no lock sees the first one.
    LockFileInstance second(path);
    QVERIFY(second.anotherRunning());

    // A lock left by a process that is gone is not a running copy.
    QFile stale(dir.path() + QStringLiteral("/stale.lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nquotaro\n");
    stale.close();
    LockFileInstance after(dir.path() + QStringLiteral("/stale.lock"));
    QVERIFY(!after.anotherRunning());
}

QTEST_MAIN(TestPlatformLayer)
#include "test_platform.moc"
