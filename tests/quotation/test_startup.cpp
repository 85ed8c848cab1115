// Start-up, the term and value lists, the resets and the exit question of
// the main window, driven through the window itself.
#include "MainWindowFixture.h"

namespace {
const QString Root = "C:\\Program Files\\Kestrane\\Quotaro\\";
const QString AskExit = "Quotaro: Are you sure you want to exit Quotaro ? (Question, YesNo)";
const QString Told = "%1: You do not currently have any %2 setup ! (Information)";
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void settingsThatCannotBeReadEndTheStart_data()
    {
        // The paths removed ('|' between) or the file written and its size,
        // and the end of the message naming the first path at fault.
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("message");
        const auto row = [](const QString &removed, const QString &message,
                            const QString &written = {}, const QByteArray &bytes = {},
                            qint64 size = 0) {
            const QString path = removed.isEmpty()
                ? written
                : removed.split('|').filter(".txt").value(0, removed.section('|', 0, 0));
            QTest::newRow(qPrintable(path + ' ' + message))
                << removed << written << bytes << size
                << (path.endsWith(".txt") ? "The file (" : "The directory (") + Root + path + ") "
                    + message + " !";
        };
        // Only the first missing path is named, the files before the folders.
        for (const QString &removed :
             QStringList{"Printer Settings\\Printer.txt", "Printer Settings\\VerticalMargin.txt",
                         "Page Settings\\Footer.txt", "Intergration Settings\\Intergration.txt",
                         "Support Tools", "Rates Settings", "Quotes",
                         "Page Settings\\Header.txt|Page Settings\\Footer.txt",
                         "Quotes|Printer Settings\\Bold.txt|Terms Mid Settings"})
            row(removed, "cannot be found");
        row("", "cannot be read", "Printer Settings\\Printer.txt"); // unreadable: no bytes given
        row("", "is empty", "Printer Settings\\FontSize.txt", "");
        // Damaged files far larger than a setting are refused, not read whole
        // (sparse files: only their first bytes are ever read).
        const char *tooLong = "is too large to be read, a setting cannot be longer than 64 KB";
        row("", tooLong, "Printer Settings\\Bold.txt", QByteArray(64 * 1024 + 1, 'x'));
        row("", tooLong, "Printer Settings\\Font.txt", "Arial", qint64(1) << 30);
        row("", "is too large to be read, a page header or footer cannot be larger than 4 MB",
            "Page Settings\\Header.txt", "Kestrel Leasing\r\n", 4 * 1024 * 1024 + 1);
    }

    void settingsThatCannotBeReadEndTheStart()
    {
        QFETCH(QString, removed);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, message);
        MainWindow m;
        m.standardLists();
        for (const QString &path : removed.split('|', Qt::SkipEmptyParts))
            m.t.remove(Root + path);
        if (!bytes.isNull()) {
            m.t.write(Root + written, bytes);
            QVERIFY(size == 0 || QFile::resize(m.t.native(Root + written), size));
        }
        m.t.files.failReads = !written.isEmpty() && bytes.isNull();
        QCOMPARE(m.start(), frmQuotaro::StartResult::EndMissingSettings);
        QCOMPARE(m.said(), QStringList{"Quotaro: " + message + " (Exclamation)"});
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
            // The running copy's files are its own: not even an old leftover goes.
            const QString leftover = Paths::quotesFolder() + "\\.quotaro-AbC123";
            m.t.write(leftover, "x");
            m.t.age(leftover, 7200);
            QCOMPARE(m.start(), frmQuotaro::StartResult::EndAlreadyRunning);
            QVERIFY(m.t.exists(leftover));
            QCOMPARE(m.said(),
                     (QStringList{"Quotaro: Quotaro is already running ! (Exclamation)", AskExit}));
            QVERIFY(m.t.settings.printer.PrinterName.isEmpty());
            QCOMPARE(m.t.printers.current, QStringLiteral("Office Laser"));
            QCOMPARE(m.combo("comSelectTerm")->count() + m.combo("comUpfronts")->count(), 0);
        }
    }

    // Printer.txt, the system default, the printer chosen and the name held.
    // A file holding only its line end was written that way by the program.
    void printerIsSelectedByItsStoredName_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const char *row :
             {"Default|Front Desk|Front Desk|Front Desk",
              "Front Desk|Office Laser|Front Desk|Front Desk",
              "Removed Printer|Office Laser|Office Laser|Removed Printer",
              "front desk|Office Laser|Office Laser|front desk", "|Office Laser|Office Laser|"})
            QTest::newRow(row) << QString(row).split('|');
    }

    void printerIsSelectedByItsStoredName()
    {
        QFETCH(QStringList, row);
        MainWindow m;
        m.t.write(Paths::printerFile(), row[0].toUtf8() + "\r\n");
        m.t.printers.current = row[1];
        QVERIFY(m.open());
        QCOMPARE(m.t.printers.current, row[2]);
        QCOMPARE(m.t.settings.printer.PrinterName, row[3]);
        QCOMPARE(m.t.read(Paths::printerFile()), row[0].toUtf8() + "\r\n");
        // The printer found at start-up is held: a new system default later
        // does not move the quote away from it.
        m.t.printers.changeSystemDefault("Elsewhere");
        m.quoteFull();
        m.click("cmdPrint");
        QCOMPARE(m.t.printers.lastJob().device, row[2]);
    }

    void windowComesUpWithItsSettingsAndLists()
    {
        MainWindow m;
        for (const auto &[file, text] :
             {std::pair{Paths::fontFile(), "  Courier New, Bold\r\n"},
              {Paths::fontSizeFile(), "12\r\nignored\r\n"},
              {Paths::boldFile(), "On\r\n"},
              {Paths::italicFile(), "\"Off\"\r\n"},
              {Paths::underlineFile(), "on\r\n"},
              {Paths::horizontalMarginFile(), "720\r\n"},
              {Paths::verticalMarginFile(), "360\r\n"},
              {Paths::headerFile(), "Kestrel Leasing, Unit 4\r\nHigh Street\r\n"},
              {Paths::footerFile(), "Thank you"}})
            m.t.write(file, text);
        // Only the first line is read.
        QVERIFY(QFile::resize(m.t.native(Paths::boldFile()), qint64(1) << 30));
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
                      printer = Paths::installRoot() + "\\Printer Settings\\.quotaro-Old123";
        const QStringList left{".quotaro-AbC1234", ".quotaro-Young1", "notes.quotaro-AbC123"};
        for (const QString &temp : QStringList{".quotaro-AbC123", ".quotaro-x9Z8y7", ""} + left) {
            const QString path = temp.isEmpty() ? printer : quotes + temp;
            m.t.write(path, "x");
            QFile file(m.t.native(path));
            QVERIFY(temp == ".quotaro-Young1"
                    || (file.open(QIODevice::ReadWrite)
                        && file.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                            QFileDevice::FileModificationTime)));
        }
        QCOMPARE(m.start(), frmQuotaro::StartResult::Show);
        QCOMPARE(QDir(m.t.native(Paths::quotesFolder())).entryList(QDir::Files | QDir::Hidden),
                 left);
        QVERIFY(!m.t.exists(printer));
        QCOMPARE(m.said(), QStringList());
        frmQuotaro *w = m.window.get();
        QCOMPARE(itemsOf(w, "comUpfronts"), (QStringList{"1", "3", "6", "12", "24"}));
        QCOMPARE(itemsOf(w, "comFinals"), (QStringList{"0", "12", "24"}));
        QCOMPARE(itemsOf(w, "comMids"), (QStringList{"24", "0", "12", "36"}));
        // Rates keep text order, not numeric order.
        QCOMPARE(itemsOf(w, "comRates"), (QStringList{"12.00", "25.00", "5.50", "7"}));
        const PrinterSettings &p = m.t.settings.printer;
        QCOMPARE((QStringList{p.PrinterFont, p.PrinterFontSize, p.PrinterBold, p.PrinterItalic,
                              p.PrinterUnderline, p.HorizontalMargin, p.VerticalMargin}),
                 (QStringList{"Courier New", "12", "On", "Off", "on", "720", "360"}));
        QCOMPARE(m.t.settings.page.PageHeader, "Kestrel Leasing, Unit 4\r\nHigh Street\r\n");
        QCOMPARE(m.t.settings.page.PageFooter, QStringLiteral("Thank you\r\n"));
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
        for (const QString &row : QStringList{"Upfront+Mid+Final UMFR", "Upfront+Mid UM-R",
                                              "Mid+Final -MFR", "Mid -M-R"}) {
            m.pick("comSelectTerm", row.section(' ', 0, 0));
            QCOMPARE(m.textOf("comSelectTerm"), row.section(' ', 0, 0));
            QCOMPARE(m.openBoxes(), row.section(' ', 1));
        }
        // The multipliers take digits only; rates take anything.
        m.pick("comSelectTerm", "Upfront+Mid+Final");
        for (int i = 0; i < 4; ++i) {
            m.type(ValueBoxes[i], "1.5a-2 x3");
            press(Qt::Key_Backspace);
            press(Qt::Key_Left);
            press(Qt::Key_Delete);
            QCOMPARE(m.textOf(ValueBoxes[i]), i < 3 ? QStringLiteral("15") : "1.5a-2 ");
        }
        // Picking again empties the value boxes but keeps their lists.
        const QStringList picked{"6", "24", "2", "25.00"};
        for (int i = 0; i < 4; ++i)
            m.pick(ValueBoxes[i], picked[i]);
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
        QCOMPARE(m.said(),
                 (QStringList{Told.arg("Upfronts", "upfronts"), Told.arg("Mids", "mids"),
                              Told.arg("Finals", "finals"), Told.arg("Rates", "rates")}));
        QVERIFY(m.window->isVisible());
        m.pick("comSelectTerm", "Upfront+Mid+Final");
        m.type("comMids", "24");
        m.t.messages.clear();
        // The setup windows fill the folders; the lists follow on refresh.
        m.entries(Paths::upfrontsFolder(), {"12", "3", "1", "6"});
        m.entries(Paths::midsFolder(), {"36", "12", "24"});
        m.entries(Paths::ratesFolder(), {"30.00", "22.10", "25.00"});
        QStringList atMessage; // the boxes are emptied and closed before the message
        m.t.messages.onShow = [&](const RecordedMessage &shown) {
            if (shown.title == "Terms and rates")
                atMessage << m.textOf("comSelectTerm") + m.openBoxes();
        };
        m.click("cmdRefreshTermsRates");
        QCOMPARE(atMessage, QStringList{"----"});
        m.t.messages.onShow = nullptr;
        const QString refreshed = "Terms and rates: The terms and rates have been refreshed ! "
                                  "(Information)";
        QCOMPARE(m.said(), (QStringList{Told.arg("Finals", "finals"), refreshed}));
        QCOMPARE(itemsOf(m.window.get(), "comUpfronts"), (QStringList{"1", "3", "6", "12"}));
        QCOMPARE(m.combo("comFinals")->count(), 0);
        QCOMPARE(m.textOf("comMids"), QString());
        QCOMPARE(m.focus(), QStringLiteral("comSelectTerm"));

        // A folder that vanished is named; the window stays usable.
        m.t.messages.clear();
        m.t.remove(Paths::ratesFolder());
        m.click("cmdRefreshTermsRates");
        QCOMPARE(m.said(),
                 (QStringList{Told.arg("Finals", "finals"),
                              "Rates: The directory (" + Root
                                  + "Rates Settings) cannot be read ! (Exclamation)",
                              Told.arg("Rates", "rates"), refreshed}));
        QCOMPARE(m.combo("comRates")->count(), 0);
        m.pick("comSelectTerm", "Mid");
        QVERIFY(m.combo("comRates")->isEnabled());
    }

    void resetButtons_data()
    {
        QTest::addColumn<QStringList>("emptied");
        QTest::addColumn<QString>("focus");
        for (const QString &box :
             QStringList{"Value", "SaveQuote", "EquipmentDetails", "CustomerDetails"})
            QTest::newRow(qPrintable("cmd" + QString(box).replace("Details", "") + "Reset"))
                << QStringList{"txt" + box} << "txt" + box;
        QTest::newRow("cmdQuotationReset") << ResultFields << "cmdQuotationReset"; // focus stays
        QTest::newRow("cmdResetTermsRates") << TermBoxes << "comSelectTerm";
        QTest::newRow("cmdResetAll") << AllInputs << "txtValue";
    }

    void resetButtons()
    {
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
        m.click(QString(QTest::currentDataTag()).replace("cmdSaveQuoteReset", "cmdResetSave"));
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
            QCOMPARE(m.textOf("comSelectTerm") + m.openBoxes(), QStringLiteral("Mid+Final-MFR"));
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
        for (const QString &row :
             QStringList{"setupPrinterSetup frmPrinterSetup", "setupPageSetup frmPageSetup",
                         "setupTermsSetup frmTermsSetup", "setupRatesSetup frmRatesSetup",
                         "quotesOpenSavedQuotes frmOpenSavedQuotes",
                         "cmdOpenSavedQuotes frmOpenSavedQuotes",
                         "helpCalculationFormula frmCalculationFormula", "helpAbout frmAbout"}) {
            QString opened;
            whenUp(QApplication::activeModalWidget, [&opened](QWidget *w) {
                opened = w->metaObject()->className();
                w->close();
            });
            if (row.startsWith("cmd"))
                m.click(row.section(' ', 0, 0));
            else
                trigger(m.window.get(), row.section(' ', 0, 0));
            QCOMPARE(opened, row.section(' ', 1));
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
        m.t.messages.answers.append({MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes});
        m.click("cmdExit");
        trigger(m.window.get(), "fileExit");
        QVERIFY(!m.window->close()); // the title bar's close
        QVERIFY(m.window->isVisible());
        QCOMPARE(m.textOf("txtValue"), QStringLiteral("1234"));
        m.click("cmdExit");
        QVERIFY(!m.window->isVisible());
        QCOMPARE(m.said(), QStringList(4, AskExit));
        QVERIFY(!m.t.messages.unscriptedQuestion);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
