// Start-up, the term and value lists, the resets and the exit question of
// the main window, driven through the window itself.
#include "MainWindowFixture.h"

#include <QTimer>

namespace {
const QString Root = QStringLiteral("C:\\Program Files\\Kestrane\\Quotaro\\");
const QString AskExit = QStringLiteral(
    "Quotaro: Are you sure you want to exit Quotaro ? (Question, YesNo)");
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void settingsThatCannotBeReadEndTheStart_data()
    {
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("written"); // a file given the bytes, then made size bytes long
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<QString>("message");
        const auto row = [](const QStringList &removed, const QString &path,
                            const char *fault = "cannot be found", const QString &written = {},
                            bool unreadable = false, const QByteArray &bytes = {},
                            qint64 size = 0) {
            const char *kind = path.endsWith(".txt") ? "The file (" : "The directory (";
            QTest::newRow(qPrintable(path + ' ' + fault))
                << removed << written << bytes << size << unreadable
                << kind + Root + path + ") " + fault + " !";
        };
        // Only the first missing path is named, the files before the folders.
        for (const QString &paths :
             QStringList{"Printer Settings\\Printer.txt", "Printer Settings\\VerticalMargin.txt",
                         "Page Settings\\Footer.txt", "Intergration Settings\\Intergration.txt",
                         "Support Tools", "Rates Settings", "Quotes",
                         "Page Settings\\Header.txt|Page Settings\\Footer.txt",
                         "Quotes|Printer Settings\\Bold.txt|Terms Mid Settings"}) {
            const QStringList removed = paths.split('|');
            row(QStringList(removed).replaceInStrings(QRegularExpression("^"), Root),
                removed.filter(".txt").value(0, removed[0]));
        }
        row({}, "Printer Settings\\Printer.txt", "cannot be read", {}, true);
        row({}, "Printer Settings\\FontSize.txt", "is empty", Paths::fontSizeFile());
        // Damaged files far larger than a setting are refused, not read whole
        // (sparse files: only their first bytes are ever read).
        const char *longValue = "is too large to be read, a setting cannot be longer than 64 KB";
        row({}, "Printer Settings\\Bold.txt", longValue, Paths::boldFile(), false,
            QByteArray(64 * 1024 + 1, 'x'));
        row({}, "Printer Settings\\Font.txt", longValue, Paths::fontFile(), false, "Arial",
            qint64(1) << 30);
        row({}, "Page Settings\\Header.txt",
            "is too large to be read, a page header or footer cannot be larger than 4 MB",
            Paths::headerFile(), false, "Kestrel Leasing\r\n", 4 * 1024 * 1024 + 1);
    }

    void settingsThatCannotBeReadEndTheStart()
    {
        QFETCH(QStringList, removed);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(bool, unreadable);
        QFETCH(QString, message);
        MainWindow m;
        m.standardLists();
        for (const QString &path : removed)
            m.t.remove(path);
        if (!written.isEmpty()) {
            m.t.write(written, bytes);
            QVERIFY(size == 0 || QFile::resize(m.t.native(written), size));
        }
        m.t.files.failReads = unreadable;
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.said(), QStringList{"Quotaro: " + message + " (Exclamation)"});
        if (written.isEmpty())
            QVERIFY(m.t.settings.printer.PrinterFont.isEmpty());
        QCOMPARE(m.combo("comUpfronts")->count(), 0);
        // A close after the end asks nothing.
        QVERIFY(m.window->close());
        QCOMPARE(m.t.messages.messages.size(), 1);
    }

    void secondCopyEndsWithoutReadingAnything()
    {
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            MainWindow m;
            m.standardLists();
            m.t.instance.other = true;
            m.t.messages.answerNext(answer);
            QCOMPARE(m.start(), frmQuotaro::StartResult::EndAlreadyRunning);
            QCOMPARE(m.said(),
                     (QStringList{"Quotaro: Quotaro is already running ! (Exclamation)", AskExit}));
            QVERIFY(m.t.settings.printer.PrinterName.isEmpty());
            QCOMPARE(m.t.printers.current, QStringLiteral("Office Laser"));
            QCOMPARE(m.combo("comSelectTerm")->count() + m.combo("comUpfronts")->count(), 0);
        }
    }

    void printerIsSelectedByItsStoredName_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("systemDefault");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("name");
        QTest::newRow("Default") << QByteArray("Default\r\n") << "Front Desk"
                                 << "Front Desk"
                                 << "Front Desk";
        QTest::newRow("named") << QByteArray("Front Desk\r\n") << "Office Laser"
                               << "Front Desk"
                               << "Front Desk";
        QTest::newRow("removed") << QByteArray("Removed Printer\r\n") << "Office Laser"
                                 << "Office Laser"
                                 << "Removed Printer";
        QTest::newRow("other case") << QByteArray("front desk\r\n") << "Office Laser"
                                    << "Office Laser"
                                    << "front desk";
        // A file holding only its line end was written that way by the program.
        QTest::newRow("line end only") << QByteArray("\r\n") << "Office Laser"
                                       << "Office Laser"
                                       << "";
    }

    void printerIsSelectedByItsStoredName()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, systemDefault);
        QFETCH(QString, selected);
        QFETCH(QString, name);
        MainWindow m;
        m.t.write(Paths::printerFile(), stored);
        m.t.printers.current = systemDefault;
        QVERIFY(m.open());
        QCOMPARE(m.t.printers.current, selected);
        QCOMPARE(m.t.settings.printer.PrinterName, name);
        QCOMPARE(m.t.read(Paths::printerFile()), stored);
        // The printer found at start-up is held: a new system default later
        // does not move the quote away from it.
        m.t.printers.changeSystemDefault("Elsewhere");
        m.quoteFull();
        m.click("cmdPrint");
        QCOMPARE(m.t.printers.lastJob().device, selected);
    }

    void windowComesUpWithItsSettingsAndLists()
    {
        MainWindow m;
        m.t.write(Paths::fontFile(), "  Courier New, Bold\r\n");
        m.t.write(Paths::fontSizeFile(), "12\r\nignored\r\n");
        m.t.write(Paths::boldFile(), "On\r\n");
        QVERIFY(QFile::resize(m.t.native(Paths::boldFile()),
                              qint64(1) << 30)); // only its first line is read
        m.t.write(Paths::italicFile(), "\"Off\"\r\n");
        m.t.write(Paths::underlineFile(), "on\r\n");
        m.t.write(Paths::horizontalMarginFile(), "720\r\n");
        m.t.write(Paths::verticalMarginFile(), "360\r\n");
        m.t.write(Paths::headerFile(), "Kestrel Leasing, Unit 4\r\nHigh Street\r\n");
        m.t.write(Paths::footerFile(), "Thank you");
        m.entries(Paths::upfrontsFolder(), {"12", "3", "24", "6", "1"});
        // A zero first sorts; a zero met later splits the numeric order.
        m.entries(Paths::finalsFolder(), {"0", "24", "12"});
        m.entries(Paths::midsFolder(), {"24", "0", "12", "36"});
        m.entries(Paths::ratesFolder(), {"5.50", "12.00", "25.00"});
        m.t.write(Paths::ratesFolder() + "\\7.TXT", QByteArray());
        m.t.files.order[Paths::ratesFolder()] = QStringList{"5.50.txt", "7.TXT", "12.00.txt",
                                                            "25.00.txt"};
        // The program's own temporary files left by killed writes go once an
        // hour old; a younger one may be a write in progress on another
        // computer, and names the program never makes stay.
        const QString quotes = Paths::quotesFolder() + "\\",
                      printer = Paths::installRoot() + "\\Printer Settings\\";
        const QStringList left{".quotaro-AbC1234", ".quotaro-Young1", "notes.quotaro-AbC123"};
        for (const QString &temp : left + QStringList{".quotaro-AbC123", ".quotaro-x9Z8y7"})
            m.t.write(quotes + temp, "x");
        m.t.write(printer + ".quotaro-Old123", "x");
        for (const QString &temp : {quotes + ".quotaro-AbC1234", quotes + "notes.quotaro-AbC123",
                                    quotes + ".quotaro-AbC123", quotes + ".quotaro-x9Z8y7",
                                    printer + ".quotaro-Old123"}) {
            QFile file(m.t.native(temp));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 3600),
                                     QFileDevice::FileModificationTime));
        }
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QCOMPARE(QDir(m.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
                 left);
        QVERIFY(!m.t.exists(printer + ".quotaro-Old123"));
        QCOMPARE(m.said(), QStringList());
        QCOMPARE(itemsOf(m.window.get(), "comUpfronts"), (QStringList{"1", "3", "6", "12", "24"}));
        QCOMPARE(itemsOf(m.window.get(), "comFinals"), (QStringList{"0", "12", "24"}));
        QCOMPARE(itemsOf(m.window.get(), "comMids"), (QStringList{"24", "0", "12", "36"}));
        // Rates keep text order, not numeric order.
        QCOMPARE(itemsOf(m.window.get(), "comRates"), (QStringList{"12.00", "25.00", "5.50", "7"}));
        const PrinterSettings &p = m.t.settings.printer;
        QCOMPARE((QStringList{p.PrinterFont, p.PrinterFontSize, p.PrinterBold, p.PrinterItalic,
                              p.PrinterUnderline, p.HorizontalMargin, p.VerticalMargin}),
                 (QStringList{"Courier New", "12", "On", "Off", "on", "720", "360"}));
        QCOMPARE(m.t.settings.page.PageHeader,
                 QStringLiteral("Kestrel Leasing, Unit 4\r\nHigh Street\r\n"));
        QCOMPARE(m.t.settings.page.PageFooter, QStringLiteral("Thank you\r\n"));
        frmQuotaro *w = m.window.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quotaro"));
        QCOMPARE(m.focus(), QStringLiteral("txtValue"));
        QCOMPARE(itemsOf(w, "comSelectTerm"),
                 (QStringList{"Upfront+Mid+Final", "Upfront+Mid", "Mid+Final", "Mid"}));
        QCOMPARE(m.textsOf(TermBoxes), QStringList(5, QString()));
        QCOMPARE(m.openBoxes(), QStringLiteral("----"));
        // The value takes seven characters, the quote name a hundred.
        m.type("txtValue", "123456789");
        m.type("txtSaveQuote", QString(101, 'n'));
        QCOMPARE(m.textsOf({"txtValue", "txtSaveQuote"}),
                 (QStringList{"1234567", QString(100, 'n')}));
        QVERIFY(child<QLineEdit>(w, "txtMonthly")->isReadOnly());
        QVERIFY(m.textOf("txtAbout").startsWith(QStringLiteral("Quotaro\n")));
    }

    void pickingAStructureOpensTheDigitOnlyBoxes()
    {
        MainWindow m;
        QVERIFY(m.open());
        const QList<QPair<QString, QString>> rows{{"Upfront+Mid+Final", "UMFR"},
                                                  {"Upfront+Mid", "UM-R"},
                                                  {"Mid+Final", "-MFR"},
                                                  {"Mid", "-M-R"}};
        for (const auto &[term, open] : rows) {
            m.pick("comSelectTerm", term);
            QCOMPARE(m.textOf("comSelectTerm"), term);
            QCOMPARE(m.openBoxes(), open);
        }
        // The multipliers take digits only; rates take anything.
        m.pick("comSelectTerm", "Upfront+Mid+Final");
        for (const QString &name : QStringList{"comUpfronts", "comMids", "comFinals"}) {
            QLineEdit *line = m.combo(name)->lineEdit();
            line->setFocus();
            QTest::keyClicks(line, "1.5a-2 x3");
            QCOMPARE(line->text(), QStringLiteral("1523"));
            QTest::keyClick(line, Qt::Key_Backspace);
            QTest::keyClick(line, Qt::Key_Left);
            QTest::keyClick(line, Qt::Key_Delete);
            QCOMPARE(line->text(), QStringLiteral("15"));
        }
        m.type("comRates", "12.5x");
        QCOMPARE(m.textOf("comRates"), QStringLiteral("12.5x"));
        // Picking again empties the value boxes but keeps their lists.
        const QStringList picked{"6", "24", "2", "25.00"};
        for (int i = 0; i < 4; ++i)
            m.pick(ValueBoxes[i], picked[i]);
        QCOMPARE(m.textOf("comRates"), QStringLiteral("25.00"));
        m.pick("comSelectTerm", "Mid");
        QCOMPARE(m.textsOf(ValueBoxes), QStringList(4, QString()));
        QCOMPARE(m.combo("comMids")->count(), 3);
        // Nothing stays picked behind the emptied box: Down gives the first mid.
        QTest::keyClick(m.combo("comMids")->lineEdit(), Qt::Key_Down);
        QCOMPARE(m.textOf("comMids"), QStringLiteral("12"));
        QVERIFY(m.t.messages.messages.isEmpty());
    }

    void emptyListsAreToldAndRefreshRereadsTheFolders()
    {
        MainWindow m;
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QCOMPARE(
            m.said(),
            (QStringList{"Upfronts: You do not currently have any upfronts setup ! (Information)",
                         "Mids: You do not currently have any mids setup ! (Information)",
                         "Finals: You do not currently have any finals setup ! (Information)",
                         "Rates: You do not currently have any rates setup ! (Information)"}));
        QVERIFY(m.window->isVisible());
        m.pick("comSelectTerm", "Upfront+Mid+Final");
        m.type("comMids", "24");
        m.t.messages.clear();
        // The setup windows fill the folders; the lists follow on refresh.
        m.entries(Paths::upfrontsFolder(), {"12", "3", "1", "6"});
        m.entries(Paths::midsFolder(), {"36", "12", "24"});
        m.entries(Paths::ratesFolder(), {"30.00", "22.10", "25.00"});
        m.t.messages.onShow = [&](const RecordedMessage &shown) {
            if (shown.title != QStringLiteral("Terms and rates"))
                return;
            // The boxes are emptied and disabled before the message.
            QCOMPARE(m.textOf("comSelectTerm"), QString());
            QVERIFY(!m.combo("comMids")->isEnabled());
        };
        m.click("cmdRefreshTermsRates");
        m.t.messages.onShow = nullptr;
        const QString noFinals = QStringLiteral(
            "Finals: You do not currently have any finals setup ! (Information)");
        const QString refreshed = QStringLiteral(
            "Terms and rates: The terms and rates have been refreshed ! (Information)");
        QCOMPARE(m.said(), (QStringList{noFinals, refreshed}));
        QCOMPARE(itemsOf(m.window.get(), "comUpfronts"), (QStringList{"1", "3", "6", "12"}));
        QCOMPARE(m.combo("comFinals")->count(), 0);
        QCOMPARE(m.textOf("comMids"), QString());
        QCOMPARE(m.openBoxes(), QStringLiteral("----"));
        QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));

        // A folder that vanished is named; the window stays usable.
        m.t.messages.clear();
        m.t.remove(Paths::ratesFolder());
        m.click("cmdRefreshTermsRates");
        QCOMPARE(
            m.said(),
            (QStringList{
                noFinals,
                "Rates: The directory (" + Root + "Rates Settings) cannot be read ! (Exclamation)",
                "Rates: You do not currently have any rates setup ! (Information)", refreshed}));
        QCOMPARE(m.combo("comRates")->count(), 0);
        m.pick("comSelectTerm", "Mid");
        QVERIFY(m.combo("comRates")->isEnabled());
    }

    void resetButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QString>("focus");
        QTest::newRow("value") << "cmdValueReset" << QStringList{"txtValue"} << "txtValue";
        QTest::newRow("save name")
            << "cmdResetSave" << QStringList{"txtSaveQuote"} << "txtSaveQuote";
        QTest::newRow("equipment")
            << "cmdEquipmentReset" << QStringList{"txtEquipmentDetails"} << "txtEquipmentDetails";
        QTest::newRow("customer") << "cmdCustomerReset" << QStringList{"txtCustomerDetails"}
                                  << "txtCustomerDetails";
        // The quotation reset moves no focus.
        QTest::newRow("quotation") << "cmdQuotationReset" << ResultFields << "cmdQuotationReset";
        QTest::newRow("terms and rates") << "cmdResetTermsRates" << TermBoxes << "comSelectTerm";
        QTest::newRow("all") << "cmdResetAll" << AllInputs << "txtValue";
    }

    void resetButtons()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, emptied);
        QFETCH(QString, focus);
        MainWindow m;
        QVERIFY(m.open());
        m.quoteFull();
        m.type("txtSaveQuote", "Smith");
        m.type("txtEquipmentDetails", "Forklift");
        m.type("txtCustomerDetails", "J Smith");
        QStringList expected = m.textsOf(AllInputs);
        QVERIFY(!expected.contains(QString()));
        for (int i = 0; i < AllInputs.size(); ++i)
            if (emptied.contains(AllInputs[i]))
                expected[i].clear();
        m.click(button);
        QCOMPARE(m.textsOf(AllInputs), expected);
        QCOMPARE(m.focus(), focus);
        QVERIFY(m.t.messages.messages.isEmpty());
        // The lists stay; without a new pick their boxes take no input.
        QCOMPARE(m.combo("comRates")->count(), 3);
        QCOMPARE(m.combo("comSelectTerm")->count(), 4);
        if (emptied.contains("comSelectTerm")) {
            QCOMPARE(m.openBoxes(), QStringLiteral("----"));
            // As when the window opened, nothing is picked: Down starts at
            // the first item of each box.
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Down);
            QCOMPARE(m.textOf("comSelectTerm"), QStringLiteral("Mid+Final"));
            QCOMPARE(m.openBoxes(), QStringLiteral("-MFR"));
            QTest::keyClick(m.combo("comRates")->lineEdit(), Qt::Key_Down);
            QCOMPARE(m.textOf("comRates"), QStringLiteral("22.10"));
        }
        // A quotation reset cannot be saved or printed.
        if (emptied.contains("txtMonthly")) {
            m.saveAs("Smith");
            m.click("cmdPrint");
            QCOMPARE(m.said(),
                     (QStringList{
                         "No quote to save: Please generate a quote to save ! (Exclamation)",
                         "No quote to print: Please generate a quote to print ! (Exclamation)"}));
            QVERIFY(!m.t.exists(Paths::quoteFile("Smith")));
        }
    }

    void menusOpenTheirWindowsAndExitAsksFirst()
    {
        MainWindow m;
        QVERIFY(m.open());
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
            QTimer::singleShot(0, [&] {
                if (QWidget *w = QApplication::activeModalWidget()) {
                    opened = QString::fromLatin1(w->metaObject()->className());
                    w->close();
                }
            });
            if (opener.startsWith("cmd"))
                m.click(opener);
            else
                trigger(m.window.get(), opener);
            QCOMPARE(opened, window);
        }
        // The main window reads nothing back: its lists stay as they were.
        QCOMPARE(itemsOf(m.window.get(), "comUpfronts"), (QStringList{"1", "3", "6"}));

        // Remote support starts the tool of the support folder.
        m.t.write(Paths::remoteSupportTool(), "tool");
        trigger(m.window.get(), "helpRemoteSupport");
        QCOMPARE(m.t.launcher.programs, QStringList{m.t.native(Paths::remoteSupportTool())});

        // Every way out asks first; No keeps the window as it was.
        m.t.messages.clear();
        m.type("txtValue", "1234");
        m.t.messages.answers.append({MsgAnswer::No, MsgAnswer::No, MsgAnswer::No});
        m.click("cmdExit");
        trigger(m.window.get(), "fileExit");
        QVERIFY(!m.window->close()); // the title bar's close
        QVERIFY(m.window->isVisible());
        QCOMPARE(m.said(), (QStringList{AskExit, AskExit, AskExit}));
        QCOMPARE(m.textOf("txtValue"), QStringLiteral("1234"));

        m.t.messages.answerNext(MsgAnswer::Yes);
        m.click("cmdExit");
        QVERIFY(!m.window->isVisible());
        QCOMPARE(m.t.messages.messages.size(), 4);
        QVERIFY(!m.t.messages.unscriptedQuestion);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
