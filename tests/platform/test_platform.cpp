#include "TestPlatform.h"

#include "store/Paths.h"

#include "platform/DesktopEditor.h"
#include "platform/gui/KeyFilters.h"
#include "platform/gui/QtFonts.h"
#include "platform/SingleCopyLock.h"

#include <QLineEdit>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestPlatformLayer : public QObject {
    Q_OBJECT
private slots:
    void numbersDatesAndFontsFollowTheSystem();
    void noReplaceStepsRefuseAnyEntry();
    void digitFilterWithRealKeys();
    void aLockBlocksOnlyWhileItsProcessRuns();
    void editorFromTheDesktopEntries();
};

void TestPlatformLayer::numbersDatesAndFontsFollowTheSystem()
{
    // Locale, what is done, text, result: "not" numeric, a single or "none".
    for (const char *row :
         {"en|read|  25.5 |25.5", "en|read|10,000|10000", "en|read|1e3|1000", "en|read|-7|-7",
          "en|read||not none", "en|read|   |not none", "en|read|12a|not none",
          "en|read|1.2.3|not none", "en|read|22.1|22.1000004", "en|read|036|36",
          "de|read|25,5|25.5", "de|read|10.000|10000", "en|read|1e39|none", "en|read|-1E+400|none",
          "en|read|1e-50|0",
          // The nearest single, not the nearest single to the nearest double.
          "en|read|1.0000000596046448|1.00000012", "de|read| 16.777.217,000000001 |16777218",
          "ar_EG|read|١٫٠٠٠٠٠٠٠٥٩٦٠٤٦٤٤٨|1.00000012", "de|read|-2,5E-1|-0.25", "en|general|1.5|1.5",
          "en|general|22.1|22.1", "en|general|1234567.75|1234568", "de|general|1.5|1,5",
          "en|fixed|0.5|0.50", "en_GB|date|2026-03-07|07/03/2026",
          "de|date|2026-03-07|07.03.2026"}) {
        const QStringList c = QString::fromUtf8(row).split(u'|');
        const Locale l{QLocale(c[0])};
        const std::optional<float> single = l.toSingle(c[2]);
        QString out = c[1] == u"fixed" ? l.fixed(c[2].toDouble())
            : c[1] == u"general"       ? l.general(c[2].toFloat())
            : c[1] == u"date"          ? l.date(QDate::fromString(c[2], Qt::ISODate))
                                       : QString(l.isNumeric(c[2]) ? "" : "not ")
                + (single ? QString::number(*single, 'g', 9) : QStringLiteral("none"));
        QCOMPARE(out + " from " + c[2], c[3] + " from " + c[2]);
    }
    QCOMPARE(QtFonts::plainFamilies(
                 {"Nimbus Sans [URW ]", "C059 [urw]", "arial", "C059 [UKWN]", "Z003"}),
             (QStringList{"arial", "C059", "Nimbus Sans", "Z003"}));
}

void TestPlatformLayer::noReplaceStepsRefuseAnyEntry()
{
    QCOMPARE(QtFileSystem("/d").nativePath("C:\\Program Files\\A.txt"), "/d/Program Files/A.txt");
    TestPlatform t;
    t.makeTree();
    const auto q = [](const char *name) { return Paths::quotesFolder() + u'\\' + name; };
    const QString outside = t.dir.path() + "/outside.txt";
    const QDir quotes(t.native(Paths::quotesFolder()));
    for (const char *name : {"A.txt", "B.txt", "U.TXT"})
        t.write(q(name), QByteArray(name, 1).toLower());
    t.makeRaw(Paths::quotesFolder(), "L.txt", QFile::encodeName(outside));
    t.makeFolder(q("F.txt"));
    // With and without the kernel's no-replace rename; nothing left over.
    for (const bool fallback : {false, true}) {
        t.files.setNoReplaceRenameAvailable(!fallback);
        t.files.setUnnamedFilesAvailable(!fallback);
        for (const char *taken : {"B.txt", "L.txt", "F.txt"}) {
            QVERIFY2(!t.files.createNewFile(q(taken), "new"), taken);
            QVERIFY2(!t.files.renameFile(q("A.txt"), q(taken)), taken);
        }
        QVERIFY(t.files.renameFile(q("A.txt"), q("D.txt")) && !t.exists(q("A.txt")));
        QVERIFY(t.files.renameFile(q("D.txt"), q("A.txt")));
        QVERIFY(!QFileInfo::exists(outside));
        QCOMPARE(t.read(q("A.txt")) + t.read(q("B.txt")), QByteArray("ab"));
        QCOMPARE(
            quotes.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"A.txt", "B.txt", "F.txt", "L.txt", "U.TXT"}));
    }
    const mode_t umask = ::umask(027);
    QVERIFY(t.files.createNewFile(q("C.txt"), "c\r\n"));
    ::umask(umask);
    QCOMPARE(int(QFileInfo(t.native(q("C.txt"))).permissions() & 0x7777), 0x6640); // rw-r-----
}

void TestPlatformLayer::digitFilterWithRealKeys()
{
    QLineEdit edit;
    DigitKeyFilter::install(&edit);
    QTest::keyClicks(&edit, QStringLiteral("1a2.-3 4"));
    QTest::keySequence(&edit, QKeySequence(QStringLiteral("Backspace, Home, Del")));
    // Alt with a letter that is no access key types no letter either.
    QTest::keyClick(&edit, Qt::Key_K, Qt::AltModifier);
    QTest::keyClick(&edit, Qt::Key_5, Qt::AltModifier);
    QCOMPARE(edit.text(), QStringLiteral("523"));
}

void TestPlatformLayer::aLockBlocksOnlyWhileItsProcessRuns()
{
    QTemporaryDir dir; // one tree, by its path and through a link, and another
    const QString tree = dir.path() + "/tree", link = dir.path() + "/link";
    QVERIFY(QDir().mkpath(tree) && QDir().mkpath(dir.path() + "/other") && QFile::link(tree, link));
    // The lock of a copy with no runtime folder and another home, or this
    // user's first name, or all 16, taken by a stranger (another user, only
    // root can try): with none left, no copy is refused.
    for (const int stranger : {0, 1, 16}) {
        if (stranger && ::geteuid() != 0)
            continue;
        int pipeEnds[2];
        QCOMPARE(::pipe(pipeEnds), 0);
        const pid_t copy = ::fork();
        if (copy == 0) {
            qunsetenv("XDG_RUNTIME_DIR");
            qputenv("HOME", "/nonexistent");
            SingleCopyLock running(link);
            QByteArrayList names;
            for (int attempt = 0; attempt < stranger; ++attempt)
                names << SingleCopyLock::lockName(tree, ::getuid(), attempt);
            bool took = stranger ? ::setuid(65534) == 0 : !running.anotherRunning();
            for (const QByteArray &name : names)
                took = took && SingleCopyLock::holdName(name) >= 0;
            if (took && ::write(pipeEnds[1], "y", 1) == 1)
                ::pause();
            ::_exit(1);
        }
        QVERIFY(copy > 0);
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
        char took = 0;
        const bool told = ::read(pipeEnds[0], &took, 1) == 1;
        SingleCopyLock here(tree);
        const QList<bool> running{here.anotherRunning(), SingleCopyLock(link).anotherRunning(),
                                  SingleCopyLock(dir.path() + "/other").anotherRunning()};
        ::kill(copy, SIGKILL); // before any check, which could leave it running
        QCOMPARE(::waitpid(copy, nullptr, 0), copy);
        QVERIFY(told && took == 'y');
        QCOMPARE(running, QList<bool>({!stranger, stranger < 16, false}));
    }
    // A copy killed cleans nothing up, yet its lock goes with it.
    QVERIFY(!SingleCopyLock(link).anotherRunning());
}

void TestPlatformLayer::editorFromTheDesktopEntries()
{
    TestPlatform t; // its drive C: holds the entries and lists
    // The quote file ("@") reaches the editor as one argument, untouched.
    const QString edited = QStringLiteral("/home/ann/Quotes/Acme; rm -rf ~ $(id) \"x\".txt");
    for (const char *row :
         {"gedit %U => gedit|@", "mousepad => mousepad|@", "xed %i %c %k %F %U => xed|@",
          "\"/opt/My Editor/edit\" --new-window %f => /opt/My Editor/edit|--new-window|@",
          "edit --file=%f --pct=50%% => edit|--file=@|--pct=50%",
          "edit %d %D %n %N %v %m -x%n%m %f => edit|-x|@",
          "edit \t\"\"  -x\"\"y %f \"\" => edit||-xy|@|", "\\sedit %f\\s => edit|@",
          "\"ed\\\\\"it\" \"a\\sb\" %f => ed\"it|a b|@",
          "vim %F\nTerminal=true => /usr/bin/x-terminal-emulator|-e|vim|@",
          "gedit %U\nHidden=true => ", "\"gedit %U => ", "%f => ", "sh -c \"/bin/ed %f\" => "}) {
        const QStringList c = QString::fromUtf8(row).split(" => ");
        t.write("C:\\e.desktop",
                "[Desktop Entry]\nExec=" + c[0].toUtf8()
                    + "\n[Desktop Action new]\nExec=other %f\n");
        const auto made = DesktopEditor::commandFor(t.native("C:\\e.desktop"), edited,
                                                    "/usr/bin/x-terminal-emulator");
        QCOMPARE(made ? QStringList{made->program} + made->arguments : QStringList(),
                 c[1].isEmpty() ? QStringList() : QString(c[1]).replace(u'@', edited).split(u'|'));
    }
    // The text/plain defaults: user's over system's, the desktop's over both;
    // then the applications the MIME cache lists. No list that is not a
    // regular file is waited for; no entry with a quoted field code is run,
    // nor one named by an id holding a "/" (only a "-" stands for a folder).
    const DesktopEditor::Places places{
        {t.native("C:\\c")}, {t.native("C:\\h"), t.native("C:\\u")}, {"xfce"}};
    for (const char *app :
         {"u/applications/org.gnome.gedit=gedit %U", "u/applications/kde/kate=kate",
          "h/applications/mousepad=mousepad %U", "h/applications/shell=sh -c \"mousepad %f\""}) {
        const QStringList c = QString::fromUtf8(app).split(u'=');
        t.write("C:\\" + c[0] + ".desktop", "[Desktop Entry]\nExec=" + c[1].toUtf8() + "\n");
    }
    // Started with its standard input closed, the first file it opens is 0.
    const int input = ::dup(0);
    ::close(0);
    for (const char *step :
         {" =>  => ",
          "u/applications/mimeinfo.cache => [MIME "
          "Cache]\ntext/plain=shell.desktop;kde/kate.desktop;"
          "mousepad.desktop => mousepad",
          "h/applications/mimeapps.list => FIFO => mousepad",
          "u/applications/defaults.list => text/plain=kde-kate.desktop => kate,mousepad",
          "c/mimeapps.list => "
          "text/html=mousepad.desktop\ntext/plain=gone.desktop;org.gnome.gedit.desktop;\n"
          "[Added Associations]\ntext/plain=mousepad.desktop => gedit,kate,mousepad",
          // Neither piece of a line too long for a key file is a key; a
          // last line without its line end is one.
          "c/xfce-mimeapps.list => text/plain=kde-kate.desktop;LONGtext/plain=kde-kate.desktop\n"
          "text/plain=shell.desktop;"
          "mousepad.desktop => mousepad,gedit,kate"}) {
        const QStringList c = QString::fromUtf8(step).split(" => ");
        if (c[1] == u"FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(t.native("C:\\" + c[0])), 0600), 0);
        else if (!c[0].isEmpty())
            t.write("C:\\" + c[0],
                    (c[1].startsWith(u'[') ? "" : "[Default Applications]\n")
                        + c[1].toUtf8().replace("LONG", QByteArray(64 * 1024 - 29, 'x')));
        QStringList programs;
        for (const DesktopEditor::Command &command : DesktopEditor::editorCommands(places, "f", ""))
            programs.append(command.program);
        QCOMPARE(programs.join(u','), c[2]);
    }
    QVERIFY(input < 0 || (::dup2(input, 0) == 0 && ::close(input) == 0));
}

QTEST_MAIN(TestPlatformLayer)
#include "test_platform.moc"
