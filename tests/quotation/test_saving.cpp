// Saving the quotation as a quote file, checked byte for byte on disk, and
// handing it to the printer.
#include "MainWindowFixture.h"

#include "store/Store.h"

#include <QDir>

namespace {
// Types text into a multi-line box, Enter for every line break.
void typeLines(MainWindow &m, const char *name, const QString &text)
{
    QPlainTextEdit *box = m.memo(name);
    box->setFocus();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        MainWindow::keys(box, lines[i]);
        if (i + 1 < lines.size())
            QTest::keyClick(box, Qt::Key_Return);
    }
}

const QByteArray Rentals = "Rental details:\r\n\r\n"
                           "Upfront rental: \t$900.00\r\n"
                           "36 Monthly rentals: \t$300.00\r\n"
                           "Final rental:   \t$300.00\r\n"
                           "Weekly equivalent: \t$69.23\r\n"
                           "Daily equivalent: \t$9.89\r\n"
                           "\r\n";
} // namespace

class TestSaving : public QObject {
    Q_OBJECT
private slots:
    void bareMidQuote();
    void everyBlockPresent();
    void eachStructureWritesItsRentalLines_data();
    void eachStructureWritesItsRentalLines();
    void customerBlockTrailingLineBreaks_data();
    void customerBlockTrailingLineBreaks();
    void headerAndFooterLoseOneLineBreakPerSave();
    void refusals();
    void unsafeNamesWriteNothing_data();
    void unsafeNamesWriteNothing();
    void failedWriteIsNeverReportedAsSaved();
    void printing();
};

void TestSaving::bareMidQuote()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Mid", "", "36", "", "30");
    m.typeInto("txtSaveQuote", "Bare");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"The quote Bare has been saved !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Quote saved"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Information);
    QCOMPARE(m.t.read(Paths::quoteFile("Bare")),
             QByteArray("07/03/2026\r\n\r\n\r\n\r\n"
                        "Rental details:\r\n\r\n"
                        "36 Monthly rentals: \t$300.00\r\n"
                        "Weekly equivalent: \t$69.23\r\n"
                        "Daily equivalent: \t$9.89\r\n"
                        "\r\n\r\n"));
    QCOMPARE(m.edit("txtSaveQuote")->text(), QStringLiteral("Bare"));
}

void TestSaving::everyBlockPresent()
{
    MainWindow m;
    m.standardLists();
    m.t.write(Paths::headerFile(), "Kestrel Leasing Ltd\r\nHigh Street, Lowtown\r\n");
    m.t.write(Paths::footerFile(), "With thanks\r\n");
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    typeLines(m, "txtCustomerDetails", QStringLiteral("J Sm\u00eftherson\nFarm Lane\n"));
    typeLines(m, "txtEquipmentDetails", QStringLiteral("Forklift truck, 2.5 t"));
    m.typeInto("txtSaveQuote", QStringLiteral("Sm\u00eftherson forklift"));
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(),
             QStringList{QStringLiteral("The quote Sm\u00eftherson forklift has been saved !")});
    QCOMPARE(m.t.read(Paths::quoteFile(QStringLiteral("Sm\u00eftherson forklift"))),
             "J Sm\xc3\xaftherson\r\nFarm Lane\r\n\r\n"
             "07/03/2026\r\n\r\n"
             "Kestrel Leasing Ltd\r\nHigh Street, Lowtown\r\n\r\n"
             "Equipment details:\r\n\r\nForklift truck, 2.5 t\r\n\r\n"
                 + Rentals + "With thanks\r\n");
    // The window keeps everything it showed.
    QCOMPARE(m.memo("txtCustomerDetails")->toPlainText(), QStringLiteral("J Sm\u00eftherson\nFarm Lane\n"));
}

void TestSaving::eachStructureWritesItsRentalLines_data()
{
    QTest::addColumn<QString>("structure");
    QTest::addColumn<QByteArray>("rentals");
    QTest::newRow("Upfront+Mid") << "Upfront+Mid"
                                 << QByteArray("Upfront rental: \t$300.00\r\n"
                                               "12 Monthly rentals: \t$50.00\r\n"
                                               "Weekly equivalent: \t$11.54\r\n"
                                               "Daily equivalent: \t$1.65\r\n");
    QTest::newRow("Mid+Final") << "Mid+Final"
                               << QByteArray("12 Monthly rentals: \t$50.00\r\n"
                                             "Final rental:   \t$100.00\r\n"
                                             "Weekly equivalent: \t$11.54\r\n"
                                             "Daily equivalent: \t$1.65\r\n");
    QTest::newRow("Upfront+Mid+Final") << "Upfront+Mid+Final"
                                       << QByteArray("Upfront rental: \t$300.00\r\n"
                                                     "12 Monthly rentals: \t$50.00\r\n"
                                                     "Final rental:   \t$100.00\r\n"
                                                     "Weekly equivalent: \t$11.54\r\n"
                                                     "Daily equivalent: \t$1.65\r\n");
}

void TestSaving::eachStructureWritesItsRentalLines()
{
    QFETCH(QString, structure);
    QFETCH(QByteArray, rentals);
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "2000");
    m.pick("comSelectTerm", structure);
    if (m.combo("comUpfronts")->isEnabled())
        m.pick("comUpfronts", "6");
    m.pick("comMids", "12");
    if (m.combo("comFinals")->isEnabled())
        m.pick("comFinals", "2");
    m.pick("comRates", "25.00");
    m.click("cmdQuotation");
    typeLines(m, "txtEquipmentDetails", QStringLiteral("Press\nDie set"));
    m.typeInto("txtSaveQuote", structure);
    m.click("cmdSave");
    QCOMPARE(m.t.read(Paths::quoteFile(structure)),
             "07/03/2026\r\n\r\n\r\n\r\n"
             "Equipment details:\r\n\r\nPress\r\nDie set\r\n\r\n"
             "Rental details:\r\n\r\n"
                 + rentals + "\r\n\r\n");
}

void TestSaving::customerBlockTrailingLineBreaks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("one line break only") << "\n" << QByteArray("07/03/2026\r\n");
    QTest::newRow("no line break") << "A Buyer" << QByteArray("A Buyer\r\n\r\n07/03/2026\r\n");
    QTest::newRow("two line breaks") << "A Buyer\n\n" << QByteArray("A Buyer\r\n\r\n\r\n07/03/2026\r\n");
    QTest::newRow("two lines") << "A Buyer\nB Road\n" << QByteArray("A Buyer\r\nB Road\r\n\r\n07/03/2026\r\n");
}

void TestSaving::customerBlockTrailingLineBreaks()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, start);
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    typeLines(m, "txtCustomerDetails", typed);
    // An equipment text of one line break only is no equipment block.
    typeLines(m, "txtEquipmentDetails", QStringLiteral("\n"));
    m.typeInto("txtSaveQuote", "Customer");
    m.click("cmdSave");
    QCOMPARE(m.t.read(Paths::quoteFile("Customer")), start + "\r\n\r\n\r\n" + Rentals + "\r\n");
}

void TestSaving::headerAndFooterLoseOneLineBreakPerSave()
{
    MainWindow m;
    m.standardLists();
    m.t.write(Paths::headerFile(), "Head\r\n\r\n");
    m.t.write(Paths::footerFile(), "Foot one\r\nFoot two\r\n");
    m.start();
    QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n\r\n"));
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");

    m.typeInto("txtSaveQuote", "First");
    m.click("cmdSave");
    QCOMPARE(m.t.read(Paths::quoteFile("First")),
             "07/03/2026\r\n\r\nHead\r\n\r\n\r\n" + Rentals + "Foot one\r\nFoot two\r\n");
    QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n"));
    QCOMPARE(m.t.settings.page.PageFooter, QStringLiteral("Foot one\r\nFoot two"));

    m.typeInto("txtSaveQuote", "Second");
    m.click("cmdSave");
    QCOMPARE(m.t.read(Paths::quoteFile("Second")),
             "07/03/2026\r\n\r\nHead\r\n\r\n" + Rentals + "Foot one\r\nFoot two\r\n");
    QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head"));
    // The settings files themselves are not written.
    QCOMPARE(m.t.read(Paths::headerFile()), QByteArray("Head\r\n\r\n"));
}

void TestSaving::refusals()
{
    MainWindow m;
    m.standardLists();
    m.start();

    // No quotation: whatever the name, and the focus stays on the button.
    m.typeInto("txtSaveQuote", "Early");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please generate a quote to save !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("No quote to save"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.focus(), QStringLiteral("cmdSave"));
    QVERIFY(!m.t.exists(Paths::quoteFile("Early")));

    // No name: the message, then the focus in the name box.
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    m.t.messages.clear();
    m.typeInto("txtSaveQuote", "");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please enter a name for the quote !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("No quote name"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.t.messages.messages[0].focus, QStringLiteral("cmdSave"));
    QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
    QCOMPARE(QDir(m.t.native(Paths::quotesFolder())).entryList(QDir::Files), QStringList());

    // An existing name: the first file stays as it was.
    m.typeInto("txtSaveQuote", "Smith");
    m.click("cmdSave");
    const QByteArray first = m.t.read(Paths::quoteFile("Smith"));
    QVERIFY(first.startsWith("07/03/2026\r\n"));
    m.typeInto("txtValue", "20000");
    m.click("cmdQuotation");
    m.t.messages.clear();
    m.typeInto("txtSaveQuote", "Smith");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(),
             QStringList{"The quote Smith already exists, please enter a different name for the quote !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Quote already exists"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.edit("txtSaveQuote")->text(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
    QCOMPARE(m.t.read(Paths::quoteFile("Smith")), first);

    // The existence test is for that exact name only.
    m.t.messages.clear();
    m.typeInto("txtSaveQuote", "Smit");
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"The quote Smit has been saved !"});
    QVERIFY(m.t.read(Paths::quoteFile("Smit")).contains("$600.00"));
}

void TestSaving::unsafeNamesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("backslash") << "..\\Printer Settings\\Printer";
    QTest::newRow("slash") << "../outside";
    QTest::newRow("drive colon") << "C:quote";
    QTest::newRow("wildcard") << "Sm*";
    QTest::newRow("question mark") << "Smith?";
    QTest::newRow("quote mark") << "The \"big\" one";
    QTest::newRow("bar") << "a|b";
    QTest::newRow("only dots") << "..";
    QTest::newRow("control character") << "tab\there";
}

void TestSaving::unsafeNamesWriteNothing()
{
    QFETCH(QString, name);
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    m.edit("txtSaveQuote")->setText(name); // a tab cannot be typed into the box
    m.click("cmdSave");
    QCOMPARE(m.t.messages.messages.size(), 1);
    const RecordedMessage &shown = m.t.messages.messages[0];
    QVERIFY2(shown.text.contains(name), qPrintable(shown.text));
    QCOMPARE(shown.text, Store::unsafeQuoteNameMessage(name));
    QCOMPARE(shown.title, QStringLiteral("Invalid quote name"));
    QCOMPARE(shown.icon, MsgIcon::Exclamation);
    QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
    QCOMPARE(QDir(m.t.native(Paths::quotesFolder())).entryList(QDir::Files), QStringList());
    QCOMPARE(m.t.read(Paths::printerFile()), QByteArray("Default\r\n"));
    QVERIFY(!QFileInfo::exists(m.t.native(Paths::installRoot() + "\\outside.txt")));
}

void TestSaving::failedWriteIsNeverReportedAsSaved()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    m.typeInto("txtSaveQuote", "Full disk");
    m.files.failWrites = true;
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"The quote Full disk cannot be saved !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Quote not saved"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QVERIFY(!m.t.exists(Paths::quoteFile("Full disk")));
    QCOMPARE(QDir(m.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
             QStringList());

    // Once the disk takes it again, the same name saves.
    m.files.failWrites = false;
    m.t.messages.clear();
    m.click("cmdSave");
    QCOMPARE(m.t.messages.texts(), QStringList{"The quote Full disk has been saved !"});
    QVERIFY(m.t.exists(Paths::quoteFile("Full disk")));
}

void TestSaving::printing()
{
    MainWindow m;
    m.standardLists();
    m.t.write(Paths::printerFile(), "Front Desk\r\n");
    m.t.write(Paths::headerFile(), "Head\r\n\r\n");
    m.start();

    m.click("cmdPrint");
    QCOMPARE(m.t.messages.texts(), QStringList{"Please generate a quote to print !"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("No quote to print"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QVERIFY(m.t.printers.jobs.empty());

    m.quote("10000", "Mid", "", "36", "", "30");
    typeLines(m, "txtCustomerDetails", QStringLiteral("A Buyer\n"));
    m.t.messages.clear();
    m.click("cmdPrint");
    QCOMPARE(m.t.messages.texts(),
             QStringList{"The quote has been sent to the printer Front Desk"});
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Printing"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Information);
    QCOMPARE(m.t.printers.jobs.size(), std::size_t(1));
    const QStringList lines = m.t.printers.lastJob().lines();
    QVERIFY2(lines.contains(QStringLiteral("A Buyer")), qPrintable(lines.join('|')));
    QVERIFY(lines.contains(QStringLiteral("07/03/2026")));
    QVERIFY(lines.contains(QStringLiteral("Rental details:")));
    QVERIFY(m.t.printers.lastJob().ended);
    // Printing trims the held header as saving does.
    QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n"));

    // A job that cannot start is told by the print machinery, never as sent.
    m.t.messages.clear();
    m.t.printers.startError = QStringLiteral("The printer is off line.");
    m.click("cmdPrint");
    QVERIFY(!m.t.messages.texts().join('|').contains(QStringLiteral("has been sent")));
    QCOMPARE(m.t.messages.messages.size(), 1);
}

QTEST_MAIN(TestSaving)
#include "test_saving.moc"
