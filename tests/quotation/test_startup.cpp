// Start-up, the term and value lists, the resets and the exit question of
// the main window, driven through the window itself.
#include "MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {
const QString Root = QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro");
const QString AskExit = QStringLiteral("Are you sure you want to exit Quotaro ?");
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void missingPathEndsTheStartWithItsMessage_data();
    void missingPathEndsTheStartWithItsMessage();
    void onlyTheFirstMissingPathIsReported();
    void secondCopyEndsWithoutReadingAnything_data();
    void secondCopyEndsWithoutReadingAnything();
    void unreadableOrEmptySettingsEndTheStart();
    void settingsAreReadIntoTheVariables();
    void printerIsSelectedByItsStoredName();
    void windowComesUpAsGiven();
    void listsAreFilledAndOrdered();
    void zeroSplitsTheNumericOrder();
    void emptyListsAreToldInOrderAndTheWindowStillShows();
    void pickingAStructureSetsTheBoxes();
    void typingAStructureChangesNothing();
    void refreshRereadsTheFoldersAndTellsOfIt();
    void resetOfTermsAndRates();
    void multiplierBoxesTakeOnlyDigits();
    void resetButtonsClearTheirBoxes();
    void resetAllClearsTheWholeWindow();
    void exitAsksOnEveryClosePath();
    void menusAndButtonsOpenTheirWindows();
};

void TestStartup::missingPathEndsTheStartWithItsMessage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("Printer.txt")
        << Paths::printerFile()
        << "The file (C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings\\Printer.txt) cannot be found !";
    QTest::newRow("VerticalMargin.txt")
        << Paths::verticalMarginFile()
        << "The file (C:\\Program Files\\Kestrane\\Quotaro\\Printer Settings\\VerticalMargin.txt) cannot be found !";
    QTest::newRow("Footer.txt")
        << Paths::footerFile()
        << "The file (C:\\Program Files\\Kestrane\\Quotaro\\Page Settings\\Footer.txt) cannot be found !";
    QTest::newRow("Intergration.txt")
        << Paths::integrationFile()
        << "The file (C:\\Program Files\\Kestrane\\Quotaro\\Intergration Settings\\Intergration.txt) cannot be found !";
    QTest::newRow("Support Tools")
        << Paths::supportToolsFolder()
        << "The directory (C:\\Program Files\\Kestrane\\Quotaro\\Support Tools) cannot be found !";
    QTest::newRow("Rates Settings")
        << Paths::ratesFolder()
        << "The directory (C:\\Program Files\\Kestrane\\Quotaro\\Rates Settings) cannot be found !";
    QTest::newRow("Quotes")
        << Paths::quotesFolder()
        << "The directory (C:\\Program Files\\Kestrane\\Quotaro\\Quotes) cannot be found !";
}

void TestStartup::missingPathEndsTheStartWithItsMessage()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    MainWindow m;
    m.standardLists();
    m.t.remove(path);
    QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
    // One message, no exit question, nothing filled.
    QCOMPARE(m.t.messages.messages.size(), 1);
    const RecordedMessage &shown = m.t.messages.messages.first();
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.title, QStringLiteral("Quotaro"));
    QCOMPARE(shown.icon, MsgIcon::Exclamation);
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QVERIFY(m.t.settings.page.PageHeader.isEmpty() && m.t.settings.printer.PrinterFont.isEmpty());
    QCOMPARE(m.combo("comUpfronts")->count(), 0);
    // A close after the end asks nothing either.
    QVERIFY(m.window->close());
    QCOMPARE(m.t.messages.messages.size(), 1);
}

void TestStartup::onlyTheFirstMissingPathIsReported()
{
    {
        MainWindow m;
        m.t.remove(Paths::headerFile());
        m.t.remove(Paths::footerFile());
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.t.messages.texts(),
                 QStringList{"The file (" + Root + "\\Page Settings\\Header.txt) cannot be found !"});
    }
    {
        MainWindow m;
        m.t.remove(Paths::quotesFolder());
        m.t.remove(Paths::boldFile());
        m.t.remove(Paths::midsFolder());
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.t.messages.texts(),
                 QStringList{"The file (" + Root + "\\Printer Settings\\Bold.txt) cannot be found !"});
    }
}

void TestStartup::secondCopyEndsWithoutReadingAnything_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestStartup::secondCopyEndsWithoutReadingAnything()
{
    QFETCH(bool, answerYes);
    MainWindow m;
    m.standardLists();
    m.t.instance.other = true;
    m.t.messages.answerNext(answerYes ? MsgAnswer::Yes : MsgAnswer::No);
    QCOMPARE(m.start(), frmQuotaro::StartResult::EndAlreadyRunning);
    QCOMPARE(m.t.messages.texts(), (QStringList{"Quotaro is already running !", AskExit}));
    QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Quotaro"));
    QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(m.t.messages.messages[1].icon, MsgIcon::Question);
    QCOMPARE(m.t.messages.messages[1].buttons, MsgButtons::YesNo);
    QVERIFY(m.t.settings.printer.PrinterName.isEmpty());
    QCOMPARE(m.t.printers.current, QStringLiteral("Office Laser"));
    QCOMPARE(m.combo("comSelectTerm")->count(), 0);
    QCOMPARE(m.combo("comUpfronts")->count(), 0);
}

void TestStartup::unreadableOrEmptySettingsEndTheStart()
{
    {
        MainWindow m;
        m.files.failReads = true;
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.t.messages.texts(),
                 QStringList{"The file (" + Root + "\\Printer Settings\\Printer.txt) cannot be read !"});
        QCOMPARE(m.t.messages.messages[0].icon, MsgIcon::Exclamation);
    }
    {
        MainWindow m;
        m.t.write(Paths::fontSizeFile(), QByteArray());
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.t.messages.texts(),
                 QStringList{"The file (" + Root + "\\Printer Settings\\FontSize.txt) is empty !"});
        QCOMPARE(m.t.messages.messages[0].title, QStringLiteral("Quotaro"));
    }
    {
        // A value file holding only its line end was written that way by the
        // program, and an empty header or footer is an ordinary one.
        MainWindow m;
        m.standardLists();
        m.t.write(Paths::printerFile(), "\r\n");
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QVERIFY(m.t.messages.messages.isEmpty());
        QCOMPARE(m.t.settings.printer.PrinterName, QString());
    }
}

void TestStartup::settingsAreReadIntoTheVariables()
{
    MainWindow m;
    m.standardLists();
    m.t.write(Paths::fontFile(), "  Courier New, Bold\r\n");
    m.t.write(Paths::fontSizeFile(), "12\r\nignored\r\n");
    m.t.write(Paths::boldFile(), "On\r\n");
    m.t.write(Paths::italicFile(), "\"Off\"\r\n");
    m.t.write(Paths::underlineFile(), "on\r\n");
    m.t.write(Paths::horizontalMarginFile(), "720\r\n");
    m.t.write(Paths::verticalMarginFile(), "360\r\n");
    m.t.write(Paths::headerFile(), "Kestrel Leasing, Unit 4\r\nHigh Street\r\n");
    m.t.write(Paths::footerFile(), "Thank you");
    QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
    const PrinterSettings &p = m.t.settings.printer;
    QCOMPARE(p.PrinterFont, QStringLiteral("Courier New"));
    QCOMPARE(p.PrinterFontSize, QStringLiteral("12"));
    QCOMPARE(p.PrinterBold, QStringLiteral("On"));
    QCOMPARE(p.PrinterItalic, QStringLiteral("Off"));
    QCOMPARE(p.PrinterUnderline, QStringLiteral("on"));
    QCOMPARE(p.HorizontalMargin, QStringLiteral("720"));
    QCOMPARE(p.VerticalMargin, QStringLiteral("360"));
    QCOMPARE(m.t.settings.page.PageHeader,
             QStringLiteral("Kestrel Leasing, Unit 4\r\nHigh Street\r\n"));
    QCOMPARE(m.t.settings.page.PageFooter, QStringLiteral("Thank you\r\n"));
}

void TestStartup::printerIsSelectedByItsStoredName()
{
    {
        MainWindow m;
        m.standardLists();
        m.t.printers.current = QStringLiteral("Front Desk");
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QCOMPARE(m.t.settings.printer.PrinterName, QStringLiteral("Front Desk"));
        QCOMPARE(m.t.read(Paths::printerFile()), QByteArray("Default\r\n"));
    }
    {
        MainWindow m;
        m.standardLists();
        m.t.write(Paths::printerFile(), "Front Desk\r\n");
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QCOMPARE(m.t.printers.current, QStringLiteral("Front Desk"));
        QCOMPARE(m.t.settings.printer.PrinterName, QStringLiteral("Front Desk"));
    }
    for (const QByteArray &stored : {QByteArray("Removed Printer"), QByteArray("front desk")}) {
        MainWindow m;
        m.standardLists();
        m.t.write(Paths::printerFile(), stored + "\r\n");
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QVERIFY(m.t.messages.messages.isEmpty());
        QCOMPARE(m.t.printers.current, QStringLiteral("Office Laser"));
        QCOMPARE(m.t.settings.printer.PrinterName, QString::fromLatin1(stored));
    }
}

void TestStartup::windowComesUpAsGiven()
{
    MainWindow m;
    m.standardLists();
    QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
    QVERIFY(m.t.messages.messages.isEmpty());
    frmQuotaro *w = m.window.get();
    QCOMPARE(w->windowTitle(), QStringLiteral("Quotaro"));
    QCOMPARE(w->centralWidget()->size(), QSize(915, 576));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m.focus(), QStringLiteral("txtValue"));

    QCOMPARE(itemsOf(m.combo("comSelectTerm")),
             (QStringList{"Upfront+Mid+Final", "Upfront+Mid", "Mid+Final", "Mid"}));
    QCOMPARE(m.combo("comSelectTerm")->currentText(), QString());
    QVERIFY(m.combo("comSelectTerm")->isEnabled());
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"}) {
        QVERIFY2(!m.combo(name)->isEnabled(), name);
        QCOMPARE(m.combo(name)->currentText(), QString());
    }
    QCOMPARE(m.edit("txtValue")->maxLength(), 7);
    QCOMPARE(m.edit("txtSaveQuote")->maxLength(), 100);
    QVERIFY(m.edit("txtMonthly")->isReadOnly());
    QCOMPARE(m.edit("txtMonthly")->toolTip(), QStringLiteral("Monthly payment"));
    QCOMPARE(m.button("cmdResetTermsRates")->toolTip(), QStringLiteral("Reset terms and rates"));
    QCOMPARE(m.button("cmdRefreshTermsRates")->text(), QStringLiteral("Refr&esh terms and rates"));
    QVERIFY(m.memo("txtAbout")->toPlainText().startsWith(QStringLiteral("Quotaro\n")));

    // Tab runs value, its reset, then the term and its neighbours.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(m.focus(), QStringLiteral("cmdValueReset"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));

    // The menus and their items.
    QStringList menus;
    for (QAction *a : w->menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"&File", "&Setup", "&Quotes", "&Help"}));
    QStringList setup;
    for (QAction *a : w->findChild<QMenu *>("menuSetup")->actions())
        setup << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(setup, (QStringList{"&Printer setup", "P&age setup", "-", "&Terms setup", "&Rates setup"}));
    QVERIFY(w->findChild<QAction *>("helpRemoteSupport"));
}

void TestStartup::listsAreFilledAndOrdered()
{
    MainWindow m;
    m.entries(Paths::upfrontsFolder(), {"12", "3", "6"});
    m.entries(Paths::midsFolder(), {"0", "24", "12"});
    m.entries(Paths::finalsFolder(), {"12", "3", "24", "6", "1"});
    m.entries(Paths::ratesFolder(), {"5.50", "12.00", "25.00"});
    m.t.write(Paths::ratesFolder() + "\\7.TXT", QByteArray());
    m.files.order[Paths::ratesFolder()] = QStringList{"5.50.txt", "7.TXT", "12.00.txt", "25.00.txt"};
    QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
    QVERIFY(m.t.messages.messages.isEmpty());
    QCOMPARE(itemsOf(m.combo("comUpfronts")), (QStringList{"3", "6", "12"}));
    QCOMPARE(itemsOf(m.combo("comMids")), (QStringList{"0", "12", "24"}));
    QCOMPARE(itemsOf(m.combo("comFinals")), (QStringList{"1", "3", "6", "12", "24"}));
    // Rates keep text order, not numeric order.
    QCOMPARE(itemsOf(m.combo("comRates")), (QStringList{"12.00", "25.00", "5.50", "7"}));
}

void TestStartup::zeroSplitsTheNumericOrder()
{
    MainWindow m;
    m.standardLists();
    m.entries(Paths::midsFolder(), {"24", "0", "12"});
    m.files.order[Paths::midsFolder()] = QStringList{"24.txt", "0.txt", "12.txt", "36.txt"};
    QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
    QCOMPARE(itemsOf(m.combo("comMids")), (QStringList{"24", "0", "12", "36"}));
}

void TestStartup::emptyListsAreToldInOrderAndTheWindowStillShows()
{
    MainWindow m;
    QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
    QCOMPARE(m.t.messages.texts(), (QStringList{"You do not currently have any upfronts setup !",
                                                "You do not currently have any mids setup !",
                                                "You do not currently have any finals setup !",
                                                "You do not currently have any rates setup !"}));
    QStringList titles;
    for (const RecordedMessage &shown : m.t.messages.messages) {
        titles << shown.title;
        QCOMPARE(shown.icon, MsgIcon::Information);
    }
    QCOMPARE(titles, (QStringList{"Upfronts", "Mids", "Finals", "Rates"}));
    QCOMPARE(m.combo("comSelectTerm")->count(), 4);
    QVERIFY(m.window->isVisible());
}

void TestStartup::pickingAStructureSetsTheBoxes()
{
    MainWindow m;
    m.standardLists();
    m.start();
    struct Row {
        QString term;
        bool upfront, mid, final, rate;
    };
    const Row rows[] = {{"Upfront+Mid+Final", true, true, true, true},
                        {"Upfront+Mid", true, true, false, true},
                        {"Mid+Final", false, true, true, true},
                        {"Mid", false, true, false, true}};
    for (const Row &row : rows) {
        m.pick("comSelectTerm", row.term);
        QCOMPARE(m.combo("comSelectTerm")->currentText(), row.term);
        QCOMPARE(m.combo("comUpfronts")->isEnabled(), row.upfront);
        QCOMPARE(m.combo("comMids")->isEnabled(), row.mid);
        QCOMPARE(m.combo("comFinals")->isEnabled(), row.final);
        QCOMPARE(m.combo("comRates")->isEnabled(), row.rate);
    }

    // Picking again empties the value boxes but keeps their lists.
    m.pick("comSelectTerm", "Upfront+Mid+Final");
    m.pick("comUpfronts", "6");
    m.pick("comMids", "24");
    m.pick("comFinals", "2");
    m.pick("comRates", "25.00");
    QCOMPARE(m.combo("comRates")->currentText(), QStringLiteral("25.00"));
    m.pick("comSelectTerm", "Mid");
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"})
        QCOMPARE(m.combo(name)->currentText(), QString());
    QCOMPARE(m.combo("comMids")->count(), 3);
    QVERIFY(!m.combo("comUpfronts")->isEnabled() && !m.combo("comFinals")->isEnabled());
    QVERIFY(m.t.messages.messages.isEmpty());
}

void TestStartup::typingAStructureChangesNothing()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeIntoCombo("comSelectTerm", "Upfront+Final");
    QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Tab);
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"})
        QVERIFY2(!m.combo(name)->isEnabled(), name);

    // Even a structure's exact name, typed rather than picked, leaves them.
    m.typeIntoCombo("comSelectTerm", "mid");
    QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Return);
    QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Tab);
    QCOMPARE(m.combo("comSelectTerm")->currentText(), QStringLiteral("mid"));
    QCOMPARE(m.combo("comSelectTerm")->count(), 4);
    QVERIFY(!m.combo("comMids")->isEnabled());
    m.typeIntoCombo("comSelectTerm", "Mid");
    QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Tab);
    QVERIFY(!m.combo("comMids")->isEnabled());
    QVERIFY(!m.combo("comRates")->isEnabled());
}

void TestStartup::refreshRereadsTheFoldersAndTellsOfIt()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.pick("comSelectTerm", "Upfront+Mid+Final");
    m.pick("comMids", "24");
    // The setup windows change the folders; the lists follow on refresh.
    m.t.remove(Paths::finalsFolder() + "\\1.txt");
    m.t.remove(Paths::finalsFolder() + "\\2.txt");
    m.entries(Paths::upfrontsFolder(), {"12", "3", "1", "6"});
    m.t.messages.onShow = [&](const RecordedMessage &shown) {
        if (shown.title != QStringLiteral("Terms and rates"))
            return;
        // The boxes are emptied and disabled before the message.
        QCOMPARE(m.combo("comSelectTerm")->currentText(), QString());
        QVERIFY(!m.combo("comMids")->isEnabled());
    };
    m.click("cmdRefreshTermsRates");
    m.t.messages.onShow = nullptr;
    QCOMPARE(m.t.messages.texts(), (QStringList{"You do not currently have any finals setup !",
                                                "The terms and rates have been refreshed !"}));
    QCOMPARE(m.t.messages.messages[1].title, QStringLiteral("Terms and rates"));
    QCOMPARE(m.t.messages.messages[1].icon, MsgIcon::Information);
    QCOMPARE(itemsOf(m.combo("comUpfronts")), (QStringList{"1", "3", "6", "12"}));
    QCOMPARE(m.combo("comFinals")->count(), 0);
    QCOMPARE(m.combo("comMids")->currentText(), QString());
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"})
        QVERIFY2(!m.combo(name)->isEnabled(), name);
    QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));

    // A folder that vanished is named; the window stays usable.
    m.t.messages.clear();
    m.t.remove(Paths::ratesFolder());
    m.click("cmdRefreshTermsRates");
    QCOMPARE(m.t.messages.texts(),
             (QStringList{"You do not currently have any finals setup !",
                          "The directory (" + Root + "\\Rates Settings) cannot be read !",
                          "You do not currently have any rates setup !",
                          "The terms and rates have been refreshed !"}));
    QCOMPARE(m.combo("comRates")->count(), 0);
    m.pick("comSelectTerm", "Mid");
    QVERIFY(m.combo("comRates")->isEnabled());
}

void TestStartup::resetOfTermsAndRates()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.pick("comSelectTerm", "Upfront+Mid");
    m.pick("comUpfronts", "3");
    m.pick("comRates", "30.00");
    m.typeInto("txtValue", "5000");
    m.click("cmdResetTermsRates");
    for (const char *name : {"comSelectTerm", "comUpfronts", "comMids", "comFinals", "comRates"})
        QCOMPARE(m.combo(name)->currentText(), QString());
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"})
        QVERIFY2(!m.combo(name)->isEnabled(), name);
    QCOMPARE(m.combo("comUpfronts")->count(), 3);
    QCOMPARE(m.edit("txtValue")->text(), QStringLiteral("5000"));
    QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));
    QVERIFY(m.t.messages.messages.isEmpty());
}

void TestStartup::multiplierBoxesTakeOnlyDigits()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.pick("comSelectTerm", "Upfront+Mid+Final");
    for (const char *name : {"comUpfronts", "comMids", "comFinals"}) {
        QLineEdit *line = m.combo(name)->lineEdit();
        line->setFocus();
        QTest::keyClicks(line, "1.5a-2 x3");
        QCOMPARE(line->text(), QStringLiteral("1523"));
        QTest::keyClick(line, Qt::Key_Backspace);
        QCOMPARE(line->text(), QStringLiteral("152"));
        QTest::keyClick(line, Qt::Key_Left);
        QTest::keyClick(line, Qt::Key_Delete);
        QCOMPARE(line->text(), QStringLiteral("15"));
    }
    // Rates and the term box take anything.
    QLineEdit *rates = m.combo("comRates")->lineEdit();
    rates->setFocus();
    QTest::keyClicks(rates, "12.5x");
    QCOMPARE(rates->text(), QStringLiteral("12.5x"));
}

void TestStartup::resetButtonsClearTheirBoxes()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "9000");
    m.typeInto("txtSaveQuote", "Smith");
    m.type(m.memo("txtEquipmentDetails"), "Forklift");
    m.type(m.memo("txtCustomerDetails"), "J Smith");
    m.edit("txtSaveQuote")->setFocus();
    m.click("cmdValueReset");
    QCOMPARE(m.edit("txtValue")->text(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtValue"));
    m.click("cmdResetSave");
    QCOMPARE(m.edit("txtSaveQuote")->text(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtSaveQuote"));
    m.click("cmdEquipmentReset");
    QCOMPARE(m.memo("txtEquipmentDetails")->toPlainText(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtEquipmentDetails"));
    m.click("cmdCustomerReset");
    QCOMPARE(m.memo("txtCustomerDetails")->toPlainText(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtCustomerDetails"));

    // The quotation reset empties every result and moves no focus.
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    QCOMPARE(m.edit("txtMonthly")->text(), QStringLiteral("$300.00"));
    m.memo("txtCustomerDetails")->setFocus();
    m.button("cmdQuotationReset")->click();
    for (const char *name : {"txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle",
                             "txtTermEnd", "txtRate", "txtUpfront", "txtMonthly", "txtFinal",
                             "txtWeekly", "txtDaily"})
        QCOMPARE(m.edit(name)->text(), QString());
    QCOMPARE(m.focus(), QStringLiteral("txtCustomerDetails"));
    QVERIFY(m.t.messages.messages.isEmpty());
}

void TestStartup::resetAllClearsTheWholeWindow()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30");
    m.typeInto("txtSaveQuote", "Smith");
    m.type(m.memo("txtEquipmentDetails"), "Forklift");
    m.type(m.memo("txtCustomerDetails"), "J Smith");
    m.click("cmdResetAll");
    QCOMPARE(m.edit("txtValue")->text(), QString());
    for (const char *name : {"comSelectTerm", "comUpfronts", "comMids", "comFinals", "comRates"})
        QCOMPARE(m.combo(name)->currentText(), QString());
    for (const char *name : {"txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle",
                             "txtTermEnd", "txtRate", "txtUpfront", "txtMonthly", "txtFinal",
                             "txtWeekly", "txtDaily", "txtSaveQuote"})
        QCOMPARE(m.edit(name)->text(), QString());
    QCOMPARE(m.memo("txtEquipmentDetails")->toPlainText(), QString());
    QCOMPARE(m.memo("txtCustomerDetails")->toPlainText(), QString());
    for (const char *name : {"comUpfronts", "comMids", "comFinals", "comRates"})
        QVERIFY2(!m.combo(name)->isEnabled(), name);
    QVERIFY(m.combo("comSelectTerm")->isEnabled());
    QCOMPARE(m.focus(), QStringLiteral("txtValue"));
    // The lists stay; picking a structure enables them again.
    QCOMPARE(m.combo("comSelectTerm")->count(), 4);
    QCOMPARE(m.combo("comRates")->count(), 3);
    m.pick("comSelectTerm", "Mid+Final");
    QVERIFY(m.combo("comFinals")->isEnabled());
    // And a reset quotation cannot be saved or printed.
    m.typeInto("txtSaveQuote", "Smith");
    m.click("cmdSave");
    m.click("cmdPrint");
    QCOMPARE(m.t.messages.texts(), (QStringList{"Please generate a quote to save !",
                                                "Please generate a quote to print !"}));
    QVERIFY(!m.t.exists(Paths::quoteFile("Smith")));
}

void TestStartup::exitAsksOnEveryClosePath()
{
    MainWindow m;
    m.standardLists();
    m.start();
    m.typeInto("txtValue", "1234");

    m.t.messages.answerNext(MsgAnswer::No);
    m.click("cmdExit");
    QVERIFY(m.window->isVisible());
    QCOMPARE(m.edit("txtValue")->text(), QStringLiteral("1234"));

    m.t.messages.answerNext(MsgAnswer::No);
    m.window->findChild<QAction *>("fileExit")->trigger();
    QVERIFY(m.window->isVisible());

    m.t.messages.answerNext(MsgAnswer::No);
    QVERIFY(!m.window->close()); // the title bar's close
    QVERIFY(m.window->isVisible());

    QCOMPARE(m.t.messages.texts(), (QStringList{AskExit, AskExit, AskExit}));
    for (const RecordedMessage &shown : m.t.messages.messages) {
        QCOMPARE(shown.title, QStringLiteral("Quotaro"));
        QCOMPARE(shown.icon, MsgIcon::Question);
        QCOMPARE(shown.buttons, MsgButtons::YesNo);
    }

    m.t.messages.answerNext(MsgAnswer::Yes);
    m.click("cmdExit");
    QVERIFY(!m.window->isVisible());
    QCOMPARE(m.t.messages.messages.size(), 4);
    QVERIFY(!m.t.messages.unscriptedQuestion);
}

void TestStartup::menusAndButtonsOpenTheirWindows()
{
    MainWindow m;
    m.standardLists();
    m.start();
    const QList<QPair<QString, QString>> openers{
        {"setupPrinterSetup", "frmPrinterSetup"},
        {"setupPageSetup", "frmPageSetup"},
        {"setupTermsSetup", "frmTermsSetup"},
        {"setupRatesSetup", "frmRatesSetup"},
        {"quotesOpenSavedQuotes", "frmOpenSavedQuotes"},
        {"helpCalculationFormula", "frmCalculationFormula"},
        {"helpAbout", "frmAbout"},
        {"cmdOpenSavedQuotes", "frmOpenSavedQuotes"}};
    for (const auto &[opener, window] : openers) {
        QString opened;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(w->metaObject()->className());
                modal = w->isModal();
                w->close();
            }
        });
        if (QAction *action = m.window->findChild<QAction *>(opener))
            action->trigger();
        else
            m.button(opener.toLatin1().constData())->click();
        QCOMPARE(opened, window);
        QVERIFY(modal);
    }
    // The main window reads nothing back: its lists stay as they were.
    QCOMPARE(itemsOf(m.combo("comUpfronts")), (QStringList{"1", "3", "6"}));

    // Remote support starts the tool of the support folder.
    m.t.write(Paths::remoteSupportTool(), "tool");
    m.window->findChild<QAction *>("helpRemoteSupport")->trigger();
    QCOMPARE(m.t.launcher.programs, QStringList{m.t.native(Paths::remoteSupportTool())});
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
