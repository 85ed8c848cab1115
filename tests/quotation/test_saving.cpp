// Saving the quotation as a quote file, checked byte for byte on disk, and
// handing it to the printer, the print preview and a PDF file.
#include "MainWindowFixture.h"

#include <QDir>

namespace {
// The rental block of 10000 at 30 with 3 upfront, 36 mids and 2 finals.
QByteArray rentals(bool upfront, bool final)
{
    return QByteArray("Rental details:\r\n\r\n") + (upfront ? "Upfront rental: \t$900.00\r\n" : "")
        + "36 Monthly rentals: \t$300.00\r\n" + (final ? "Final rental:   \t$600.00\r\n" : "")
        + "Weekly equivalent: \t$69.23\r\nDaily equivalent: \t$9.89\r\n\r\n";
}

QStringList quoteFiles(const MainWindow &m)
{
    return QDir(m.t.native(Paths::quotesFolder()))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
} // namespace

class TestSaving : public QObject {
    Q_OBJECT
private slots:
    void savedFileByteForByte_data()
    {
        QTest::addColumn<QString>("structure");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("footer");
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("equipment");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        const auto row = [](const char *tag, const char *structure, const QString &customer,
                            const QString &equipment, const QString &name, const QByteArray &file,
                            const QByteArray &header = {}, const QByteArray &footer = {}) {
            QTest::newRow(tag) << structure << header << footer << customer << equipment << name
                               << file;
        };
        const QByteArray date = "07/03/2026\r\n";
        row("bare", "Mid", "", "", "Bare", date + "\r\n\r\n\r\n" + rentals(false, false) + "\r\n");
        row("every block", "Upfront+Mid+Final", "J Sm\u00eftherson\nFarm Lane\n",
            "Forklift truck, 2.5 t", "Sm\u00eftherson forklift",
            "J Sm\xc3\xaftherson\r\nFarm Lane\r\n\r\n" + date
                + "\r\nKestrel Leasing Ltd\r\nHigh Street, Lowtown\r\n\r\n"
                  "Equipment details:\r\n\r\nForklift truck, 2.5 t\r\n\r\n"
                + rentals(true, true) + "With thanks\r\n",
            "Kestrel Leasing Ltd\r\nHigh Street, Lowtown\r\n", "With thanks\r\n");
        const QByteArray equipment = date
            + "\r\n\r\n\r\nEquipment details:\r\n\r\nPress\r\nDie set\r\n\r\n";
        row("Upfront+Mid", "Upfront+Mid", "", "Press\nDie set", "UM",
            equipment + rentals(true, false) + "\r\n");
        row("Mid+Final", "Mid+Final", "", "Press\nDie set", "MF",
            equipment + rentals(false, true) + "\r\n");
        // The customer block loses one trailing line break; an equipment text of
        // a line break only is no equipment block.
        const QByteArray rest = date + "\r\n\r\n\r\n" + rentals(true, true) + "\r\n";
        row("customer one line break only", "Upfront+Mid+Final", "\n", "\n", "C", rest);
        row("customer no line break", "Upfront+Mid+Final", "A Buyer", "\n", "C",
            "A Buyer\r\n\r\n" + rest);
        row("customer two line breaks", "Upfront+Mid+Final", "A Buyer\n\n", "\n", "C",
            "A Buyer\r\n\r\n\r\n" + rest);
        row("customer two lines", "Upfront+Mid+Final", "A Buyer\nB Road\n", "\n", "C",
            "A Buyer\r\nB Road\r\n\r\n" + rest);
        // Only the box's own line breaks change: a line separator and a
        // non-breaking space are saved as typed.
        row("customer special spaces", "Upfront+Mid+Final", "A\u00a0Buyer\u2028B Road", "\n", "C",
            "A\xc2\xa0"
            "Buyer\xe2\x80\xa8"
            "B Road\r\n\r\n"
                + rest);
    }

    void savedFileByteForByte()
    {
        QFETCH(QString, structure);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, footer);
        QFETCH(QString, customer);
        QFETCH(QString, equipment);
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        MainWindow m;
        m.t.write(Paths::headerFile(), header);
        m.t.write(Paths::footerFile(), footer);
        QVERIFY(m.open());
        m.type("txtValue", "10000");
        m.pick("comSelectTerm", structure);
        const QStringList picks{"3", "36", "2", "30.00"};
        for (int i = 0; i < 4; ++i)
            if (m.combo(ValueBoxes[i])->isEnabled())
                m.pick(ValueBoxes[i], picks[i]);
        m.click("cmdQuotation");
        m.type("txtCustomerDetails", customer);
        m.type("txtEquipmentDetails", equipment);
        m.saveAs(name);
        QCOMPARE(m.said(),
                 QStringList{"Quote saved: The quote " + name + " has been saved ! (Information)"});
        QCOMPARE(m.t.read(Paths::quoteFile(name)), file);
        // The window keeps everything it showed.
        QCOMPARE(m.textOf("txtSaveQuote"), name);
        QCOMPARE(m.textOf("txtCustomerDetails"), customer);
    }

    void printAndEverySaveTrimTheHeldHeader()
    {
        MainWindow m;
        m.t.write(Paths::printerFile(), "Front Desk\r\n");
        m.t.write(Paths::headerFile(), "Head\r\n\r\n\r\n");
        m.t.write(Paths::footerFile(), "Foot one\r\nFoot two\r\n");
        QVERIFY(m.open());
        m.quote("10000", "Upfront+Mid+Final", "3", "36", "2", "30");
        m.type("txtCustomerDetails", "A Buyer\n");
        m.click("cmdPrint");
        QCOMPARE(m.said(),
                 QStringList{
                     "Printing: The quote has been sent to the printer Front Desk (Information)"});
        QCOMPARE(m.t.printers.jobs.size(), std::size_t(1));
        QCOMPARE(m.t.printers.lastJob().device, QStringLiteral("Front Desk"));
        QVERIFY(m.t.printers.lastJob().ended);
        QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n\r\n"));

        const QByteArray top = "A Buyer\r\n\r\n07/03/2026\r\n\r\nHead\r\n";
        m.saveAs("First");
        QCOMPARE(m.t.read(Paths::quoteFile("First")),
                 top + "\r\n\r\n" + rentals(true, true) + "Foot one\r\nFoot two\r\n");
        QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n"));
        QCOMPARE(m.t.settings.page.PageFooter, QStringLiteral("Foot one\r\nFoot two"));
        m.saveAs("Second");
        QCOMPARE(m.t.read(Paths::quoteFile("Second")),
                 top + "\r\n" + rentals(true, true) + "Foot one\r\nFoot two\r\n");
        QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head"));
        // The settings files themselves are not written.
        QCOMPARE(m.t.read(Paths::headerFile()), QByteArray("Head\r\n\r\n\r\n"));

        // A job that cannot start is told by the print machinery, never as sent.
        m.t.messages.clear();
        m.t.printers.startError = QStringLiteral("The printer is off line.");
        m.click("cmdPrint");
        QCOMPARE(m.t.messages.messages.size(), 1);
        QVERIFY(!m.t.messages.texts().first().contains(QStringLiteral("has been sent")));
    }

    void refusalsAndFailedWrites()
    {
        MainWindow m;
        QVERIFY(m.open());
        // No name: the message, then the focus in the name box.
        m.quoteFull();
        m.saveAs("");
        QCOMPARE(m.said(),
                 QStringList{"No quote name: Please enter a name for the quote ! (Exclamation)"});
        QCOMPARE(m.t.messages.messages[0].focus, QStringLiteral("cmdSave"));
        QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
        QCOMPARE(quoteFiles(m), QStringList());

        // An existing name: the first file stays as it was.
        m.saveAs("Smith");
        const QByteArray first = m.t.read(Paths::quoteFile("Smith"));
        QVERIFY(first.startsWith("07/03/2026\r\n"));
        m.type("txtValue", "20000");
        m.click("cmdQuotation");
        m.t.messages.clear();
        m.saveAs("Smith");
        QCOMPARE(
            m.said(),
            QStringList{
                "Quote already exists: The quote Smith already exists, please enter a different "
                "name for the quote ! (Exclamation)"});
        QCOMPARE(m.textOf("txtSaveQuote"), QString());
        QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
        QCOMPARE(m.t.read(Paths::quoteFile("Smith")), first);

        // The existence test is for that exact name only.
        m.t.messages.clear();
        m.saveAs("Smit");
        QCOMPARE(m.t.messages.texts(), QStringList{"The quote Smit has been saved !"});
        QVERIFY(m.t.read(Paths::quoteFile("Smit")).contains("$600.00"));

        // A write that fails is never told as saved; once the disk takes it
        // again, the same name saves.
        m.t.messages.clear();
        m.t.files.failWrites = true;
        m.saveAs("Full disk");
        QCOMPARE(
            m.said(),
            QStringList{"Quote not saved: The quote Full disk cannot be saved ! (Exclamation)"});
        QCOMPARE(quoteFiles(m), (QStringList{"Smit.txt", "Smith.txt"}));
        m.t.files.failWrites = false;
        m.t.messages.clear();
        m.click("cmdSave");
        QCOMPARE(m.t.messages.texts(), QStringList{"The quote Full disk has been saved !"});
        QVERIFY(m.t.exists(Paths::quoteFile("Full disk")));
    }

    // A name taken by any entry (a link to nothing here; the other kinds of
    // entry are the file system's own test), or by another computer between
    // the look and the write, is refused, and nothing is written through it.
    void takenNamesWriteNothing()
    {
        for (const QString name : {"Planted", "Acme"}) {
            MainWindow m;
            const QString outside = m.t.dir.path() + "/created.txt";
            if (name == "Planted")
                m.t.makeRaw(Paths::quotesFolder(), "Planted.txt", QFile::encodeName(outside));
            else
                m.t.files.beforeCreate = [&] { m.t.write(Paths::quoteFile(name), "other\r\n"); };
            QVERIFY(m.open());
            m.quoteFull();
            m.saveAs(name);
            QCOMPARE(m.said(),
                     QStringList{"Quote already exists: The quote " + name
                                 + " already exists, please enter a different name "
                                   "for the quote ! (Exclamation)"});
            QCOMPARE(m.textOf("txtSaveQuote"), QString());
            QVERIFY(!QFileInfo::exists(outside));
            QCOMPARE(quoteFiles(m), QStringList{name + ".txt"});
            if (name == "Acme")
                QCOMPARE(m.t.read(Paths::quoteFile(name)), QByteArray("other\r\n"));
        }
    }

    void exportAsPdf_data()
    {
        // The name typed; the save dialog's answer: a path, "" the one
        // proposed, "-" cancel; the file proposed in the documents folder; the
        // message, %1 the file chosen, * any reason.
        for (const char *column : {"name", "chosen", "proposed", "told"})
            QTest::addColumn<QString>(column);
        const QString saved = "Quote exported: The quote has been saved as %1 (Information)";
        const QString failed = "Quote not exported: The quote could not be saved as %1: ";
        for (const QStringList &row : QList<QStringList>{
                 {"Smith lease", "", "Smith lease.pdf", saved},
                 {"", "", "Quotation 07-03-2026.pdf", saved}, // no name: the date
                 {"A/B: 1", "", "A-B- 1.pdf", saved}, // a name unfit for a file
                 {"Old", "", "Old.pdf", saved}, // replaces the file chosen
                 {"", "-", "Quotation 07-03-2026.pdf", ""}, // cancelled
                 {"S", "blocker/S.pdf", "S.pdf",
                  failed + "the folder * cannot be written (*) ! (Exclamation)"},
                 {"Full", "", "Full.pdf",
                  failed
                      + "the file could not be written completely, the disk may be full ! "
                        "(Exclamation)"}})
            QTest::newRow(qPrintable(row[2] + ' ' + row[1]))
                << row[0] << row[1] << row[2] << row[3];
    }

    // The file appears whole, where the user chose, or not at all.
    void exportAsPdf()
    {
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        QFETCH(QString, proposed);
        QFETCH(QString, told);
        MainWindow m;
        QVERIFY(m.open());
        m.quoteFull();
        child<QLineEdit>(m.window.get(), "txtSaveQuote")->setText(name);
        ScriptedPageOutput &pages = m.t.pages;
        const QString old = pages.documents + "/Old.pdf";
        // A file stands where the folder "blocker" would be.
        for (const QString &file : {old, m.t.dir.filePath("blocker")}) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old") == 3);
        }
        if (chosen == "-")
            pages.answer = QString();
        else if (!chosen.isEmpty())
            pages.answer = m.t.dir.filePath(chosen);
        const QString path = chosen.isEmpty() ? pages.documents + "/" + proposed
                                              : pages.answer.value_or("");
        pages.diskFull = name == "Full";
        trigger(m.window.get(), "quotesExportPdf");

        QCOMPARE(pages.proposed, QStringList{pages.documents + "/" + proposed});
        QCOMPARE(pages.captions, QStringList{"Export as PDF"});
        QStringList pieces = told.arg(QDir::toNativeSeparators(path)).split('*');
        for (QString &piece : pieces)
            piece = QRegularExpression::escape(piece);
        const QRegularExpression expected("^" + pieces.join(".*") + "$");
        QCOMPARE(m.said().filter(expected).size() + m.said().size(), told.isEmpty() ? 0 : 2);
        // Only the file chosen is there, whole, and nothing half-written beside it.
        QStringList there = QDir(pages.documents)
                                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                           | QDir::NoDotAndDotDot);
        there.removeOne("Old.pdf");
        const bool written = told.startsWith("Quote exported");
        QCOMPARE(there, written && name != "Old" ? QStringList{proposed} : QStringList());
        QFile pdf(written ? path : old);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll().startsWith("%PDF"), written);
        QVERIFY(m.t.printers.jobs.empty());
    }

    // Preview and export act on the quotation as Print quote does: the same
    // refusal, the same page, the same trim of the held header.
    void previewAndExportMakeThePrintedPage()
    {
        MainWindow m;
        m.t.write(Paths::headerFile(), "Head\r\n\r\n\r\n");
        QVERIFY(m.open());
        trigger(m.window.get(), "quotesPrintPreview");
        trigger(m.window.get(), "quotesExportPdf");
        QCOMPARE(
            m.said(),
            QStringList(2, "No quote to print: Please generate a quote to print ! (Exclamation)"));
        QVERIFY(m.t.pages.previewed.isEmpty() && m.t.pages.proposed.isEmpty());

        m.quoteFull();
        m.type("txtCustomerDetails", "A Buyer\n");
        m.t.messages.clear();
        trigger(m.window.get(), "quotesPrintPreview");
        QCOMPARE(m.t.pages.previewed, QStringList{"Office Laser | Quotation 07-03-2026"});
        QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n\r\n"));
        m.t.settings.page.PageHeader = "Head\r\n\r\n\r\n";
        m.click("cmdPrint");
        QCOMPARE(m.t.pages.previewPages.back()->lines(), m.t.printers.lastJob().lines());
        QCOMPARE(m.t.pages.previewPages.back()->events, m.t.printers.lastJob().events);
        QCOMPARE(
            m.said(),
            QStringList{
                "Printing: The quote has been sent to the printer Office Laser (Information)"});
    }

    void unsafeNamesWriteNothing()
    {
        MainWindow m;
        QVERIFY(m.open());
        m.quoteFull();
        for (const QString &name :
             QStringList{"..\\Printer Settings\\Printer", "../outside", "C:quote", "Sm*", "Smith?",
                         "The \"big\" one", "a|b", "..", "tab\there"}) {
            m.t.messages.clear();
            child<QLineEdit>(m.window.get(), "txtSaveQuote")
                ->setText(name); // a tab cannot be typed into the box
            m.click("cmdSave");
            QCOMPARE(
                m.said(),
                QStringList{
                    "Invalid quote name: The quote name " + name
                    + " cannot be used, a quote name cannot contain \\ / : * ? \" < > | or control "
                      "characters, nor be only dots ! (Exclamation)"});
            QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
        }
        QCOMPARE(quoteFiles(m), QStringList());
        QCOMPARE(m.t.read(Paths::printerFile()), QByteArray("Default\r\n"));
        QVERIFY(!QFileInfo::exists(m.t.native(Paths::installRoot() + "\\outside.txt")));
    }
};

QTEST_MAIN(TestSaving)
#include "test_saving.moc"
