#include "TestPlatform.h"

#include "store/Paths.h"

#include "platform/DesktopEditor.h"
#include "platform/gui/KeyFilters.h"
#include "platform/LockFileInstance.h"
#include "platform/Locale.h"
#include "platform/QtFileSystem.h"
#include "platform/gui/QtFonts.h"

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

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestPlatformLayer : public QObject {
    Q_OBJECT
private slots:
    void numbersAndDatesFollowTheLocale();
    void singlePrecisionConversion();
    void fontFamiliesShowOnceByTheirPlainName();
    void driveMapping();
    void noReplaceStepsRefuseAnyEntry();
    void digitFilterWithRealKeys();
    void leftoverLocksNeverBlockAStart();
    void aRunningCopyBlocksUntilItsProcessEnds();
    void editorCommandFromTheDesktopEntry_data();
    void editorCommandFromTheDesktopEntry();
    void textEditorIsTheTextPlainDefault();
};

namespace {
// A quote file name holding what a shell would act on: it must reach the
// editor as one argument, untouched.
const QString EditedFile = QStringLiteral("/home/ann/Quotes/Acme; rm -rf ~ $(id) \"x\".txt");
} // namespace

void TestPlatformLayer::numbersAndDatesFollowTheLocale()
{
    const Locale en(QLocale(QLocale::English, QLocale::UnitedStates));
    const Locale de(QLocale(QLocale::German, QLocale::Germany));
    for (const char *yes : {"10000", "  25.5 ", "10,000", "1e3", "-7"})
        QVERIFY2(en.isNumeric(QLatin1String(yes)), yes);
    for (const char *no : {"", "   ", "12a", "1.2.3"})
        QVERIFY2(!en.isNumeric(QLatin1String(no)), no);
    QVERIFY(de.isNumeric(QStringLiteral("25,5")) && de.isNumeric(QStringLiteral("10.000")));
    QVERIFY(!de.isNumeric(QStringLiteral("abc")));
    // The locale's own negative form: accounting brackets in en_US.
    QCOMPARE(QStringList(
                 {en.currency(10000), en.currency(-69.2307f), de.currency(10000), de.currency(-5)}),
             QStringList({"$10,000.00", "($69.23)", "10.000,00\u00a0\u20ac", "-5,00\u00a0\u20ac"}));
    QCOMPARE(QStringList({en.fixed(25), en.fixed(12345.678), en.fixed(0.5), de.fixed(12345.678)}),
             QStringList({"25.00", "12345.68", "0.50", "12345,68"}));
    QCOMPARE(QStringList({en.general(36.0f), en.general(1.5f), en.general(22.1f),
                          en.general(1234567.75f), de.general(1.5f)}),
             QStringList({"36", "1.5", "22.1", "1234568", "1,5"}));
    const QDate day(2026, 3, 7);
    QCOMPARE(Locale(QLocale(QLocale::English, QLocale::UnitedKingdom)).date(day),
             QStringLiteral("07/03/2026"));
    QCOMPARE(de.date(day), QStringLiteral("07.03.2026"));
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
    QCOMPARE(QtFonts::plainFamilies(
                 {"Nimbus Sans [URW ]", "C059 [urw]", "arial", "C059 [UKWN]", "Z003"}),
             (QStringList{"arial", "C059", "Nimbus Sans", "Z003"}));
    const QStringList shown = QtFonts().families();
    QVERIFY(!shown.isEmpty());
    for (const QString &family : QFontDatabase::families())
        QVERIFY2(shown.contains(family.section(QStringLiteral(" ["), 0, 0)), qPrintable(family));
    for (const QString &family : shown)
        QVERIFY2(!family.contains(QLatin1Char('[')) && shown.count(family) == 1,
                 qPrintable(family));
}

void TestPlatformLayer::driveMapping()
{
    const QtFileSystem fs(QStringLiteral("/tmp/drive"));
    QCOMPARE(fs.nativePath(QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes\\A.txt")),
             QStringLiteral("/tmp/drive/Program Files/Kestrane/Quotaro/Quotes/A.txt"));
    qputenv("XDG_DATA_HOME", "/home/someone/data");
    QCOMPARE(QtFileSystem::defaultDriveRoot(),
             QStringLiteral("/home/someone/data/quotaro/drive_c"));
}

void TestPlatformLayer::noReplaceStepsRefuseAnyEntry()
{
    // The entry that holds the name B.txt; both ways of moving a file.
    for (const bool fallback : {false, true}) {
        for (const QString taken : {"file", "link to nothing", "folder", "upper case"}) {
            TestPlatform t;
            t.makeTree();
            t.files.setNoReplaceRenameAvailable(!fallback);
            const auto q = [](const char *name) { return Paths::quotesFolder() + u'\\' + name; };
            const QString outside = t.dir.path() + QStringLiteral("/outside.txt");
            t.write(q("A.txt"), "a");
            if (taken == u"file" || taken == u"upper case")
                t.write(q(taken == u"file" ? "B.txt" : "B.TXT"), "b");
            else if (taken == u"folder")
                t.makeFolder(q("B.txt"));
            else
                t.makeRaw(Paths::quotesFolder(), "B.txt", QFile::encodeName(outside));
            QVERIFY(t.files.findTxtEntry(Paths::quotesFolder(), QStringLiteral("B")).has_value());
            const QDir quotes(t.native(Paths::quotesFolder()));
            const QStringList before = quotes.entryList(QDir::AllEntries | QDir::System
                                                        | QDir::NoDotAndDotDot);
            // Nothing is written through the link, nothing replaced, nothing left over.
            if (taken != u"upper case") {
                QVERIFY(!t.files.createNewFile(q("B.txt"), "new"));
                QVERIFY(!t.files.renameFile(q("A.txt"), q("B.txt")));
            }
            QVERIFY(!QFileInfo::exists(outside));
            QCOMPARE(t.read(q("A.txt")), QByteArray("a"));
            QCOMPARE(quotes.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                      | QDir::NoDotAndDotDot),
                     before);
            // Once the name is free, both steps work, and a new file gets
            // the mode the umask gives.
            const mode_t umask = ::umask(027);
            QVERIFY(t.files.createNewFile(q("C.txt"), "c\r\n"));
            ::umask(umask);
            QCOMPARE(t.read(q("C.txt")), QByteArray("c\r\n"));
            QCOMPARE(QFileInfo(t.native(q("C.txt"))).permissions() & 0x7777,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                         | QFileDevice::WriteUser | QFileDevice::ReadGroup);
            QVERIFY(t.files.renameFile(q("A.txt"), q("D.txt")));
            QCOMPARE(t.read(q("D.txt")), QByteArray("a"));
            QVERIFY(!t.exists(q("A.txt")));
            QVERIFY(!t.files.renameFile(q("A.txt"), q("E.txt"))); // the source is gone
            QVERIFY(!QtFileSystem::linkThenUnlink(QFile::encodeName(t.native(q("C.txt"))),
                                                  QFile::encodeName(t.native(q("D.txt")))));
            QCOMPARE(t.read(q("D.txt")), QByteArray("a"));
        }
    }
}

void TestPlatformLayer::digitFilterWithRealKeys()
{
    QLineEdit edit;
    QComboBox combo;
    combo.setEditable(true);
    for (QWidget *w : {static_cast<QWidget *>(&edit), static_cast<QWidget *>(&combo)}) {
        DigitKeyFilter::install(w);
        w->show();
    }
    QTest::keyClicks(&edit, QStringLiteral("1a2.-3 4"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    // Alt with a letter that is no access key types no letter either.
    QTest::keyClick(&edit, Qt::Key_K, Qt::AltModifier);
    QTest::keyClick(&edit, Qt::Key_5, Qt::AltModifier);
    QCOMPARE(edit.text(), QStringLiteral("523"));
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("x0y7"));
    QCOMPARE(combo.currentText(), QStringLiteral("07"));
}

void TestPlatformLayer::leftoverLocksNeverBlockAStart()
{
    // What is left at the runtime folder's lock path; the fall-back lock is
    // another folder of the user's.
    const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + "\nquotaro\n"
        + QSysInfo::machineHostName().toUtf8() + "\n";
    const std::pair<QByteArray, QString> rows[] = {{"", "file"},
                                                   {"\x01\xff garbage\n\n", "file"},
                                                   {"4242\nquotaro\nother-host\n", "file"},
                                                   {live, "file"},
                                                   {"", "folder"},
                                                   {"", "no folder"},
                                                   {"", "file for folder"}};
    for (const auto &[content, kind] : rows) {
        QTemporaryDir dir;
        const QString runtime = dir.path() + QStringLiteral("/run");
        const QStringList paths{runtime + QStringLiteral("/quotaro.lock"),
                                dir.path() + QStringLiteral("/quotaro.lock")};
        if (kind == u"file for folder")
            QVERIFY(QFile(runtime).open(QIODevice::WriteOnly));
        else if (kind != u"no folder")
            QVERIFY(QDir().mkpath(kind == u"folder" ? paths[0] : runtime));
        QFile file(paths[0]);
        if (kind == u"file")
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        LockFileInstance first(paths);
        QVERIFY2(!first.anotherRunning(), qPrintable(kind + content));
        // The lock was really taken: a second copy sees the first.
        QVERIFY(LockFileInstance(paths).anotherRunning());
    }
}

void TestPlatformLayer::aRunningCopyBlocksUntilItsProcessEnds()
{
    QTemporaryDir dir;
    const QStringList paths{dir.path() + QStringLiteral("/quotaro.lock")};
    int pipeEnds[2];
    QCOMPARE(::pipe(pipeEnds), 0);
    const pid_t copy = ::fork();
    if (copy == 0) {
        // The other copy: takes the lock, says so, and runs until killed.
        LockFileInstance running(paths);
        const char took = running.anotherRunning() ? 'n' : 'y';
        if (::write(pipeEnds[1], &took, 1) == 1)
            ::pause();
        ::_exit(1);
    }
    QVERIFY(copy > 0);
    char took = 0;
    QCOMPARE(::read(pipeEnds[0], &took, 1), ssize_t(1));
    QCOMPARE(took, 'y');
    QVERIFY(LockFileInstance(paths).anotherRunning());
    // Killed, it cleans nothing up, yet its lock goes with it.
    ::kill(copy, SIGKILL);
    QCOMPARE(::waitpid(copy, nullptr, 0), copy);
    QVERIFY(QFile::exists(paths[0]));
    QVERIFY(!LockFileInstance(paths).anotherRunning());
}

void TestPlatformLayer::editorCommandFromTheDesktopEntry_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QString>("more"); // other lines of the entry
    QTest::addColumn<QString>("command"); // program and arguments, "|" between; empty for none
    const char *rows[][4] = {
        {"URL list", "gedit %U", "", "gedit|@"},
        {"quoted program, options", "\"/opt/My Editor/edit\" --new-window %f", "",
         "/opt/My Editor/edit|--new-window|@"},
        {"no field code", "mousepad", "", "mousepad|@"},
        {"other codes dropped", "xed %i %c %k %F %U", "", "xed|@"},
        {"code inside an argument", "edit --file=%f --pct=50%%", "", "edit|--file=@|--pct=50%"},
        {"escapes", "\"ed\\\\\"it\" \"a\\sb\" %f", "", "ed\"it|a b|@"},
        {"terminal editor", "vim %F", "Terminal=true", "/usr/bin/x-terminal-emulator|-e|vim|@"},
        {"hidden", "gedit %U", "Hidden=true", ""},
        {"unclosed quote", "\"gedit %U", "", ""},
        {"code as program", "%f", "", ""}};
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
                              << QString::fromUtf8(row[3]);
}

void TestPlatformLayer::editorCommandFromTheDesktopEntry()
{
    QFETCH(QString, exec);
    QFETCH(QString, more);
    QFETCH(QString, command);
    QTemporaryDir dir;
    QFile entry(dir.path() + QStringLiteral("/editor.desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write(("[Desktop Entry]\nType=Application\nName=Editor\nExec=" + exec + "\n" + more
                 + "\n[Desktop Action new]\nExec=other %f\n")
                    .toUtf8());
    entry.close();
    const std::optional<DesktopEditor::Command> made = DesktopEditor::commandFor(
        entry.fileName(), EditedFile, QStringLiteral("/usr/bin/x-terminal-emulator"));
    QCOMPARE(made ? QStringList{made->program} + made->arguments : QStringList(),
             command.isEmpty() ? QStringList() : command.replace(u'@', EditedFile).split(u'|'));
}

void TestPlatformLayer::textEditorIsTheTextPlainDefault()
{
    QTemporaryDir dir;
    const auto write = [&](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(dir.path() + path).path());
        QFile file(dir.path() + path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const DesktopEditor::Places places{
        {dir.path() + "/config"}, {dir.path() + "/home", dir.path() + "/usr"}, {"xfce"}};
    QCOMPARE(DesktopEditor::defaultTextEditorEntry(places),
             QString()); // none set: the system opener
    for (const char *app :
         {"/usr/applications/org.gnome.gedit.desktop", "/usr/applications/kde/kate.desktop",
          "/home/applications/mousepad.desktop"})
        write(app, "[Desktop Entry]\nExec=x %U\n");
    // The system's default; an id's dash may stand for a subfolder.
    write("/usr/applications/defaults.list",
          "[Default Applications]\ntext/plain=kde-kate.desktop\n");
    QCOMPARE(DesktopEditor::defaultTextEditorEntry(places),
             dir.path() + "/usr/applications/kde/kate.desktop");
    // The user's choice wins; an entry that is gone is passed over; only
    // text/plain counts, never the type a file's content looks like.
    write("/config/mimeapps.list",
          "[Added Associations]\ntext/plain=mousepad.desktop\n"
          "[Default Applications]\ntext/html=mousepad.desktop\n"
          "text/plain=gone.desktop;org.gnome.gedit.desktop;\n");
    QCOMPARE(DesktopEditor::defaultTextEditorEntry(places),
             dir.path() + "/usr/applications/org.gnome.gedit.desktop");
    write("/config/xfce-mimeapps.list", "[Default Applications]\ntext/plain=mousepad.desktop\n");
    QCOMPARE(DesktopEditor::defaultTextEditorEntry(places),
             dir.path() + "/home/applications/mousepad.desktop");
}

QTEST_MAIN(TestPlatformLayer)
#include "test_platform.moc"
