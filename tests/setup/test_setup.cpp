#include "WidgetDriver.h"

#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"

#include <QCheckBox>
#include <QClipboard>
#include <memory>

namespace {

const QString Refresh = " has been %1, you will need to refresh the terms and rates on the main "
                        "screen to view the changes !";
const QStringList PrinterFiles{Paths::printerFile(),        Paths::horizontalMarginFile(),
                               Paths::verticalMarginFile(), Paths::fontFile(),
                               Paths::fontSizeFile(),       Paths::boldFile(),
                               Paths::italicFile(),         Paths::underlineFile()};
const QStringList NothingEntered{"", "", "", "", "", "Off", "Off", "Off"};
const QStringList ChangeFields{"comChangePrinter", "txtChangeHorizontalMargin",
                               "txtChangeVerticalMargin", "comChangeFont", "comChangeFontSize"};

} // namespace

class TestSetup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<QDialog> w;

    template <typename Window, typename... Settings>
    void open(Settings &...settings)
    {
        w = std::make_unique<Window>(t->platform, settings...);
        QVERIFY(showActive(w.get()));
    }
    // Terms and rates: an entry typed and added, or picked and deleted.
    void add(const QString &column, const QString &typed)
    {
        typeInto(w.get(), "txt" + column, typed, true);
        click(w.get(), "cmdAdd" + column);
    }
    void remove(const QString &column, const QString &entry, MsgAnswer answer)
    {
        QVERIFY(pick(w.get(), column == "Rate" ? "lstRates" : "lst" + column, entry));
        t->messages.answerNext(answer);
        click(w.get(), "cmdDelete" + column);
    }
    QStringList filesIn(const QString &folder) const { return *t->files.listTxtFiles(folder); }

    // Printer setup: the settings in files and in force, in file order.
    void storePrinter(const QStringList &stored)
    {
        for (int i = 0; i < 8; ++i)
            t->write(PrinterFiles[i], (stored[i] + "\r\n").toUtf8());
        QCOMPARE(int(readSettings(t->files, t->settings).status), int(SettingsRead::Status::Read));
    }
    void enter(const QStringList &five, const QStringList &ticks = {})
    {
        for (int i = 0; i < 5; ++i)
            typeInto(w.get(), ChangeFields[i], five[i]);
        for (const QString &option : ticks)
            click(w.get(), "chkChange" + option);
    }
    // What a group ("Current" or "Change") shows in file order, an option as On or Off.
    QStringList shown(const QString &group) const
    {
        QStringList texts;
        for (const QString &field : ChangeFields) // "comChange" and "txtChange" alike
            texts << textOf(w.get(), group == "Change" ? field : "txtCurrent" + field.mid(9));
        for (const QString option : {"Bold", "Italic", "Underline"})
            texts << (child<QCheckBox>(w.get(), "chk" + group + option)->isChecked() ? "On"
                                                                                     : "Off");
        return texts;
    }
    QStringList inForceAndOnDisk() const
    {
        const PrinterSettings &p = t->settings.printer;
        QStringList texts{p.PrinterName,   p.HorizontalMargin, p.VerticalMargin,
                          p.PrinterFont,   p.PrinterFontSize,  p.PrinterBold,
                          p.PrinterItalic, p.PrinterUnderline};
        for (const QString &path : PrinterFiles)
            texts.append(QString::fromUtf8(t->read(path)).chopped(2));
        return texts;
    }

    // A tree whose every list holds the entry 12.
    void fill(const QLocale &locale)
    {
        t = std::make_unique<TestPlatform>(locale);
        t->makeTree();
        for (const QString &folder :
             {Paths::upfrontsFolder(), Paths::midsFolder(), Paths::finalsFolder()})
            t->addEntries(folder, {"12"});
        t->addEntries(Paths::ratesFolder(), {"12.00"});
    }

private slots:
    void init() { fill(QLocale("en_US")); }
    void cleanup()
    {
        QVERIFY2(!t->messages.unscriptedQuestion, "a question was asked that no test expected");
        w.reset();
    }

    // Per part: Cancel empties only its change box; a refused write puts
    // nothing in force, then the same text applies once the file can be
    // written; the other part is never touched. A huge one-line header shows
    // whole, in pieces no longer than 4096 characters.
    void pageSetup_data()
    {
        rowsOf({"Header|Footer|Kestrane Leasing\n1 High Street, Town|The page header has been "
                "changed !",
                "Footer|Header||The page footer has been changed"});
    }
    void pageSetup()
    {
        QFETCH(QStringList, row);
        const QString part = row[0], typed = row[2], huge(256 * 1024, 'x');
        t->settings.page = {huge + "\r\n", "Old footer\r\nline 2\r\n"};
        t->write(Paths::headerFile(), t->settings.page.PageHeader.toUtf8());
        t->write(Paths::footerFile(), t->settings.page.PageFooter.toUtf8());
        open<frmPageSetup>(t->settings);
        checkFrame(w.get(), "Page setup",
                   QString("txtChangeHeader cmdApplyHeader cmdCancelHeader txtChangeFooter "
                           "cmdApplyFooter cmdCancelFooter cmdClose txtCurrentHeader "
                           "txtCurrentFooter")
                       .split(' '));
        QCOMPARE(textOf(w.get(), "txtCurrentHeader").remove('\n') + "|"
                     + textOf(w.get(), "txtCurrentFooter"),
                 huge + "|Old footer\nline 2\n");
        QVERIFY(child<QPlainTextEdit>(w.get(), "txtCurrentHeader")->blockCount() > 64
                && child<QPlainTextEdit>(w.get(), "txtCurrentFooter")->isReadOnly());
        // A part's setting in force, its file, its current box and its change box.
        const auto state = [&](const QString &p) {
            const bool header = p == "Header";
            return QStringList{
                header ? t->settings.page.PageHeader : t->settings.page.PageFooter,
                QString::fromUtf8(t->read(header ? Paths::headerFile() : Paths::footerFile())),
                textOf(w.get(), "txtCurrent" + p), textOf(w.get(), "txtChange" + p)};
        };
        const QString file = part == "Header" ? Paths::headerFile() : Paths::footerFile();
        const QStringList old = state(part), other = state(row[1]);
        typeInto(w.get(), "txtChange" + part, "New");
        click(w.get(), "cmdCancel" + part);
        QCOMPARE(state(part) << focusName(), QStringList(old) << "txtChange" + part);
        typeInto(w.get(), "txtChange" + part, typed);
        t->files.refuse = [&](const QString &path) { return path == file; };
        click(w.get(), "cmdApply" + part);
        QCOMPARE(state(part), old.mid(0, 3) << typed);
        t->files.refuse = nullptr;
        click(w.get(), "cmdApply" + part);
        const QString applied = QString(typed).replace("\n", "\r\n");
        QCOMPARE(state(part) << focusName(),
                 QStringList({applied, applied + "\r\n", typed, "", "txtChange" + part}));
        QCOMPARE(state(row[1]), other);
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        const QString title = "Page " + part.toLower() + ": ";
        QCOMPARE(
            said(t->messages),
            QStringList({title + "The page " + part.toLower() + " could not be changed, the file "
                             + file + " cannot be written ! (Exclamation)",
                         title + row[3] + " (Information)"}));
    }

    // The printer window shows the settings in force (only the exact word
    // "On" ticks a box, nothing there can be changed), the printers and fonts
    // sorted whatever the case, a font's name cut at a NUL. Pasting gets past
    // every key filter, so Apply's own checks refuse the first bad field
    // (then its message, when not "Please enter a valid ..."), emptying it;
    // Cancel empties the change controls only.
    void printerRefusesTheFirstBadField_data()
    {
        rowsOf({"|||||0|printer", "Front Desk||500|||1|horizontal margin",
                "Front Desk|12a||||1|horizontal margin", "Front Desk|1000|||12|2|vertical margin",
                "Front Desk|1000|1000||12|3|font", "Front Desk|1000|1000|Arial||4|font size",
                // A double quote would not read back from the settings file.
                "Lab \"A\", Room 2|1000|1000|Arial|12|0|printer|A printer name cannot hold a "
                "double quote (\"), please enter a valid printer !",
                "Front Desk|1000|1000|\"Big\" Sans|12|3|font|A font name cannot hold a double "
                "quote (\"), please enter a valid font !"});
    }
    void printerRefusesTheFirstBadField()
    {
        QFETCH(QStringList, row);
        const QStringList stored{"Front Desk", "900", "720", "Courier New",
                                 "12",         "On",  "on",  "Off"};
        storePrinter(stored);
        t->printers.names = {"zeta", "Alpha", "beta"};
        t->fonts.list = {"Times New Roman", "arial", QStringLiteral("Cut") + QChar(0) + "Tail",
                         "Courier New"};
        open<frmPrinterSetup>(t->settings);
        checkFrame(
            w.get(), "Printer setup",
            ChangeFields
                + QString("chkChangeBold chkChangeItalic chkChangeUnderline cmdApply cmdCancel "
                          "cmdPrintTestPage cmdClose txtCurrentPrinter txtCurrentHorizontalMargin "
                          "txtCurrentVerticalMargin txtCurrentFont txtCurrentFontSize")
                      .split(' '));
        QCOMPARE(shown("Current").join('|'), "Front Desk|900|720|Courier New|12|On|Off|Off");
        QVERIFY(child<QLineEdit>(w.get(), "txtCurrentFont")->isReadOnly()
                && !child<QWidget>(w.get(), "chkCurrentBold")->isEnabled());
        QStringList entered = row.mid(0, 5);
        for (int i = 0; i < 5; ++i) {
            QApplication::clipboard()->setText(entered[i]);
            child(w.get(), ChangeFields[i])->setFocus();
            press(Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(shown("Change").mid(0, 5), entered);
        click(w.get(), "cmdApply");
        QCOMPARE(focusName(), ChangeFields[row[5].toInt()]);
        entered[row[5].toInt()].clear();
        QCOMPARE(shown("Change").mid(0, 5), entered);
        QCOMPARE(inForceAndOnDisk(), stored + stored);
        enter(QStringList(5, ""), {"Bold", "Italic", "Underline"});
        click(w.get(), "cmdCancel");
        QCOMPARE(shown("Change") << focusName(), NothingEntered + QStringList("comChangePrinter"));
        QCOMPARE(
            (itemsOf(w.get(), "comChangePrinter") + itemsOf(w.get(), "comChangeFont")).join('|'),
            "Alpha|beta|zeta|arial|Courier New|Cut|Times New Roman");
        QVERIFY(t->files.writes.isEmpty());
        QCOMPARE(said(t->messages),
                 QStringList("Invalid " + row[6] + ": "
                             + row.value(7, "Please enter a valid " + row[6] + " !")
                             + " (Exclamation)"));
    }

    // Margins and size take digits only from the keyboard. A refused write
    // puts back the files already written (one that cannot be put back is
    // named; what is in force is what is on disk) and keeps the entries for
    // another try. Every value is stored as entered, the printer switched
    // only to an installed name matched exactly, and the test page prints
    // the settings in force at once, not the change controls.
    void printerAppliesEveryFileOrPutsThemBack_data()
    {
        // The file refused (-: none) and whether the first cannot be put
        // back, the printer and font entered, the printer current after.
        rowsOf({"-||Front Desk|Nonexistent Sans|Front Desk", "-||front desk|Arial|Office Laser",
                "-||Default|Arial|Office Laser", "-||Laser, Room 2|Sans, Condensed|Laser, Room 2",
                "4||Front Desk|Courier New|Front Desk",
                "2|not put back|Front Desk|Courier New|Front Desk"});
    }
    void printerAppliesEveryFileOrPutsThemBack()
    {
        QFETCH(QStringList, row);
        const QStringList stored{"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"};
        storePrinter(stored);
        t->printers.names << "Laser, Room 2";
        open<frmPrinterSetup>(t->settings);
        enter({row[2], "0a8-0.0 9", "x01,000", row[3], ""}, {"Bold", "Underline"});
        child(w.get(), "txtChangeHorizontalMargin")->setFocus();
        press(Qt::Key_Backspace);
        child(w.get(), "comChangeFontSize")->setFocus();
        press(Qt::Key_Down); // the size chosen from the list with the keyboard
        const QStringList applied{row[2], "0800", "01000", row[3], "8", "On", "Off", "On"};
        QStringList told;
        if (row[0] != "-") {
            const QString refused = PrinterFiles[row[0].toInt()];
            const bool putBackFails = !row[1].isEmpty();
            t->files.refuse = [&](const QString &path) {
                return path == refused
                    || (putBackFails && path == PrinterFiles[0]
                        && t->files.writes.count(path) == 2);
            };
            click(w.get(), "cmdApply");
            QStringList inForce = stored;
            if (putBackFails)
                inForce[0] = row[2];
            QCOMPARE(inForceAndOnDisk() + shown("Current"), inForce + inForce + inForce);
            QCOMPARE(shown("Change") << t->printers.current, QStringList(applied) << inForce[0]);
            told << "Printer: The file (" + refused + ") could not be written, "
                    + (putBackFails ? "and these files written before it could not be put back: ("
                               + PrinterFiles[0]
                               + "). The settings of those files have been changed, all the "
                                 "others have not ! (Exclamation)"
                                    : "the printer settings have not been changed ! (Exclamation)");
            t->files.refuse = nullptr;
            t->files.writes.clear();
        }
        click(w.get(), "cmdApply");
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        QCOMPARE(t->files.writes, PrinterFiles);
        // A name with a comma is quoted on disk.
        QCOMPARE((inForceAndOnDisk() + shown("Current")).join('|').remove('"'),
                 (applied + applied + applied).join('|'));
        QCOMPARE(shown("Change") << t->printers.current, NothingEntered + QStringList(row[4]));

        enter({"", "5000", "", "Arial", ""});
        click(w.get(), "cmdPrintTestPage");
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        QCOMPARE(t->printers.jobs.size(), size_t(1));
        const RecordingSurface &job = t->printers.lastJob();
        QCOMPARE(
            QStringList({job.fontName, QString::number(job.fontSize), QString::number(job.bold),
                         QString::number(job.italic), QString::number(job.underline)}),
            QStringList({row[3], "8", "1", "0", "1"}));
        QCOMPARE(QPointF(job.pieces.first().x, job.pieces.first().y), QPointF(800, 1000));
        const QStringList lines = job.lines();
        QCOMPARE(lines.mid(0, 18).join('|'),
                 QString("Printer test page||Printer: %1||Horizontal Margin: 0800||Vertical "
                         "margin: 01000||Font: %2||Font size: 8||Bold option: On||Italic option: "
                         "Off||Underline option: On|")
                     .arg(row[2], row[3]));
        QCOMPARE(lines.mid(18).join(QString()),
                 "Sample text to demonstrate page formatting. All text will be wrapped between the "
                 "page horizontal margins. Shown above are the current printer settings.");
        t->printers.startError = QStringLiteral("no printer is installed");
        click(w.get(), "cmdPrintTestPage");
        QCOMPARE(said(t->messages),
                 told << "Printer: The printer settings have been changed ! (Information)"
                      << "Printing: The test page has been sent to the printer " + row[4]
                         + " (Information)"
                      << "Printing: The print job could not be started: no printer is installed ! "
                         "(Exclamation)");
    }

    // Write failures, add, refuse a duplicate and an empty box, cancel,
    // delete answering No then Yes, and delete the last entry, in every column.
    void eachColumnAddsRefusesAndDeletes_data()
    {
        // The column, its article, its Cancel button, its folder, what is
        // typed, what it is stored as, the list after, the language.
        rowsOf({"Upfront|an|cmdUpfrontCancel|Terms Upfront|07|7|7 12|en_US",
                "Mid|a|cmdCancelMid|Terms Mid|07|7|7 12|en_US",
                "Final|a|cmdCancelFinal|Terms Final|07|7|7 12|en_US",
                "Rate|a|cmdCancelRate|Rates|7,5|7,50|12.00 7,50|de_DE"});
    }
    void eachColumnAddsRefusesAndDeletes()
    {
        QFETCH(QStringList, row);
        const QString title = row[0], box = "txt" + title, del = "cmdDelete" + title,
                      list = title == "Rate" ? "lstRates" : "lst" + title,
                      folder = Paths::installRoot() + "\\" + row[3] + " Settings",
                      entry = title == "Rate" ? "12.00" : "12", stored = row[5];
        fill(QLocale(row[7]));
        if (title == "Rate")
            open<frmRatesSetup>();
        else
            open<frmTermsSetup>();
        click(w.get(), del);
        // A file that cannot be written or removed changes no list.
        t->files.failWrites = true;
        add(title, row[4]);
        remove(title, entry, MsgAnswer::Yes);
        t->files.failWrites = false;
        QCOMPARE(itemsOf(w.get(), list) + filesIn(folder), QStringList({entry, entry + ".txt"}));
        add(title, row[4]);
        QCOMPARE(t->read(Paths::entryFile(folder, stored)), QByteArray());
        QCOMPARE(textOf(w.get(), box) + focusName(), box);
        add(title, row[4]);
        QCOMPARE(itemsOf(w.get(), list).join(' ') + "|" + QString::number(filesIn(folder).size()),
                 row[6] + "|2");
        add(title, "");
        QCOMPARE(focusName(), box);
        typeInto(w.get(), box, "5");
        click(w.get(), row[2]);
        QCOMPARE(textOf(w.get(), box) + focusName(), box);
        remove(title, entry, MsgAnswer::No);
        QVERIFY(t->exists(Paths::entryFile(folder, entry)));
        remove(title, entry, MsgAnswer::Yes);
        QCOMPARE(itemsOf(w.get(), list) + filesIn(folder), QStringList({stored, stored + ".txt"}));
        click(w.get(), del); // nothing is left picked: no neighbour is taken
        // An entry selected by an assistive tool, with no current item.
        QVERIFY(selectAsAssistiveTool(child(w.get(), list), stored));
        QCOMPARE(child<QListWidget>(w.get(), list)->currentRow(), -1);
        t->messages.answerNext(MsgAnswer::Yes);
        click(w.get(), del);
        QCOMPARE(filesIn(folder), QStringList());
        click(w.get(), del);
        QFile expected(QFINDTESTDATA("column_messages.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(said(t->messages).join('\n') + '\n',
                 QString::fromUtf8(expected.readAll())
                     .arg(title, row[1], title.toLower(), entry, stored, folder));
    }

    // Term boxes take digits only from the keyboard, pasted text is checked
    // by Add, each box holds a fixed number of characters. Terms are ordered
    // as numbers, rates as texts; a hand-made file is no duplicate of the
    // stored form of the same number; one removed outside is said to be gone
    // and leaves the list. Each empty list is told, in order, on opening.
    void termsAndRatesAsTypedAndAsOnDisk()
    {
        t->addEntries(Paths::midsFolder(), {"36", "120", "6"});
        t->addEntries(Paths::upfrontsFolder(), {"07"});
        t->addEntries(Paths::ratesFolder(), {"7.5", "9.50"});
        open<frmTermsSetup>();
        checkFrame(w.get(), "Terms setup",
                   QString("txtUpfront cmdAddUpfront cmdUpfrontCancel cmdDeleteUpfront txtMid "
                           "cmdAddMid cmdCancelMid cmdDeleteMid txtFinal cmdAddFinal "
                           "cmdCancelFinal cmdDeleteFinal cmdClose lstUpfront lstMid lstFinal")
                       .split(' '));
        QCOMPARE(itemsOf(w.get(), "lstMid").join(' '), "6 12 36 120");
        typeInto(w.get(), "txtUpfront", "a.-9");
        QCOMPARE(textOf(w.get(), "txtUpfront"), QStringLiteral("9"));
        press(Qt::Key_Backspace);
        typeInto(w.get(), "txtUpfront", "123");
        typeInto(w.get(), "txtMid", "x1234");
        QCOMPARE(textOf(w.get(), "txtUpfront") + textOf(w.get(), "txtMid"),
                 QStringLiteral("12123"));
        add("Upfront", "7");
        QCOMPARE(itemsOf(w.get(), "lstUpfront").join(' '), "07 7 12");
        for (const QString term : {"Mid", "Final"}) {
            QApplication::clipboard()->setText(term == "Mid" ? "1.5" : "-1");
            typeInto(w.get(), "txt" + term, "", true);
            press(Qt::Key_V, Qt::ControlModifier);
            click(w.get(), "cmdAdd" + term);
        }
        remove("Upfront", "07", MsgAnswer::Yes);
        t->remove(Paths::entryFile(Paths::finalsFolder(), "12"));
        remove("Final", "12", MsgAnswer::Yes);
        QCOMPARE(filesIn(Paths::upfrontsFolder()).join(' ') + "|"
                     + itemsOf(w.get(), "lstFinal").join(' '),
                 "12.txt 7.txt|-1");
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        open<frmRatesSetup>();
        checkFrame(
            w.get(), "Rates setup",
            {"txtRate", "cmdAddRate", "cmdCancelRate", "cmdDeleteRate", "cmdClose", "lstRates"});
        typeInto(w.get(), "txtRate", "123456");
        QCOMPARE(textOf(w.get(), "txtRate"), QStringLiteral("12345"));
        QStringList expected{"The upfront 7" + Refresh.arg("added"),
                             "The mid 1.5" + Refresh.arg("added"),
                             "The final -1" + Refresh.arg("added"),
                             "Are you sure that you want to delete the upfront 07",
                             "The upfront 07" + Refresh.arg("deleted"),
                             "Are you sure that you want to delete the final 12",
                             "The file (" + Paths::entryFile(Paths::finalsFolder(), "12")
                                 + ") no longer exists !"};
        for (const QString typed : {"25|25.00", "25.5|25.50", "3.456|3.46", ".5|0.50", "-5|-5.00",
                                    "abc|", "1e99|", "100|100.00", "7.5|7.50"}) {
            add("Rate", typed.section('|', 0, 0));
            expected << (typed.endsWith('|')
                             ? "Please enter a valid rate !"
                             : "The rate " + typed.section('|', 1) + Refresh.arg("added"));
        }
        QCOMPARE(t->messages.texts(), expected);
        QCOMPARE(itemsOf(w.get(), "lstRates").join(' '),
                 "-5.00 0.50 100.00 12.00 25.00 25.50 3.46 7.5 7.50 9.50");

        w.reset();
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        frmTermsSetup terms(t->platform);
        frmRatesSetup rates(t->platform);
        QStringList empty;
        for (const QString many : {"Upfronts", "Mids", "Finals", "Rates"})
            empty << many + ": You do not currently have any " + many.toLower()
                    + " setup ! (Information)";
        QCOMPARE(said(t->messages), empty);
    }
};

QTEST_MAIN(TestSetup)
#include "test_setup.moc"
