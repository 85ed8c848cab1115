// The main window driven as a user drives it: start-up, lists, resets, Generate, the quote file
// byte for byte, print, preview and PDF export, and every refusal with its message and focus.
#include "TestPlatform.h"
#include "WidgetDriver.h"

#include "quotation/frmCompareOptions.h"
#include "quotation/frmQuotaro.h"
#include "platform/gui/QtPrinters.h"
#include "printing/PrintPage.h"
#include "store/Paths.h"

#include <QDir>
#include <csignal>
#include <QProcess>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {
const QString Root = "C:\\Program Files\\Kestrane\\Quotaro\\";
const QStringList ResultFields{"txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle",
                               "txtTermEnd",    "txtRate",      "txtUpfront",   "txtMonthly",
                               "txtFinal",      "txtWeekly",    "txtDaily"};
const QStringList ValueBoxes{"comUpfronts", "comMids", "comFinals", "comRates"};
const QStringList TermBoxes = QStringList{"comSelectTerm"} + ValueBoxes;
const QStringList AllInputs = ResultFields + TermBoxes
    + QStringList{"txtValue", "txtSaveQuote", "txtEquipmentDetails", "txtCustomerDetails"};
const QString AskExit = "Quotaro: Are you sure you want to exit Quotaro ? (Question, YesNo)";
const QString NoQuoteToSave = "No quote to save: Please generate a quote to save ! (Exclamation)";
const QString NoQuoteToPrint = "No quote to print: Please generate a quote to print ! "
                               "(Exclamation)";

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}

class MainWindow {
public:
    explicit MainWindow(const QString &locale = "en_US") : t(QLocale(locale)) { t.makeTree(); }

    // Entries added, and listed by their folder, in this order.
    void entries(const QString &folder, const QStringList &texts)
    {
        t.addEntries(folder, texts);
        t.files.order[folder] = QStringList(texts).replaceInStrings(QRegularExpression("$"),
                                                                    ".txt");
    }

    frmQuotaro::StartResult start()
    {
        window = std::make_unique<frmQuotaro>(real ? *real : t.platform, t.settings);
        const frmQuotaro::StartResult result = window->Form_Load();
        if (result == frmQuotaro::StartResult::Show)
            showActive(window.get());
        return result;
    }

    bool open()
    {
        entries(Paths::upfrontsFolder(), {"3", "1", "6"});
        entries(Paths::midsFolder(), {"36", "12", "24"});
        entries(Paths::finalsFolder(), {"1", "2"});
        entries(Paths::ratesFolder(), {"30.00", "22.10", "25.00"});
        return start() == frmQuotaro::StartResult::Show && t.messages.messages.isEmpty();
    }

    // The window driven: the comparison while it is open, the main window otherwise.
    QWidget *w() const { return compare ? static_cast<QWidget *>(compare.get()) : window.get(); }
    void comparing()
    {
        compare = window->compareOptionsWindow();
        QVERIFY(showActive(compare.get()));
    }
    QTableWidget *table() const { return child<QTableWidget>(compare.get(), "tblOptions"); }
    QStringList option(int row) const
    {
        QStringList cells;
        for (int column = 0; column < table()->columnCount(); ++column)
            cells << table()->item(row, column)->text();
        return cells;
    }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(w(), name); }
    QString textOf(const QString &name) const { return ::textOf(w(), name); }
    QStringList textsOf(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names)
            texts.append(textOf(name));
        return texts;
    }
    bool resultsEmpty() const
    {
        return compare ? table()->rowCount() == 0 : textsOf(ResultFields).join(QString()).isEmpty();
    }
    // Which value boxes take input, e.g. "-M-R" for mids and rates only.
    QString openBoxes() const
    {
        QString open;
        for (const QString &name : ValueBoxes)
            open += combo(name)->isEnabled() ? name.at(3) : QLatin1Char('-');
        return open;
    }
    QStringList said() const { return ::said(t.messages); }
    void click(const QString &name) { ::click(w(), name); }
    void pick(const QString &box, const QString &text) { QVERIFY(::pick(w(), box, text)); }
    void type(const QString &box, const QString &text) { typeInto(w(), box, text, true); }

    // "value|structure|upfront|mid|final|rate": the structure picked ("" resets
    // the terms instead), the value and the open boxes typed into.
    void enter(const QString &inputs)
    {
        const QStringList in = inputs.split('|');
        type("txtValue", in[0]);
        if (in[1].isEmpty())
            click("cmdResetTermsRates");
        else
            pick("comSelectTerm", in[1]);
        for (int i = 0; i < 4; ++i)
            if (combo(ValueBoxes[i])->isEnabled())
                type(ValueBoxes[i], in[2 + i]);
    }
    void quote(const QString &inputs = "10000|Upfront+Mid+Final|3|36|1|30")
    {
        enter(inputs);
        click("cmdQuotation");
    }
    TestPlatform t;
    std::unique_ptr<frmQuotaro> window;
    std::unique_ptr<frmCompareOptions> compare;
    std::unique_ptr<Platform> real; // the doubles but for the print service's printers
};
} // namespace

class TestQuotation : public QObject {
    Q_OBJECT
private slots:
    void aStartThatEndsReadsNoFurther_data() { rowsFromFile("ended_starts.txt"); }

    // A start ended by the settings, or by another copy running (answered No, it ends all the
    // same), picks no printer and reads no list; the running copy's leftovers are its own.
    void aStartThatEndsReadsNoFurther()
    {
        QFETCH(Row, row);
        const QStringList paths = row["paths"].split('+');
        const QString named = paths.filter(".txt").value(0, paths[0]);
        const QString size = row["size"], end = row["message end"];
        const bool running = size == "running";
        MainWindow m;
        m.t.write(Paths::printerFile(), "Front Desk\r\n");
        const QString leftover = Root + "Printer Settings\\" + temporaryNameWith();
        m.t.write(leftover, "x");
        m.t.instance.other = running;
        if (size.isEmpty()) {
            for (const QString &path : paths)
                m.t.remove(Root + path);
        } else if (size == "-1") {
            m.t.files.failReads = true;
        } else if (!running) {
            m.t.write(Root + named, "x");
            QVERIFY(QFile::resize(m.t.native(Root + named), size.toLongLong()));
        }
        QCOMPARE(m.start(),
                 running ? frmQuotaro::StartResult::EndAlreadyRunning
                         : frmQuotaro::StartResult::EndMissingSettings);
        const QString first = running
            ? "Quotaro is already running"
            : QString("The %1 (%2) %3")
                  .arg(named.endsWith(".txt") ? "file" : "directory", Root + named, end);
        QCOMPARE(m.said(),
                 QStringList{"Quotaro: " + first + " ! (Exclamation)"}
                     + (running ? QStringList{AskExit} : QStringList()));
        QCOMPARE(m.t.exists(leftover), running || size.isEmpty());
        QCOMPARE(m.t.printers.current, QStringLiteral("Office Laser"));
        QCOMPARE(m.combo("comSelectTerm")->count() + m.combo("comUpfronts")->count(), 0);
        QVERIFY(m.window->close()); // a close after the end asks nothing more
        QCOMPARE(m.t.messages.messages.size(), running ? 2 : 1);
    }

    void windowComesUpWithItsSettingsAndLists_data()
    {
        // Printer.txt, the system default, the printer chosen and the name
        // held; a file of only its line end was written so by the program.
        rowsOf({"Default|Front Desk|Front Desk|Front Desk",
                "Front Desk|Office Laser|Front Desk|Front Desk",
                "Removed Printer|Office Laser|Office Laser|Removed Printer",
                "front desk|Office Laser|Office Laser|front desk", "|Office Laser|Office Laser|"});
    }

    void windowComesUpWithItsSettingsAndLists()
    {
        QFETCH(QStringList, row);
        MainWindow m;
        m.t.write(Paths::printerFile(), row[0].toUtf8() + "\r\n");
        m.t.printers.current = row[1];
        for (const QString file :
             {"Font.txt|  Courier New, Bold\r\n", "FontSize.txt|12\r\nignored\r\n",
              "Bold.txt|On\r\n", "Italic.txt|\"Off\"\r\n", "Underline.txt|on\r\n",
              "HorizontalMargin.txt|720\r\n", "VerticalMargin.txt|360\r\n"})
            m.t.write(Root + "Printer Settings\\" + file.section('|', 0, 0),
                      file.section('|', 1).toUtf8());
        m.t.write(Paths::headerFile(), "Kestrel Leasing, Unit 4\r\nHigh Street\r\n");
        m.t.write(Paths::footerFile(), "Thank you");
        QVERIFY(QFile::resize(m.t.native(Paths::boldFile()), qint64(1) << 30)); // read: one line
        // Temporary files this computer's writes left go: of a process that
        // has ended (or whose id is now another's) or of an earlier boot. A
        // user's file, another computer's, or one of a process that runs or
        // that cannot be seen from here (another id namespace) stays.
        const QString printer = Paths::installRoot() + "\\Printer Settings\\" + temporaryNameWith();
        QStringList left{".quotaro-AbC123", "notes.quotaro-AbC123", temporaryNameWith({}),
                         temporaryNameWith({{0, "elsewhere"}, {4, "2147483647"}}),
                         temporaryNameWith({{3, "1"}, {4, "2147483647"}})};
        for (const QString &temp : left
                 + QStringList{temporaryNameWith(), "", temporaryNameWith({{2, "0"}}),
                               temporaryNameWith({{5, "1"}})}) {
            const QString path = temp.isEmpty() ? printer : Paths::quotesFolder() + "\\" + temp;
            m.t.write(path, "x");
            m.t.age(path, 7200);
        }
        left.sort(Qt::CaseInsensitive);
        m.entries(Paths::upfrontsFolder(), {"12", "24"});
        m.entries(Paths::ratesFolder(), {"5.50", "7"});
        QVERIFY(m.open());
        QCOMPARE(filesIn(m.t.native(Paths::quotesFolder())), left);
        QVERIFY(!m.t.exists(printer));
        for (const QString items :
             {"comUpfronts 1 3 6 12 24", "comMids 12 24 36", "comRates 22.10 25.00 30.00 5.50 7",
              "comSelectTerm Upfront+Mid+Final Upfront+Mid Mid+Final Mid"})
            QCOMPARE(itemsOf(m.window.get(), items.section(' ', 0, 0)), items.split(' ').mid(1));
        const PrinterSettings &p = m.t.settings.printer;
        const QStringList held({p.PrinterName, p.PrinterFont, p.PrinterFontSize, p.PrinterBold,
                                p.PrinterItalic, p.PrinterUnderline, p.HorizontalMargin,
                                p.VerticalMargin, m.t.settings.page.PageHeader,
                                m.t.settings.page.PageFooter});
        const QString settings = "|Courier New|12|On|Off|on|720|360|Kestrel Leasing, Unit "
                                 "4\r\nHigh Street\r\n|Thank you\r\n";
        COMPARE_FIELDS(
            held, (row[3] + settings).split('|'),
            QString("PrinterName PrinterFont PrinterFontSize PrinterBold PrinterItalic "
                    "PrinterUnderline HorizontalMargin VerticalMargin PageHeader PageFooter")
                .split(' '));
        QCOMPARE(m.t.read(Paths::printerFile()), row[0].toUtf8() + "\r\n");
        QCOMPARE(m.textsOf(TermBoxes) << m.openBoxes(), QStringList(5, QString()) << "----");
        // The printer found at start-up is held when the system default changes.
        if (!m.t.printers.chosen) // the current printer follows it until one is chosen
            m.t.printers.current = "Elsewhere";
        m.quote();
        m.click("cmdPrint");
        QCOMPARE(m.t.printers.lastJob().device, row[2]);
    }

    void resetButtons_data()
    {
        // The button, the boxes it empties and where the focus goes.
        rowsOf({"cmdRefreshTermsRates|terms|comSelectTerm", "cmdValueReset|txtValue|txtValue",
                "cmdResetSave|txtSaveQuote|txtSaveQuote",
                "cmdEquipmentReset|txtEquipmentDetails|txtEquipmentDetails",
                "cmdCustomerReset|txtCustomerDetails|txtCustomerDetails",
                "cmdQuotationReset|results|cmdQuotationReset",
                "cmdResetTermsRates|terms|comSelectTerm", "cmdResetAll|all|txtValue"});
    }

    void resetButtons()
    {
        QFETCH(QStringList, row);
        const QStringList emptied = QHash<QString, QStringList>{
            {"results", ResultFields},
            {"terms", TermBoxes},
            {"all", AllInputs}}.value(row[1], {row[1]});
        MainWindow m;
        QVERIFY(m.open());
        m.quote();
        for (const char *box : {"txtSaveQuote", "txtEquipmentDetails", "txtCustomerDetails"})
            m.type(box, "Smith");
        QStringList expected = m.textsOf(AllInputs);
        QVERIFY(!expected.contains(QString()));
        for (int i = 0; i < AllInputs.size(); ++i)
            if (emptied.contains(AllInputs[i]))
                expected[i].clear();
        // Only Refresh reads the folders again, telling each empty list, emptying the boxes first.
        for (const QString &folder : {Paths::upfrontsFolder(), Paths::midsFolder(),
                                      Paths::finalsFolder(), Paths::ratesFolder()}) {
            m.t.remove(folder);
            m.t.makeFolder(folder);
        }
        const bool refresh = row[0] == "cmdRefreshTermsRates";
        QString atMessage;
        m.t.messages.onShow = [&](const RecordedMessage &) {
            atMessage = m.textOf("comSelectTerm") + m.textOf("comMids") + m.openBoxes();
        };
        m.click(row[0]);
        const QString none = "%1: You do not currently have any %2 setup ! (Information)|";
        QCOMPARE(
            m.said().join('|'),
            refresh ? none.arg("Upfronts", "upfronts") + none.arg("Mids", "mids")
                    + none.arg("Finals", "finals") + none.arg("Rates", "rates")
                    + "Terms and rates: The terms and rates have been refreshed ! (Information)"
                    : "");
        QCOMPARE(atMessage, refresh ? "----" : "");
        QCOMPARE(m.textsOf(AllInputs), expected);
        QCOMPARE(focusName(), row[2]);
        QCOMPARE(m.combo("comUpfronts")->count() + m.combo("comSelectTerm")->count(),
                 refresh ? 4 : 7);
        // After a term reset the boxes are closed, and Down starts at the first item again.
        if (emptied.contains("comSelectTerm")) {
            QCOMPARE(m.openBoxes(), QStringLiteral("----"));
            QTest::keyClick(m.combo("comSelectTerm")->lineEdit(), Qt::Key_Down);
            QCOMPARE(m.textOf("comSelectTerm"), QStringLiteral("Upfront+Mid+Final"));
        }
        if (emptied.contains("txtMonthly")) {
            m.click("cmdSave"); // the name typed is still there
            m.click("cmdPrint");
            QCOMPARE(m.said(), (QStringList{NoQuoteToSave, NoQuoteToPrint}));
            QVERIFY(!m.t.exists(Paths::quoteFile("Smith")));
        }
    }

    void menusPickingAndTheExitQuestion()
    {
        MainWindow m;
        QVERIFY(m.open());
        m.t.addEntries(Paths::midsFolder(), {"48"}); // the main window reads nothing back
        for (const QString row :
             {"setupPrinterSetup frmPrinterSetup", "setupPageSetup frmPageSetup",
              "setupTermsSetup frmTermsSetup", "setupRatesSetup frmRatesSetup",
              "quotesOpenSavedQuotes frmOpenSavedQuotes", "cmdOpenSavedQuotes frmOpenSavedQuotes",
              "quotesFindQuotes frmFindQuotes", "quotesCompareOptions frmCompareOptions",
              "helpCalculationFormula frmCalculationFormula", "helpAbout frmAbout"}) {
            QString opened;
            whenUp(QApplication::activeModalWidget, [&opened](QWidget *w) {
                opened = w->metaObject()->className();
                w->close();
            });
            QMetaObject::invokeMethod(child<QObject>(m.window.get(), row.section(' ', 0, 0)),
                                      row.startsWith("cmd") ? "click" : "trigger");
            QCOMPARE(opened, row.section(' ', 1));
        }
        // The Setup menu's separator is a plain line, with no name a screen reader reads.
        auto *setup = child<QMenu>(m.window.get(), "menuSetup");
        const QAccessibleInterface *line = QAccessible::queryAccessibleInterface(setup)->child(2);
        QCOMPARE(line->text(QAccessible::Name) + QString::number(line->role()),
                 QString::number(QAccessible::Separator));
        m.t.write(Paths::remoteSupportTool(), "tool");
        trigger(m.window.get(), "helpRemoteSupport");
        QCOMPARE(m.t.launcher.programs, QStringList{m.t.native(Paths::remoteSupportTool())});

        // A new pick empties the value boxes, none left picked: Down gives the first mid.
        m.quote();
        m.pick("comSelectTerm", "Mid");
        QTest::keyClick(m.combo("comMids")->lineEdit(), Qt::Key_Down);
        QCOMPARE(m.textsOf(ValueBoxes), (QStringList{"", "12", "", ""}));
        QCOMPARE(itemsOf(m.window.get(), "comMids"), (QStringList{"12", "24", "36"}));

        // Every way out asks first; No keeps the window as it was.
        m.t.messages.clear();
        m.t.messages.answers.append({MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes});
        m.click("cmdExit");
        trigger(m.window.get(), "fileExit");
        QVERIFY(!m.window->close()); // the title bar's close
        QCOMPARE(m.textOf("comMids"), QStringLiteral("12"));
        QVERIFY(m.window->isVisible());
        m.click("cmdExit");
        QVERIFY(!m.window->isVisible());
        QCOMPARE(m.said(), QStringList(4, AskExit));
        QVERIFY(!m.t.messages.unscriptedQuestion);
    }

    void generate_data() { rowsFromFile("generate.txt"); }

    // Over an earlier quotation, which every refusal takes away; then the same boxes in the
    // comparison window, where Add option gives what Generate gives.
    void generate()
    {
        QFETCH(Row, row);
        MainWindow m{row["locale"]};
        QVERIFY(m.open());
        m.quote();
        QVERIFY(!m.resultsEmpty());
        m.enter(row.from("value", 6).join('|'));
        if (row["structure"].isEmpty() || !row["typed"].isEmpty()) {
            // Typing, Enter and leaving the box pick nothing, even an exact name.
            m.type("comSelectTerm", row["typed"]);
            press(Qt::Key_Return);
            press(Qt::Key_Tab);
        }
        for (const bool comparing : {true, false}) {
            if (comparing)
                m.comparing();
            const QString button = comparing ? "cmdAddOption" : "cmdQuotation";
            const QString focus = row["focus"] == "cmdQuotation" ? button : row["focus"];
            const QStringList boxes = QStringList{"txtValue"} + TermBoxes;
            QStringList typed = m.textsOf(boxes);
            const int emptied = boxes.indexOf(row["emptied"]);
            QString atMessage;
            bool emptyAtMessage = false;
            m.t.messages.clear();
            m.t.messages.onShow = [&](const RecordedMessage &) {
                emptyAtMessage = m.resultsEmpty();
                atMessage = m.textsOf(boxes).value(emptied);
            };
            m.click(button);
            if (!row["open boxes"].isEmpty()) {
                QCOMPARE(m.said(), QStringList());
                // The data file writes the no-break space before the euro sign as a space.
                QStringList results = row.from("txtQuoteValue").replaceInStrings(" €", "\u00a0€");
                if (comparing) // the main window's boxes made the first option too
                    QCOMPARE(m.option(1), m.option(0));
                COMPARE_FIELDS(
                    (comparing ? m.option(1).mid(0, 10) : m.textsOf(ResultFields)) << m.openBoxes(),
                    results.mid(comparing), row.namesFrom("txtQuoteValue").mid(comparing));
            } else {
                QCOMPARE(m.said(), QStringList{row["message"]});
                QVERIFY(emptyAtMessage);
                if (emptied >= 0) {
                    // Value and term are emptied and focused before the message, a value box
                    // after it.
                    QCOMPARE(atMessage, emptied < 2 ? QString() : typed[emptied]);
                    QCOMPARE(m.t.messages.messages[0].focus == focus, emptied < 2);
                    typed[emptied].clear();
                }
                QCOMPARE(m.textsOf(boxes), typed);
                QCOMPARE(focusName(), focus);
                QCOMPARE(m.combo("comSelectTerm")->count(), 4);
                QVERIFY(m.resultsEmpty());
            }
            if (comparing) { // the main window's boxes stay as typed
                m.compare = nullptr;
                QVERIFY(showActive(m.window.get()));
            }
        }
    }

    void optionFigures_data() { rowsFromFile("compare.txt"); }

    // What an option shows beyond its quotation's amounts: the total, the charge and the rates.
    void optionFigures()
    {
        QFETCH(Row, row);
        MainWindow m{row["locale"]};
        QVERIFY(m.open());
        m.comparing();
        m.enter(row.from("value", 6).join('|'));
        m.click("cmdAddOption");
        QCOMPARE(m.said(), QStringList());
        const QStringList cells = m.option(0);
        COMPARE_FIELDS(cells.mid(6, 1) + cells.mid(10),
                       row.from("monthly").replaceInStrings(" €", "\u00a0€"),
                       row.namesFrom("monthly"));
    }

    // Opened on the main window's quotation: add, refuse, a ninth refused, remove, a new value,
    // the working, print and preview, remove all.
    void compareOptionsAsAUserDoes()
    {
        MainWindow m{"de_DE"};
        QVERIFY(m.open());
        m.quote("10000|Upfront+Mid|1|47||25");
        const QStringList generated = m.textsOf(ResultFields.mid(1));
        m.comparing();
        QCOMPARE(m.option(0).mid(0, 10), generated);
        m.type("comRates", "x");
        m.click("cmdAddOption");
        for (int mids = 12; mids < 19; ++mids) {
            m.type("comMids", QString::number(mids));
            m.type("comRates", "25");
            m.click("cmdAddOption");
        }
        m.type("comRates", "x"); // nothing is checked for a ninth option
        m.click("cmdAddOption");
        QCOMPARE(m.said(),
                 (QStringList{"Invalid rate: Please select a valid rate ! (Exclamation)",
                              "Too many options: You can compare up to 8 lease options, please "
                              "remove an option before adding another ! (Exclamation)"}));
        QCOMPARE(m.textOf("comRates"), QStringLiteral("x"));
        QTableWidget *table = m.table();
        const auto mids = [table] {
            QStringList column;
            for (int row = 0; row < table->rowCount(); ++row)
                column << table->item(row, 2)->text();
            return column.join(' ');
        };
        QCOMPARE(mids(), QStringLiteral("47 12 13 14 15 16 17 18"));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(2, 3)).center());
        m.click("cmdRemoveOption");
        QCOMPARE(mids(), QStringLiteral("47 12 14 15 16 17 18"));

        // A new value prices every option again; the rate a lease implies stays.
        m.type("txtValue", "20000");
        QCOMPARE(m.option(0).mid(5),
                 QString("500,00 €|500,00 €||115,38 €|16,48 €|24.000,00 €|"
                         "4.000,00 €|9,66 %|10,10 %")
                     .replace(" €", "\u00a0€")
                     .split('|'));
        m.type("txtValue", "zwei");
        QCOMPARE(m.option(6).mid(5).join(QString()), QString());
        table->clearSelection();
        m.t.messages.clear();
        m.click("cmdShowWorking");
        table->selectRow(0);
        m.click("cmdShowWorking");
        QCOMPARE(m.said(),
                 (QStringList{"No option selected: Please select an option to show its working ! "
                              "(Exclamation)",
                              "Invalid value: Please enter a valid value ! (Exclamation)"}));
        QCOMPARE(focusName(), QStringLiteral("txtValue"));
        m.type("txtValue", "10000");
        m.click("cmdShowWorking");
        QCOMPARE(m.textOf("txtWorking").split('\n'),
                 QString("Option 1: Upfront+Mid, 1 + 47, rate 25,00|"
                         "Monthly rental M = 10.000,00 € × 25,00 / 1000 = 250,00 €|"
                         "Paid: the upfront rental (1 × M) at signing; 47 monthly rentals (M), one "
                         "a month, the first 1 month after signing and the last 47 months after "
                         "signing; no final rental.|"
                         "Each rental is discounted by v = 1 / (1 + i) for every month after "
                         "signing that it is paid; the monthly rate i is the one at which the "
                         "discounted rentals give back the value V:|"
                         "V = M × (1 + v^1 + v^2 + ... + v^47)|"
                         "10.000,00 € = 250,00 € × (1 + v^1 + v^2 + ... + v^47)|"
                         "Monthly rate i = 0,8053 %|Nominal rate = 12 × i = 9,66 % a year|"
                         "Effective rate = (1 + i)^12 - 1 = 10,10 % a year|"
                         "Check: the rentals discounted at i add up to 10.000,00 €; the value is "
                         "10.000,00 €.")
                     .replace(" €", "\u00a0€")
                     .split('|'));

        m.t.messages.clear();
        m.click("cmdPrint");
        m.click("cmdPrintPreview");
        QCOMPARE(m.t.pages.previewPages.back().events, m.t.printers.lastJob().events);
        QCOMPARE(m.t.pages.previewed, QStringList{"Office Laser | Lease options 07-03-2026"});
        m.click("cmdRemoveAll");
        for (const char *button : {"cmdPrint", "cmdSave", "cmdRemoveOption", "cmdShowWorking"})
            m.click(button);
        QCOMPARE(m.said(),
                 (QStringList{
                     "Printing: The quote has been sent to the printer Office Laser (Information)",
                     "No options to print: Please add a lease option to print ! (Exclamation)",
                     "No options to save: Please add a lease option to save ! (Exclamation)",
                     "No option selected: Please select an option to remove ! (Exclamation)",
                     "No option selected: Please select an option to show its working ! "
                     "(Exclamation)"}));
        QCOMPARE(m.t.printers.jobs.size(), size_t(1));
    }

    void saveWritesTheFileByteForByteOrNothing_data() { rowsFromFile("saved.txt"); }

    void saveWritesTheFileByteForByteOrNothing()
    {
        QFETCH(Row, row);
        const QString name = row["name"], there = row["there"],
                      told = row["message"].section(':', 0, 0);
        MainWindow m;
        m.t.write(Paths::headerFile(), row["header"].toUtf8());
        m.t.write(Paths::footerFile(), row["footer"].toUtf8());
        QString kept;
        if (there == "meanwhile")
            m.t.files.beforeCreate = [&] { m.t.write(kept = Paths::quoteFile(name), "other\r\n"); };
        else if (!there.isEmpty() && there != "immutable")
            m.t.write(kept = Paths::quoteFile(there), "other\r\n");
        QVERIFY(m.open());
        const bool comparing = row["structure"].startsWith('>'); // saved from the comparison window
        m.quote("10000|" + row["structure"].mid(comparing) + "|3|36|2|30");
        m.type("txtCustomerDetails", row["customer"]);
        m.type("txtEquipmentDetails", row["equipment"]);
        if (comparing)
            m.comparing();
        QStringList files = filesIn(m.t.native(Paths::quotesFolder()));
        if (told == "Quote saved" || there == "meanwhile")
            files << name + ".txt";
        const Immutable refusing(m.t.native(Paths::quotesFolder()), there == "immutable");
        if (refusing.made) // the log tells which file, and why
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression("/Quotes/" + name + ".txt failed: " + Immutable::reason()));
        child<QLineEdit>(m.w(), "txtSaveQuote")->setText(name); // a tab cannot be typed
        m.click("cmdSave");
        QCOMPARE(
            m.said(),
            QStringList{row["message"].replace("%1", name).replace("%r", Immutable::reason())});
        QCOMPARE(m.t.messages.messages[0].focus, QStringLiteral("cmdSave"));
        QCOMPARE(focusName(), told.endsWith("saved") ? "cmdSave" : "txtSaveQuote");
        QCOMPARE(m.textOf("txtSaveQuote") + '|' + ::textOf(m.window.get(), "txtCustomerDetails"),
                 (told == "Quote already exists" ? QString() : name) + '|' + row["customer"]);
        files.sort(Qt::CaseInsensitive);
        QCOMPARE(filesIn(m.t.native(Paths::quotesFolder())), files);
        if (!kept.isEmpty())
            QCOMPARE(m.t.read(kept), QByteArray("other\r\n"));
        QCOMPARE(m.t.read(Paths::printerFile()), QByteArray("Default\r\n"));
        if (told == "Quote saved")
            QCOMPARE(m.t.read(Paths::quoteFile(name)),
                     (row.from("file lines").join("\r\n") + "\r\n").toUtf8());
    }

    // Preview, print and save each take a closing line break off the held header, not the file.
    void previewPrintAndSaveTrimTheHeldHeader()
    {
        MainWindow m;
        m.t.write(Paths::printerFile(), "Front Desk\r\n");
        m.t.write(Paths::headerFile(), "Head\r\n\r\n\r\n");
        m.t.write(Paths::footerFile(), "Foot one\r\nFoot two\r\n");
        QVERIFY(m.open());
        trigger(m.window.get(), "quotesPrintPreview");
        trigger(m.window.get(), "quotesExportPdf");
        m.click("cmdPrint");
        QCOMPARE(m.said(), QStringList(3, NoQuoteToPrint));
        QVERIFY(m.t.pages.previewed.isEmpty() && m.t.pages.proposed.isEmpty());

        m.quote("10000|Upfront+Mid+Final|3|36|2|30");
        m.type("txtCustomerDetails", "A Buyer\n");
        m.t.messages.clear();
        trigger(m.window.get(), "quotesPrintPreview");
        QCOMPARE(m.t.pages.previewed, QStringList{"Front Desk | Quotation 07-03-2026"});
        QCOMPARE(m.t.settings.page.PageHeader, QStringLiteral("Head\r\n\r\n"));
        m.t.settings.page.PageHeader = "Head\r\n\r\n\r\n"; // the print makes the same page
        m.click("cmdPrint");
        QCOMPARE(m.said(),
                 QStringList{
                     "Printing: The quote has been sent to the printer Front Desk (Information)"});
        QVERIFY(m.t.printers.jobs.size() == 1 && m.t.printers.lastJob().ended);
        QCOMPARE(m.t.printers.lastJob().device, QStringLiteral("Front Desk"));
        QCOMPARE(m.t.pages.previewPages.back().events, m.t.printers.lastJob().events);

        m.type("txtSaveQuote", "Buyer");
        m.click("cmdSave");
        QCOMPARE(m.t.settings.page.PageHeader + m.t.settings.page.PageFooter,
                 QStringLiteral("Head\r\nFoot one\r\nFoot two"));
        QVERIFY(
            m.t.read(Paths::quoteFile("Buyer")).contains("\r\nHead\r\n\r\n\r\nRental details:"));
        QCOMPARE(m.t.read(Paths::headerFile()), QByteArray("Head\r\n\r\n\r\n"));

        // A job that cannot start is told by the print machinery, never as sent.
        m.t.messages.clear();
        m.t.printers.startError = QStringLiteral("The printer is off line.");
        m.click("cmdPrint");
        QVERIFY(m.said().size() == 1 && !m.said()[0].contains("has been sent"));
    }

    // Through the print service: the lines printed on the capture queue, exported and saved.
    void comparisonPrintedExportedAndSavedAlike()
    {
        QtPrinters service;
        const QString capture = qEnvironmentVariable("QUOTARO_CAPTURE_QUEUE", "QuotaroCapture");
        if (!service.installed().contains(capture)
            || QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("no capture queue or no poppler-utils: run scripts/test.sh");
        MainWindow m;
        TestPlatform &t = m.t;
        m.real = std::make_unique<Platform>(Platform{t.messages, t.files, t.locale, service,
                                                     t.fonts, t.launcher, t.instance, t.clock,
                                                     t.pages});
        QVERIFY(m.open());
        QVERIFY(selectPrinter(service, capture));
        t.settings.printer.PrinterFont = "DejaVu Sans";
        m.quote("10000|Upfront+Mid|1|47||25");
        const QString marker = QFileInfo(t.dir.path()).fileName(); // new on every run
        m.type("txtCustomerDetails", marker + "\n12 Quay Street");
        m.comparing();
        m.pick("comSelectTerm", "Mid+Final");
        m.type("comMids", "36");
        m.type("comFinals", "1");
        m.type("comRates", "30");
        m.click("cmdAddOption");
        m.type("txtSaveQuote", "Options");
        m.click("cmdSave");
        m.click("cmdPrint");
        t.pages.answer = t.pages.documents + "/Options.pdf";
        m.click("cmdExportPdf");
        QCOMPARE(m.said(),
                 (QStringList{"Quote saved: The quote Options has been saved ! (Information)",
                              "Printing: The quote has been sent to the printer " + capture
                                  + " (Information)",
                              "Quote exported: The quote has been saved as "
                                  + QDir::toNativeSeparators(*t.pages.answer) + " (Information)"}));
        const auto words = [](const QString &pdf) {
            QProcess p;
            p.start("pdftotext", {"-layout", pdf, "-"});
            return p.waitForFinished(30000)
                ? QString::fromUtf8(p.readAllStandardOutput())
                      .normalized(QString::NormalizationForm_KC) // ligatures as letters
                      .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)
                : QStringList();
        };
        const auto printed = [&] {
            const QDir spool(
                qEnvironmentVariable("QUOTARO_CAPTURE_DIR", "/var/spool/quotaro-capture"));
            for (const QFileInfo &f : spool.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time))
                if (words(f.filePath()).contains(marker))
                    return f.filePath();
            return QString();
        };
        QVERIFY2(QTest::qWaitFor([&] { return !printed().isEmpty(); }, 45000),
                 "no file with the page came out of the queue");
        const QStringList saved = QString::fromUtf8(t.read(Paths::quoteFile("Options")))
                                      .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        QCOMPARE(words(printed()), saved);
        QCOMPARE(words(*t.pages.answer), saved);
        QFile::remove(printed());
    }

    void exportAsPdf_data() { rowsFromFile("export.txt"); }

    void exportAsPdf()
    {
        QFETCH(Row, row);
        const QString typed = row["name typed"], answer = row["answer"], proposed = row["proposed"];
        MainWindow m;
        QVERIFY(m.open());
        m.quote();
        child<QLineEdit>(m.window.get(), "txtSaveQuote")->setText(typed);
        ScriptedPageOutput &pages = m.t.pages;
        QFile old(pages.documents + "/Old.pdf");
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.flush());
        if (!answer.isEmpty())
            pages.answer = answer == "-" ? QString() : pages.documents + "/" + answer;
        const QString path = pages.answer.value_or(pages.documents + "/" + proposed);
        pages.diskFull = typed == "Full";
        pages.setUnnamedFilesAvailable(!typed.endsWith("named"));
        if (typed.startsWith("Killed")) {
            // Killed half-way (by a file size limit): nothing is left, or on a share without
            // unnamed files a file of this computer that the next export clears away.
            const pid_t copy = ::fork();
            if (copy == 0) {
                std::signal(SIGXFSZ, SIG_DFL);
                const rlimit noCore{0, 0}, small{4096, 4096};
                if (::setrlimit(RLIMIT_CORE, &noCore) == 0
                    && ::setrlimit(RLIMIT_FSIZE, &small) == 0)
                    trigger(m.window.get(), "quotesExportPdf");
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(copy, &status, 0), copy);
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
            QCOMPARE(filesIn(pages.documents).size(), typed == "Killed" ? 1 : 2);
        }
        trigger(m.window.get(), "quotesExportPdf");
        QCOMPARE(pages.proposed, QStringList{pages.documents + "/" + proposed});
        const QString told = row["message"].replace("%1", QDir::toNativeSeparators(path));
        QCOMPARE(m.said().size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(told.isEmpty() || m.said().value(0).startsWith(told),
                 qPrintable(m.said().value(0)));
        // Only the file chosen is there, whole, and nothing half-written beside it.
        const bool written = told.startsWith("Quote exported");
        QStringList there = filesIn(pages.documents);
        there.removeOne("Old.pdf");
        QCOMPARE(there,
                 written && !path.endsWith("/Old.pdf") ? QStringList{proposed} : QStringList());
        QFile pdf(written ? path : old.fileName());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll().startsWith("%PDF"), written);
        QVERIFY(m.t.printers.jobs.empty());
    }
};

QTEST_MAIN(TestQuotation)
#include "test_quotation.moc"
