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
#include <sys/wait.h>

class TestStore : public QObject {
    Q_OBJECT
    static QStringList folderEntries(const TestPlatform &t, const QString &folder)
    {
        return QDir(t.native(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    // A settings file's bytes and the value read from them: a page header
    // (t), or a value written as those bytes (w), only read from a hand-made
    // file (r), or refused (x) as no bytes would read it back whole.
    void settingsFilesReadBackWhole()
    {
        TestPlatform t;
        t.makeTree();
        for (const QString &row :
             QStringList{"Default\r\n|Default|w", "   1440\r\n|1440|r",
                         "HP Laser, 4th\r\n|HP Laser|r", "On\r\nOff\r\n|On|r",
                         "\"P, 2nd\"\r\n|P, 2nd|w", "\"A\",B\r\n|A|r", "Arial|Arial|r",
                         "Courier\nx|Courier|r", "\"Laser, floor 2\"\r\n|Laser, floor 2|w",
                         "\" Mono\"\r\n| Mono|w", "01000\r\n|01000|w", "\"Mono \"\r\n|Mono |w",
                         "Lab \"A\" 2\r\n|Lab \"A\" 2|w", "\"Принтер, 東京\"\r\n|Принтер, 東京|w",
                         "\"1,5\"\r\n|1,5|w", "Default\r\n|Lab \"A\", Room 2|x|Default",
                         "Default\r\n|\"Big\" Sans|x|Default", "Default\r\n|A\r\nB|x|Default",
                         // %K: 65535 bytes. A line of 64 KB is read; one byte more, quotes
                         // included, is not, so it is never written.
                         "%Ka\r\n|%Ka|w", "Default\r\n|%Kab|x|Default", "Default\r\n|%K,|x|Default",
                         "\n%Kab||r"}
                 + QStringList{"A\r\nB\r\n|A\r\nB\r\n|t", "A\r\nB|A\r\nB\r\n|t", "||t",
                               "\r\n|\r\n|t", "A\r\n\r\n|A\r\n\r\n|t", "A\nB\n|A\r\nB\r\n|t",
                               "A\rB\n\nC|A\r\nB\r\n\r\nC\r\n|t",
                               "\"Acme\", Ltd\r\n|\"Acme\", Ltd\r\n|t"}) {
            const QStringList c = row.split(u'|').replaceInStrings("%K", QString(21845, u'\u6f22'));
            const QString file = c[2] == "t" ? Paths::headerFile() : Paths::printerFile();
            const bool written = c[2] == "w" || c[2] == "x";
            t.write(file, written ? QByteArray("Default\r\n") : c[0].toUtf8());
            if (written)
                QCOMPARE(bool(Store::writeValueFile(t.files, file, c[1])), c[2] == "w");
            QCOMPARE(t.read(file), c[0].toUtf8());
            Settings s;
            QCOMPARE(int(readSettings(t.files, s).status), int(SettingsRead::Status::Read));
            QCOMPARE(c[2] == "t" ? s.page.PageHeader : s.printer.PrinterName, c.value(3, c[1]));
        }
        // A write replaces the whole file, ending it in CR LF, leaving no twin;
        // a text of more than 4 MB with it is not written. A file that is a
        // link is written where it leads, the link kept: here the end of a chain of 40
        // relative ones, as many as the system follows.
        const QString settings = Paths::footerFile().section(u'\\', 0, -2);
        t.remove(Paths::footerFile());
        t.makeFolder(settings + "\\chain");
        t.makeRaw(settings, "Footer.txt", "chain/1");
        for (int i = 1; i < 40; ++i)
            t.makeRaw(settings + "\\chain", QByteArray::number(i),
                      i < 39 ? QByteArray::number(i + 1) : "../Footer.real");
        QVERIFY(Store::writeTextFile(t.files, Paths::headerFile(), QStringLiteral("New\r\nTop"))
                && Store::writeTextFile(t.files, Paths::footerFile(), QString()));
        QVERIFY(!Store::writeTextFile(t.files, Paths::footerFile(), QString(4 << 20, u'x')));
        QCOMPARE(t.read(Paths::headerFile()) + t.read(Paths::footerFile()),
                 QByteArray("New\r\nTop\r\n\r\n"));
        QCOMPARE(folderEntries(t, settings),
                 (QStringList{"chain", "Footer.real", "Footer.txt", "Header.txt"}));
        QVERIFY(QFileInfo(t.native(Paths::footerFile())).isSymLink());

        // A file size limit (binding root too) makes the temporary twin fail
        // half-way: a long text as it is written, a short value when flushed;
        // unnamed, and named as on a share that refuses unnamed files.
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit small{3, old.rlim_max};
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        for (const QString &path : {Paths::headerFile(), Paths::fontFile(), Paths::footerFile()}) {
            t.files.setUnnamedFilesAvailable(path != Paths::footerFile());
            const QByteArray was = t.read(path);
            const QString folder = path.section(u'\\', 0, -2);
            const QStringList before = folderEntries(t, folder);
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
            const WriteResult written = path == Paths::fontFile()
                ? Store::writeValueFile(t.files, path, QStringLiteral("Courier"))
                : Store::writeTextFile(t.files, path, QString(40000, u'x'));
            ::setrlimit(RLIMIT_FSIZE, &old);
            QCOMPARE(written.reason(), QString::fromLocal8Bit(std::strerror(EFBIG)));
            QCOMPARE(t.read(path), was);
            QCOMPARE(folderEntries(t, folder), before);
            // Killed by it (SIGXFSZ) half-way: nothing is left, or on such a
            // share a file of this computer that the next start removes.
            const pid_t copy = ::fork();
            if (copy == 0) {
                std::signal(SIGXFSZ, SIG_DFL);
                const rlimit noCore{0, 0};
                if (::setrlimit(RLIMIT_CORE, &noCore) == 0
                    && ::setrlimit(RLIMIT_FSIZE, &small) == 0)
                    Store::writeTextFile(t.files, path, QString(40000, u'x'));
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(copy, &status, 0), copy);
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
            QCOMPARE(folderEntries(t, folder).size(),
                     before.size() + (path == Paths::footerFile()));
            // So is one of an earlier process given this one's id (its start differs).
            for (const QString &left : folderEntries(t, folder).filter(".quotaro-tmp.")) {
                QStringList f = left.split(u'.');
                f[6] = QString::number(::getpid()), f[7] = "0";
                t.write(folder + u'\\' + f.join(u'.'), "x");
            }
            t.files.removeLeftoverTemporaryFiles(folder);
            QCOMPARE(folderEntries(t, folder), before);
        }
        std::signal(SIGXFSZ, oldSignal);
    }

    // The initialiser makes a whole tree, never overwriting; entries are the
    // files ending .txt in any case, named by their bytes: one listed is not
    // made again beside itself, and deleting it removes that very file once.
    void theInitialTreeAndItsEntries()
    {
        TestPlatform t;
        QString error;
        QVERIFY(!StoreInitialiser::create(t.files, QStringLiteral("Arial"), &error).isEmpty());
        QCOMPARE(error, QString());
        for (const Paths::RequiredPath &p : Paths::requiredPaths())
            QVERIFY2(p.isFolder ? t.files.folderExists(p.path) : t.files.fileExists(p.path),
                     qPrintable(p.path));
        QCOMPARE(t.read(Paths::printerFile()) + t.read(Paths::boldFile()),
                 QByteArray("Default\r\nOff\r\n"));
        t.write(Paths::fontFile(), "Courier\r\n");
        t.remove(Paths::footerFile());
        QCOMPARE(StoreInitialiser::create(t.files, QStringLiteral("Arial"), &error),
                 QStringList{Paths::footerFile()});
        QCOMPARE(t.read(Paths::fontFile()), QByteArray("Courier\r\n"));
        // A font name of 64 KB is written and read back; one longer, never written.
        for (const QString &font :
             {QString(21845, u'\u6f22') + "ab", QString(21845, u'\u6f22') + "a"}) {
            TestPlatform f;
            const bool fits = font.size() == 21846;
            StoreInitialiser::create(f.files, font, &(error = QString()));
            QCOMPARE(error.endsWith(", a setting cannot be longer than 64 KB"), !fits);
            Settings s;
            QCOMPARE(readSettings(f.files, s).status,
                     fits ? SettingsRead::Status::Read : SettingsRead::Status::CannotRead);
            QCOMPARE(s.printer.PrinterFont, fits ? font : QString());
        }

        const QString quotes = Paths::quotesFolder();
        for (const char *file :
             {"readme.md", ".txt", "notes.txz", ".quotaro-AbC123", "8.TXT", "9.tXt", ".8.txt",
              "a.b.txt", "Caf\xe9 8.txt", "Caf\xc3\xa9 8.txt", "\xdf\xbf.txt",
              "\xf4\x8f\xbf\xbf.txt",
              "\xf4\x90\x80\x80.txt", // U+10FFFF, and past it no UTF-8
              "\xe9\xf0\x9f\x98\x80.txt"}) // a stray byte, then a character past U+FFFF
            t.makeRaw(quotes, file);
        t.makeFolder(quotes + QStringLiteral("\\folder.txt"));
        QStringList entries = Store::listEntries(t.files, quotes).value();
        entries.sort();
        QCOMPARE(entries.join(u'|'),
                 QStringLiteral(".8|8|9|Caf\u00e9 8|Caf") + QChar(0xDCE9) + " 8|a.b|"
                     + QString::fromUtf16(
                         u"\x07ff|\xdbff\xdfff|\xdce9\xd83d\xde00|\xdcf4\xdc90\xdc80\xdc80"));
        for (const QString &entry : entries) {
            QVERIFY(Store::entryExists(t.files, quotes, entry)
                    && !Store::createEntry(t.files, quotes, entry));
            QVERIFY(Store::deleteEntry(t.files, quotes, entry)
                    && !Store::entryExists(t.files, quotes, entry)
                    && !Store::deleteEntry(t.files, quotes, entry));
        }
        QCOMPARE(folderEntries(t, quotes),
                 QStringList({".quotaro-AbC123", ".txt", "folder.txt", "notes.txz", "readme.md"}));
        t.remove(quotes); // a folder that is gone has no list at all
        QVERIFY(!Store::listEntries(t.files, quotes).has_value());

        // Rates are written in the initialiser's locale, ready to pick there.
        const QLocale german(QLocale::German, QLocale::Germany), before;
        TestPlatform de(german);
        QLocale::setDefault(german);
        StoreInitialiser::create(de.files, QStringLiteral("Arial"), &error);
        QLocale::setDefault(before);
        QVERIFY(de.exists(Paths::entryFile(Paths::ratesFolder(), "22,50")));
        QCOMPARE(Paths::quoteFile(QStringLiteral("Acme 1")),
                 QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\Quotes\\Acme 1.txt"));
        // Old files are read as Windows-1252 unless they are UTF-8; all are written as UTF-8.
        QCOMPARE(TextCodec::encode(TextCodec::decode("\xe9 \x80") + TextCodec::decode("\xc3\xa9")),
                 QByteArray("\xc3\xa9 \xe2\x82\xac\xc3\xa9"));
        // Names a file system refuses or that lead out of their folder; the save box shows one.
        for (const char *name : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b",
                                 "a\tb", "a\x7f", "..", ""})
            QVERIFY2(!Store::isSafeFileName(name), name);
        QVERIFY(Store::isSafeFileName("a.b"));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
