// The find quotes window driven as a user drives it: the search as words are typed, the table
// of fields and its sorting, a reading the user stops, the saved quotes window's actions on the
// chosen quote, and the CSV a spreadsheet reads.
#include "WidgetDriver.h"

#include "savedquotes/frmFindQuotes.h"
#include "store/Paths.h"

#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProgressBar>
#include <QTableView>
#include <memory>

namespace {
// name=text of each quote file, "~" standing for CR LF; Bolt 2 was saved in German, and
// notes has a letter past U+FFFF (a bold M, found as "m").
const QStringList Quotes{
    "Acme 10=Acme Bath Ltd~~05/01/2026~~Kestrel Leasing~~Equipment details:~~Forklift truck, side "
    "shift and positioner~~"
    "Rental details:~~Upfront rental: \t$2,700.00~36 Monthly rentals: \t$900.00~"
    "Final rental:   \t$900.00~~",
    "Acme 9=Müller Landtechnik GmbH~Hauptstraße 4~~20/12/2025~~~~Rental details:~~"
    "24 Monthly rentals: \t$1,200.00~~",
    "Bolt 2=Bolt, \"Nuts\"\nCo~Dock Road~~01.06.2025~~~~Rental details:~~"
    "36 Monthly rentals: \t1.234,50\u00a0€~Final rental:   \t617,25\u00a0€~~",
    "notes=Shopping list~𝐌ilk~"};
const QDateTime Saved(QDate(2026, 1, 2), QTime(3, 4, 5));
const QString NoPrint = "No quote to print: Please open a quote to print ! (Exclamation)";

struct Finder {
    Finder()
    {
        t.makeTree();
        t.settings.printer = {"Office Laser", "Arial", "10", "Off", "Off", "Off", "1440", "720"};
        for (const QString &quote : Quotes) {
            const QString path = Paths::quoteFile(quote.section('=', 0, 0));
            t.write(path, quote.section('=', 1).replace('~', "\r\n").toUtf8());
            QFile file(t.native(path));
            QVERIFY(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(Saved, QFileDevice::FileModificationTime));
        }
    }
    bool open()
    {
        w = std::make_unique<frmFindQuotes>(t.platform, t.settings);
        return showActive(w.get()) && QTest::qWaitFor([this] { return !w->isReading(); });
    }
    QTableView *table() { return child<QTableView>(w.get(), "tblQuotes"); }
    QString cell(int row, int column)
    {
        return table()->model()->index(row, column).data().toString();
    }
    // The names shown, in order, and the status line; with all, every column of each row.
    QString shown(bool all = false)
    {
        QStringList rows;
        for (int row = 0; row < table()->model()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < (all ? 8 : 1); ++column)
                cells << cell(row, column);
            rows << cells.join('|');
        }
        return rows.join(all ? "\n" : ",") + " / " + child<QLabel>(w.get(), "lblStatus")->text();
    }
    // Keys as typed into the search box: '^' selects all of it, '\b' is Backspace.
    bool type(const QString &keys)
    {
        QWidget *box = child(w.get(), "txtFind");
        box->setFocus();
        for (const QChar c : keys) {
            if (c == '^')
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            else if (c.unicode() < 128)
                QTest::keyClicks(box, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key(0), QString(c), Qt::NoModifier);
        }
        return QTest::qWaitFor([this] { return !w->isSearching(); });
    }
    void choose(const QString &name)
    {
        const QModelIndexList at = table()->model()->match(
            table()->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        QVERIFY(!at.isEmpty());
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(at[0]).center());
    }
    void sortBy(int column)
    {
        QHeaderView *header = table()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(column) + 5, header->height() / 2});
    }
    QString told()
    {
        const QStringList lines = said(t.messages);
        t.messages.clear();
        return lines.join('|');
    }

    TestPlatform t;
    std::unique_ptr<frmFindQuotes> w;
};
} // namespace

class TestFindQuotes : public QObject {
    Q_OBJECT
private slots:
    // Every word typed, in any case, with or without accents, in the name or anywhere in the
    // text; each key narrows or widens what the key before found.
    void searchAsTyped()
    {
        Finder f; // one file ending in capitals, read by its own spelling
        QVERIFY(QFile::rename(f.t.native(Paths::quoteFile("notes")),
                              f.t.native(Paths::quotesFolder() + "\\notes.TXT")));
        QVERIFY(f.open());
        checkFrame(f.w.get(), "Find quotes",
                   {"txtFind", "tblQuotes", "txtQuote", "cmdPrint", "cmdPrintPreview",
                    "cmdExportPdf", "cmdEdit", "cmdExportCsv", "cmdClose"});
        for (const QString step :
             {"|Acme 9,Acme 10,Bolt 2,notes / 4 of 4 quotes", "^müller|Acme 9 / 1 of 4 quotes",
              "^MULLER|Acme 9 / 1 of 4 quotes", "^hauptstrasse|Acme 9 / 1 of 4 quotes",
              "^acme|Acme 9,Acme 10 / 2 of 4 quotes", " forklift|Acme 10 / 1 of 4 quotes",
              "\b\b\b\b\b\b\b\b\b|Acme 9,Acme 10 / 2 of 4 quotes", "^notes|notes / 1 of 4 quotes",
              "^milk|notes / 1 of 4 quotes", "^$900.00|Acme 10 / 1 of 4 quotes",
              "^1.234,50|Bolt 2 / 1 of 4 quotes", "^05/01/2026|Acme 10 / 1 of 4 quotes",
              "^nuts road|Bolt 2 / 1 of 4 quotes", "^side shift|Acme 10 / 1 of 4 quotes",
              "^zebra| / 0 of 4 quotes", "^\b|Acme 9,Acme 10,Bolt 2,notes / 4 of 4 quotes"}) {
            QVERIFY(f.type(step.section('|', 0, 0)));
            QCOMPARE(f.shown(), step.section('|', 1));
        }
        f.choose("Acme 10"); // stays chosen and shown while the search keeps it
        QVERIFY(f.type("forklift") && f.table()->currentIndex().row() == 0);
        QCOMPARE(textOf(f.w.get(), "txtQuote").left(13) + f.shown(),
                 "Acme Bath LtdAcme 10 / 1 of 4 quotes");
        QVERIFY(f.type("^zebra") && textOf(f.w.get(), "txtQuote").isEmpty());
        QCOMPARE(f.told(), QString());
        f.t.remove(Paths::quotesFolder()); // gone since start-up: told, and nothing listed
        QVERIFY(f.open());
        QCOMPARE(f.told() + f.shown(),
                 "Find quotes: The directory (" + Paths::quotesFolder()
                     + ") cannot be read ! (Exclamation) / 0 of 0 quotes");
    }

    // The fields of each quote's layout, as many as it has, sorted by a column's values; the
    // entries listed are the saved quotes window's, odd ones included, and the chosen one stays.
    void fieldsAndSorting()
    {
        Finder f;
        f.t.files.readable = [](const QString &path) { return !path.contains("Gone"); };
        const QString quotes = Paths::quotesFolder();
        f.t.write(quotes + "\\Gone 1.txt", "07/03/2026\r\n");
        f.t.makeRaw(quotes, "Caf\xe9 3.txt");
        f.t.makeRaw(quotes, "Link 4.txt", "Acme 9.txt");
        f.t.makeRaw(quotes, "Broken 5.txt", "gone");
        f.t.makeFolder(quotes + "\\Folder 6.txt");
        QVERIFY(f.open());
        const QString cafe = "Caf" + QString(QChar(0xDCE9)) + " 3";
        QCOMPARE(
            f.shown(true),
            QStringList(
                {"Acme 9|20/12/2025|Müller Landtechnik GmbH|$1,200.00|24|||02/01/2026 03:04",
                 "Acme 10|05/01/2026|Acme Bath Ltd|$900.00|36|$2,700.00|$900.00|02/01/2026 03:04",
                 "Bolt 2|01/06/2025|Bolt, "
                 "\"Nuts\"\nCo|1.234,50\u00a0€|36||617,25\u00a0€|02/01/2026 03:04",
                 cafe + "|||||||" + f.cell(3, 7), "Gone 1|||||||",
                 "Link 4|20/12/2025|Müller Landtechnik GmbH|$1,200.00|24|||02/01/2026 03:04",
                 "notes|||||||02/01/2026 03:04 / 7 of 7 quotes"})
                .join('\n'));
        f.choose("Bolt 2");
        for (const auto &[column, order] :
             {std::pair{1, "CAFE,Gone 1,notes,Bolt 2,Acme 9,Link 4,Acme 10"},
              {1, "Acme 10,Acme 9,Link 4,Bolt 2,CAFE,Gone 1,notes"},
              {3, "CAFE,Gone 1,notes,Acme 10,Acme 9,Link 4,Bolt 2"},
              {5, "Acme 9,Bolt 2,CAFE,Gone 1,Link 4,notes,Acme 10"},
              {0, "Acme 9,Acme 10,Bolt 2,CAFE,Gone 1,Link 4,notes"}}) {
            f.sortBy(column);
            QCOMPARE(f.shown(), QString(order).replace("CAFE", cafe) + " / 7 of 7 quotes");
            QCOMPARE(f.cell(f.table()->currentIndex().row(), 0), "Bolt 2");
        }
        QCOMPARE(textOf(f.w.get(), "txtQuote").left(15), "Bolt, \"Nuts\"\nCo");
        f.choose("Gone 1");
        QCOMPARE(f.told(), "Quote not read: The quote Gone 1 cannot be read ! (Exclamation)");
        QCOMPARE(textOf(f.w.get(), "txtQuote"), QString());
        f.sortBy(3); // a new search (not narrowing the last) keeps the order
        QVERIFY(f.type("x") && f.type("^2"));
        QCOMPARE(f.shown(), "Acme 10,Acme 9,Link 4,Bolt 2 / 4 of 7 quotes");
        f.t.remove(quotes); // a name that is not UTF-8 is more than the temporary folder can
    }

    // The bar busy until the folder is listed; the first quotes show while the rest is read;
    // typing goes on meanwhile. Escape or Stop ends the reading, with what was under way, and
    // Escape closes the window after.
    void readingStopped()
    {
        for (const bool byEscape : {true, false}) {
            Finder f;
            f.t.files.order[Paths::quotesFolder()] = {"Acme 9.txt", "Acme 10.txt", "Bolt 2.txt",
                                                      "notes.txt"};
            QSemaphore gate;
            QMutex lock;
            QStringList read;
            f.t.files.readable = [&](const QString &path) {
                QMutexLocker locked(&lock);
                read << QFileInfo(QString(path).replace('\\', '/')).baseName();
                locked.unlock();
                return !path.contains("Acme 10") || gate.tryAcquire(1, 20000);
            };
            f.w = std::make_unique<frmFindQuotes>(f.t.platform, f.t.settings);
            auto *bar = child<QProgressBar>(f.w.get(), "pgbReading");
            QVERIFY(bar->maximum() == 0 && showActive(f.w.get())); // busy until listed
            QTRY_COMPARE(f.shown(), "Acme 9,notes / 2 of 4 quotes");
            QVERIFY(f.type("müller") && f.w->isReading());
            QCOMPARE(f.shown(), "Acme 9 / 1 of 4 quotes");
            QVERIFY(bar->isVisible());
            if (byEscape)
                press(Qt::Key_Escape);
            else
                click(f.w.get(), "cmdStop");
            QVERIFY(f.w->isVisible() && f.w->isReading());
            gate.release();
            QTRY_VERIFY(!f.w->isReading());
            QCOMPARE(f.shown(), "Acme 9 / 1 of 4 quotes"); // what came in is searched too
            QVERIFY(f.type("^\b"));
            QCOMPARE(f.shown(), "Acme 9,Acme 10,notes / 3 of 4 quotes");
            QVERIFY(!bar->isVisible() && !child(f.w.get(), "cmdStop")->isVisible()
                    && !read.contains("Bolt 2"));
            press(Qt::Key_Escape);
            QTRY_VERIFY(!f.w->isVisible());
        }
    }

    // Print quote, Print preview, Export as PDF and Edit quote act on the chosen quote as the
    // saved quotes window acts on the open one; with none chosen or its file gone, they refuse,
    // even with a file of its name in other letters left (the twin of Acme 10.TXT).
    void actionsOnTheChosenQuote()
    {
        Finder f;
        f.t.write(Paths::quotesFolder() + "\\Acme 10.TXT", "Twin\r\n");
        QVERIFY(f.open());
        for (const char *button : {"cmdPrint", "cmdPrintPreview", "cmdExportPdf", "cmdEdit"})
            click(f.w.get(), button);
        QCOMPARE(f.told(),
                 NoPrint + '|' + NoPrint + '|' + NoPrint
                     + "|No quote to edit: Please open a quote to edit ! (Exclamation)");
        f.choose("Acme 9");
        QCOMPARE(textOf(f.w.get(), "txtQuote"),
                 "Müller Landtechnik GmbH\nHauptstraße 4\n\n20/12/2025\n\n\n\nRental details:\n\n"
                 "24 Monthly rentals: \t$1,200.00\n");
        for (const char *button : {"cmdPrint", "cmdPrintPreview", "cmdExportPdf", "cmdEdit"})
            click(f.w.get(), button);
        QCOMPARE(f.t.printers.lastJob().lines(1440).mid(3, 2),
                 QStringList({"Müller Landtechnik GmbH", "Hauptstraße 4"}));
        QCOMPARE(f.t.pages.previewed, QStringList("Office Laser | Acme 9"));
        QCOMPARE(f.t.launcher.editorFiles, QStringList(f.t.native(Paths::quoteFile("Acme 9"))));
        QCOMPARE(f.told(),
                 "Printing: The quote Acme 9 has been sent to the printer Office Laser "
                 "(Information)|Quote exported: The quote has been saved as "
                     + QDir::toNativeSeparators(f.t.pages.documents + "/Acme 9.pdf")
                     + " (Information)|Edit quote: You will need to refresh the quote once you "
                       "have edited it in order to view the changes ! (Information)");
        f.t.remove(Paths::quotesFolder() + "\\Acme 10.TXT");
        QVERIFY(f.type("twin")); // each read from its own file
        QCOMPARE(f.shown(), "Acme 10 / 1 of 5 quotes");
        f.choose("Acme 10");
        click(f.w.get(), "cmdPrint");
        QCOMPARE(f.told(),
                 "Quote not found: The quote Acme 10 cannot be found ! (Exclamation)|" + NoPrint);
    }

    // The rows shown, in the order shown, read back by a real CSV reader to the same fields;
    // a write that fails says so and leaves no file behind.
    void exportAsCsv()
    {
        Finder f;
        QVERIFY(f.open());
        f.sortBy(1);
        f.sortBy(1); // the latest date first
        QVERIFY(f.type("^36"));
        click(f.w.get(), "cmdExportCsv");
        const QString csv = f.t.pages.documents + "/Quotes 2026-03-07.csv";
        QCOMPARE(f.t.pages.proposed, QStringList(csv));
        QCOMPARE(f.told(),
                 "Quotes exported: The quotes have been saved as " + QDir::toNativeSeparators(csv)
                     + " (Information)");
        QProcess python;
        python.start("python3",
                     {"-c",
                      "import csv, json, sys\n"
                      "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                      "    print(json.dumps(list(csv.reader(f, strict=True))))",
                      csv});
        QVERIFY(python.waitForFinished() && python.exitCode() == 0);
        QStringList rows;
        for (const QJsonValue row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
            rows << row.toVariant().toStringList().join('|');
        const QString saved = Saved.toString("yyyy-MM-dd HH:mm:ss");
        QCOMPARE(rows,
                 QStringList({"Name|Date|Customer|Monthly rental|Mids|Upfront rental|Final "
                              "rental|Saved",
                              "Acme 10|2026-01-05|Acme Bath Ltd|900.00|36|2700.00|900.00|" + saved,
                              "Bolt 2|2025-06-01|Bolt, \"Nuts\"\nCo|1234.50|36||617.25|" + saved}));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.endsWith("\r\n") && written.count("\r\n") == 3 && written.count('\n') == 4);
        QVERIFY(written.contains("\r\nAcme 10,2026-01-05,Acme Bath Ltd,900.00,36,")); // unquoted
        f.t.pages.answer = f.t.pages.documents; // a folder: the file cannot take its place
        click(f.w.get(), "cmdExportCsv");
        QVERIFY(f.told().startsWith("Quotes not exported: The quotes could not be saved as "
                                    + QDir::toNativeSeparators(f.t.pages.documents) + ": "));
        QCOMPARE(QDir(f.t.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestFindQuotes)
#include "test_findquotes.moc"
