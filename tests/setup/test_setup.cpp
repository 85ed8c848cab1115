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

const QStringList PrinterFiles{Paths::printerFile(),        Paths::horizontalMarginFile(),
                               Paths::verticalMarginFile(), Paths::fontFile(),
                               Paths::fontSizeFile(),       Paths::boldFile(),
                               Paths::italicFile(),         Paths::underlineFile()};
const QStringList NothingEntered{"", "", "", "", "", "Off", "Off", "Off"};
const QStringList ChangeFields{"comChangePrinter", "txtChangeHorizontalMargin",
                               "txtChangeVerticalMargin", "comChangeFont", "comChangeFontSize"};
// What everywhere() gives: the variables in force, the Current group's controls, the files.
const QStringList Everywhere =
    QString("PrinterName HorizontalMargin VerticalMargin PrinterFont PrinterFontSize PrinterBold "
            "PrinterItalic PrinterUnderline txtCurrentPrinter txtCurrentHorizontalMargin "
            "txtCurrentVerticalMargin txtCurrentFont txtCurrentFontSize chkCurrentBold "
            "chkCurrentItalic chkCurrentUnderline")
        .split(' ')
    + PrinterFiles;

class TestSetup : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<QDialog> w;

    template <typename Window, typename... Extra>
    void open(Extra &...extra)
    {
        w = std::make_unique<Window>(t->platform, extra...);
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
        t->messages.answers.enqueue(answer);
        click(w.get(), "cmdDelete" + column);
    }
    QStringList filesIn(const QString &folder) const { return *t->files.listTxtFiles(folder); }

    // Printer setup opened on these settings in files and in force, in file order.
    void openPrinterSetup(const QStringList &stored)
    {
        for (int i = 0; i < 8; ++i)
            t->write(PrinterFiles[i], (stored[i] + "\r\n").toUtf8());
        QCOMPARE(int(readSettings(t->files, t->settings).status), int(SettingsRead::Status::Read));
        t->printers.prototype.width = 1e8; // no wrapping: that is PrintWrapped's, tested there
        open<frmPrinterSetup>(t->settings);
    }
    void enter(const QStringList &five, const QStringList &ticks = {})
    {
        for (int i = 0; i < 5; ++i) {
            if (five[i].size() < 1000) {
                typeInto(w.get(), ChangeFields[i], five[i]);
                continue;
            }
            QApplication::clipboard()->setText(five[i]); // typed, it would take minutes
            child(w.get(), ChangeFields[i])->setFocus();
            press(Qt::Key_V, Qt::ControlModifier);
        }
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
    // What is in force, what the Current group shows and what is on disk.
    QStringList everywhere() const
    {
        const PrinterSettings &p = t->settings.printer;
        QStringList texts{p.PrinterName,   p.HorizontalMargin, p.VerticalMargin,
                          p.PrinterFont,   p.PrinterFontSize,  p.PrinterBold,
                          p.PrinterItalic, p.PrinterUnderline};
        texts += shown("Current");
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

    // A refused write puts nothing in force; then the same text applies.
    void pageSetup()
    {
        const QString huge(256 * 1024, 'x'); // shown whole, in pieces of at most 4096
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
        QVERIFY(child<QPlainTextEdit>(w.get(), "txtCurrentHeader")->blockCount() == 65
                && child<QPlainTextEdit>(w.get(), "txtCurrentFooter")->isReadOnly());
        // A pasted line without blanks over 4095 characters is broken anywhere (in linear
        // time) until cleared.
        auto *change = child<QPlainTextEdit>(w.get(), "txtChangeHeader");
        change->insertPlainText(huge.left(4095));
        const QTextOption::WrapMode whole = change->wordWrapMode();
        change->insertPlainText(huge.left(4097));
        const QTextOption::WrapMode pasted = change->wordWrapMode();
        change->clear();
        QCOMPARE(QList({whole, pasted, change->wordWrapMode()}),
                 QList({QTextOption::WrapAtWordBoundaryOrAnywhere, QTextOption::WrapAnywhere,
                        QTextOption::WrapAtWordBoundaryOrAnywhere}));
        // A part's setting in force, its file, its current box and its change box.
        const auto state = [&](const QString &p) {
            const bool header = p == "Header";
            return QStringList{
                header ? t->settings.page.PageHeader : t->settings.page.PageFooter,
                QString::fromUtf8(t->read(header ? Paths::headerFile() : Paths::footerFile())),
                textOf(w.get(), "txtCurrent" + p), textOf(w.get(), "txtChange" + p)};
        };
        QStringList told;
        for (const QString part : {"Footer", "Header"}) {
            const bool header = part == "Header";
            const QString other = header ? "Footer" : "Header", title = "Page " + part.toLower(),
                          file = header ? Paths::headerFile() : Paths::footerFile(),
                          typed = header ? "Kestrane Leasing\n1 High Street, Town" : "";
            const QStringList old = state(part), otherOld = state(other);
            typeInto(w.get(), "txtChange" + part, "New");
            click(w.get(), "cmdCancel" + part);
            QCOMPARE(state(part) << focusName(), QStringList(old) << "txtChange" + part);
            typeInto(w.get(), "txtChange" + part, typed);
            {
                const Immutable refusing(t->native(file));
                click(w.get(), "cmdApply" + part);
                QCOMPARE(state(part), old.mid(0, 3) << typed);
            }
            click(w.get(), "cmdApply" + part);
            const QString applied = QString(typed).replace("\n", "\r\n");
            QCOMPARE(state(part) << focusName(),
                     QStringList({applied, applied + "\r\n", typed, "", "txtChange" + part}));
            QCOMPARE(state(other), otherOld);
            told << title + ": The " + title.toLower() + " could not be changed, the file " + file
                    + " cannot be written: " + Immutable::reason() + " ! (Exclamation)"
                 << title + ": The " + title.toLower() + " has been changed" + (header ? " !" : "")
                    + " (Information)";
            // A file of 4 MB, CR LF included, is what start-up reads; one byte over is refused.
            const QString changed = told.last(), lower = title.toLower();
            for (const int over : {1, 0}) {
                child<QPlainTextEdit>(w.get(), "txtChange" + part)
                    ->setPlainText(QString(1022 + over, 'x')
                                   + QString('\n' + QString(1022, 'x')).repeated(4095));
                click(w.get(), "cmdApply" + part);
                QCOMPARE(t->read(file).size(), over ? applied.size() + 2 : 4 << 20);
                told << (over ? title + ": The " + lower + " could not be changed, a " + lower
                                 + " cannot be larger than 4 MB ! (Exclamation)"
                              : changed);
            }
            Settings next;
            QCOMPARE(int(readSettings(t->files, next).status), int(SettingsRead::Status::Read));
            QCOMPARE(header ? next.page.PageHeader : next.page.PageFooter,
                     QString::fromUtf8(t->read(file)));
        }
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        QCOMPARE(said(t->messages), told);
    }

    // A long line pasted is held in pieces, and many lines several to a paragraph,
    // yet keys, a copy and Apply see the text pasted. Text ("N*c", "N*{text}": N
    // times), keys at paragraph P's start (its end: "P$"), text then copied and applied,
    // line breaks shown that the text has not (only where a long line is cut).
    void pageSetupHoldsPastedTextWhole_data()
    {
        rowsOf({"4000*a 5000*b|1|Backspace|4000*a5000*b|2", "4000*a 5000*b|0$|Del|4000*a 4999*b|2",
                "4000*a 5000*b|1|Return|4000*a \r\n5000*b|2",
                "4000*a 5000*b|1|Left, X|4000*ax 5000*b|2", "5000*{😀}|1|Backspace|4999*{😀}|2",
                "1001*{240*L\n}x\u2028y|0|Shift+Return|\u20281001*{240*L\r\n}x\u2028y|0",
                "1500*{L\r\n}9000*e|0|Return|\r\n1500*{L\r\n}9000*e|2"});
    }
    void pageSetupHoldsPastedTextWhole()
    {
        QFETCH(QStringList, row);
        static const QRegularExpression run(R"((\d+)\*(\{[^}]*\}|.))");
        for (QString &cell : row) {
            for (QRegularExpressionMatch m;
                 (m = run.match(cell, std::max<qsizetype>(m.capturedStart(), 0))).hasMatch();)
                cell.replace(m.capturedStart(), m.capturedLength(),
                             m.captured(2).remove('{').remove('}').repeated(m.captured(1).toInt()));
        }
        open<frmPageSetup>(t->settings);
        auto *box = child<QPlainTextEdit>(w.get(), "txtChangeHeader");
        QApplication::clipboard()->setText(row[0]);
        press(Qt::Key_V, Qt::ControlModifier);
        // In few paragraphs, none so long that lines are no longer broken at words.
        QVERIFY(box->blockCount() < 200
                && box->wordWrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere);
        QCOMPARE(box->toPlainText().count('\n') - row[0].count('\n')
                     - row[0].count(QChar::LineSeparator),
                 row[4].toInt());
        QTextCursor at(box->document()->findBlockByNumber(row[1].toInt()));
        at.movePosition(row[1].endsWith('$') ? QTextCursor::EndOfBlock : QTextCursor::StartOfBlock);
        box->setTextCursor(at);
        const QKeySequence keys = QKeySequence::fromString(row[2]);
        for (int i = 0; i < keys.count(); ++i)
            press(keys[i].key(), keys[i].keyboardModifiers());
        box->selectAll();
        box->copy();
        QCOMPARE(QApplication::clipboard()->text(),
                 QString(row[3]).replace("\r\n", "\n").replace(QChar::LineSeparator, '\n'));
        click(w.get(), "cmdApplyHeader");
        QCOMPARE(t->read(Paths::headerFile()), (row[3] + "\r\n").toUtf8());
    }

    // Pasting gets past every key filter, so Apply's own checks refuse the
    // first bad field (then its message, when not "Please enter a valid ...").
    void printerRefusesTheFirstBadField_data()
    {
        rowsOf({"|||||0|printer", "Front Desk||500|||1|horizontal margin",
                "Front Desk|12a||||1|horizontal margin", "Front Desk|1000|||12|2|vertical margin",
                "Front Desk|1000|1000||12|3|font", "Front Desk|1000|1000|Arial||4|font size",
                // A double quote would not read back from the settings file.
                "Lab \"A\", Room 2|1000|1000|Arial|12|0|printer|A printer name cannot hold a "
                "double quote (\"), please enter a valid printer !",
                "Front Desk|1000|1000|\"Big\" Sans|12|3|font|A font name cannot hold a double "
                "quote (\"), please enter a valid font !",
                // Nor would a value longer than 64 KB (%K: 65535 bytes).
                "%Kab|1000|1000|Arial|12|0|printer|A printer name cannot be longer than 64 KB, "
                "please enter a valid printer !",
                "Front Desk|1000|1000|%Kab|12|3|font|A font name cannot be longer than 64 KB, "
                "please enter a valid font !"});
    }
    void printerRefusesTheFirstBadField()
    {
        QFETCH(QStringList, row);
        row.replaceInStrings("%K", QString(21845, u'\u6f22'));
        const QStringList stored =
            QString("Front Desk|900|720|Courier New|12|On|on|Off").split('|');
        t->printers.names = {"zeta", "Alpha", "beta"};
        t->fonts.list = {"Times New Roman", "arial", QStringLiteral("Cut") + QChar(0) + "Tail",
                         "Courier New", "ARIAL"};
        openPrinterSetup(stored);
        checkFrame(
            w.get(), "Printer setup",
            ChangeFields
                + QString("chkChangeBold chkChangeItalic chkChangeUnderline cmdApply cmdCancel "
                          "cmdPrintTestPage cmdClose txtCurrentPrinter txtCurrentHorizontalMargin "
                          "txtCurrentVerticalMargin txtCurrentFont txtCurrentFontSize")
                      .split(' '));
        QStringList entered = row.mid(0, 5);
        for (int i = 0; i < 5; ++i) {
            QApplication::clipboard()->setText(entered[i]);
            child(w.get(), ChangeFields[i])->setFocus();
            press(Qt::Key_V, Qt::ControlModifier);
        }
        click(w.get(), "cmdApply");
        QCOMPARE(focusName(), ChangeFields[row[5].toInt()]);
        entered[row[5].toInt()].clear();
        QCOMPARE(shown("Change").mid(0, 5), entered);
        // Only the exact word "On" ticks a box.
        COMPARE_FIELDS(everywhere(),
                       stored + QString("Front Desk|900|720|Courier New|12|On|Off|Off").split('|')
                           + stored,
                       Everywhere);
        enter(QStringList(5, ""), {"Bold", "Italic", "Underline"});
        click(w.get(), "cmdCancel");
        QCOMPARE(shown("Change") << focusName(), NothingEntered + QStringList("comChangePrinter"));
        // The lists stay, sorted whatever the case (a name equal to one listed
        // but for case after it), a font's name cut at a NUL.
        QCOMPARE(itemsOf(w.get(), "comChangePrinter") + itemsOf(w.get(), "comChangeFont"),
                 QString("Alpha|beta|zeta|arial|ARIAL|Courier New|Cut|Times New Roman").split('|'));
        QCOMPARE(said(t->messages),
                 QStringList("Invalid " + row[6] + ": "
                             + row.value(7, "Please enter a valid " + row[6] + " !")
                             + " (Exclamation)"));
    }

    // A refused write puts back the files written (in force is what is on
    // disk); the printer is switched only to an installed name matched exactly.
    void printerAppliesEveryFileOrPutsThemBack_data()
    {
        // File refused (-: none; u: the printer's file unreadable before, so not put back),
        // message end, printer and font entered, printer after.
        rowsOf({"-||Front Desk|Nonexistent Sans|Front Desk", "-||front desk|Arial|Office Laser",
                "-||%Ka|Arial|Office Laser", // 64 KB
                "-||Default|Arial|Office Laser", "-||Laser, Room 2|Sans, Condensed|Laser, Room 2",
                "4|the printer settings have not been changed !|Front Desk|Courier New|Front Desk",
                "2|and these files written before it could not be put back: (%1). The settings of "
                "those files have been changed, all the others have not !|Front Desk|Courier "
                "New|Front Desk",
                "2u|and these files written before it could not be put back: (%1). The settings of "
                "those files have been changed, all the others have not !|Front Desk|Courier "
                "New|Front Desk"});
    }
    void printerAppliesEveryFileOrPutsThemBack()
    {
        QFETCH(QStringList, row);
        row.replaceInStrings("%K", QString(21845, u'\u6f22'));
        const QStringList stored{"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"};
        t->printers.names << "Laser, Room 2";
        openPrinterSetup(stored);
        enter({row[2], "0a8-0.0", "x01,000", row[3], "+8."}, {"Bold", "Underline"});
        const QStringList applied{row[2], "0800", "01000", row[3], "8", "On", "Off", "On"};
        QStringList told;
        if (row[0] != "-") {
            const QString refused = PrinterFiles[row[0].left(1).toInt()];
            const bool putBackFails = row[1].contains("put back"), unread = row[0].endsWith('u');
            t->files.refuse = [&](const QString &path) {
                return putBackFails && path == PrinterFiles[0] && t->files.writes.count(path) == 2;
            };
            t->files.readable = [&](const QString &path) {
                return !unread || path != PrinterFiles[0] || !t->files.writes.isEmpty();
            };
            const Immutable refusing(t->native(refused));
            click(w.get(), "cmdApply");
            const QStringList inForce = QStringList(putBackFails ? row[2] : stored[0])
                + stored.mid(1);
            COMPARE_FIELDS(everywhere(), inForce + inForce + inForce, Everywhere);
            QCOMPARE(shown("Change") << t->printers.current, QStringList(applied) << inForce[0]);
            told << "Printer: The file (" + refused
                    + ") could not be written: " + Immutable::reason() + ", "
                    + QString(row[1]).replace("%1", PrinterFiles[0]) + " (Exclamation)";
            t->files.refuse = nullptr;
            t->files.readable = nullptr;
            t->files.writes.clear();
        }
        click(w.get(), "cmdApply");
        QCOMPARE(t->files.writes, PrinterFiles);
        // A name with a comma is quoted on disk.
        COMPARE_FIELDS(everywhere().replaceInStrings("\"", ""), applied + applied + applied,
                       Everywhere);
        Settings next; // and what the next start reads
        QCOMPARE(int(readSettings(t->files, next).status), int(SettingsRead::Status::Read));
        QCOMPARE(next.printer.PrinterName, row[2]);
        QCOMPARE(shown("Change") << t->printers.current << focusName(),
                 NothingEntered + QStringList({row[4], "cmdClose"}));

        enter({"", "5000", "", "Arial", ""}); // not in force: not printed
        click(w.get(), "cmdPrintTestPage");
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        const RecordingSurface &job = t->printers.lastJob();
        QCOMPARE(QPointF(job.pieces.first().x, job.pieces.first().y), QPointF(800, 1000));
        QCOMPARE(job.lines(800).join('|'),
                 QString("||||Printer test page||Printer: %1||Horizontal Margin: 0800||Vertical "
                         "margin: 01000||Font: %2||Font size: 8||Bold option: On||Italic option: "
                         "Off||Underline option: On||Sample text to demonstrate page formatting. "
                         "All text will be wrapped between the page horizontal margins. Shown "
                         "above are the current printer settings.")
                     .arg(row[2], row[3]));
        t->printers.startError = QStringLiteral("none");
        click(w.get(), "cmdPrintTestPage");
        QCOMPARE(said(t->messages),
                 told << "Printer: The printer settings have been changed ! (Information)"
                      << "Printing: The test page has been sent to the printer " + row[4]
                         + " (Information)"
                      << "Printing: The print job could not be started: none ! (Exclamation)");
    }

    void eachColumnAddsRefusesAndDeletes_data()
    {
        // Column, article, Cancel button, folder, typed, stored, list after, language.
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
        title == "Rate" ? open<frmRatesSetup>() : open<frmTermsSetup>();
        click(w.get(), del);
        {
            const Immutable refusing(t->native(folder));
            add(title, row[4]);
            remove(title, entry, MsgAnswer::Yes);
        }
        QCOMPARE(itemsOf(w.get(), list) + filesIn(folder), QStringList({entry, entry + ".txt"}));
        add(title, row[4]);
        QCOMPARE(t->read(Paths::entryFile(folder, stored)), QByteArray());
        add(title, row[4]);
        QCOMPARE(itemsOf(w.get(), list).join(' ') + "|" + QString::number(filesIn(folder).size()),
                 row[6] + "|2");
        add(title, "");
        typeInto(w.get(), box, "5");
        click(w.get(), row[2]);
        QCOMPARE(textOf(w.get(), box) + focusName(), box);
        remove(title, entry, MsgAnswer::No);
        remove(title, entry, MsgAnswer::Yes);
        QCOMPARE(itemsOf(w.get(), list) + filesIn(folder), QStringList({stored, stored + ".txt"}));
        click(w.get(), del); // nothing is left picked: no neighbour is taken
        QVERIFY(selectAsAssistiveTool(child(w.get(), list), stored)); // no current item
        t->messages.answers.enqueue(MsgAnswer::Yes);
        click(w.get(), del);
        QFile expected(QFINDTESTDATA("column_messages.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(
            said(t->messages).join('\n') + '\n',
            QString::fromUtf8(expected.readAll())
                .arg(title, row[1], title.toLower(), entry, stored, folder, Immutable::reason()));
    }

    // Terms are ordered as numbers, rates as texts; empty lists are told in order.
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
        typeInto(w.get(), "txtUpfront", "a.-9");
        QCOMPARE(textOf(w.get(), "txtUpfront"), QStringLiteral("9"));
        press(Qt::Key_Backspace);
        typeInto(w.get(), "txtUpfront", "123");
        typeInto(w.get(), "txtMid", "x1234");
        QCOMPARE(textOf(w.get(), "txtUpfront") + textOf(w.get(), "txtMid"),
                 QStringLiteral("12123"));
        add("Upfront", "7"); // no twin of the hand-made 07
        for (const QString term : {"Mid", "Final"}) {
            QApplication::clipboard()->setText(term == "Mid" ? "1.5" : "-1");
            typeInto(w.get(), "txt" + term, "", true);
            press(Qt::Key_V, Qt::ControlModifier);
            click(w.get(), "cmdAdd" + term);
        }
        QCOMPARE(itemsOf(w.get(), "lstUpfront") + itemsOf(w.get(), "lstMid"),
                 QString("07 7 12 1.5 6 12 36 120").split(' '));
        remove("Upfront", "07", MsgAnswer::Yes);
        t->remove(Paths::entryFile(Paths::finalsFolder(), "12"));
        remove("Final", "12", MsgAnswer::Yes);
        QCOMPARE(filesIn(Paths::upfrontsFolder()) + itemsOf(w.get(), "lstFinal"),
                 QString("12.txt 7.txt -1").split(' '));
        QCOMPARE(t->messages.texts().last(),
                 "The file (" + Paths::entryFile(Paths::finalsFolder(), "12")
                     + ") no longer exists !");
        click(w.get(), "cmdClose");
        QVERIFY(!w->isVisible());
        open<frmRatesSetup>();
        checkFrame(
            w.get(), "Rates setup",
            {"txtRate", "cmdAddRate", "cmdCancelRate", "cmdDeleteRate", "cmdClose", "lstRates"});
        typeInto(w.get(), "txtRate", "123456");
        QCOMPARE(textOf(w.get(), "txtRate"), QStringLiteral("12345"));
        for (const QString typed : {"25", "25.5", "3.456", ".5", "-5", "abc", "1e99", "100", "7.5"})
            add("Rate", typed);
        QCOMPARE(itemsOf(w.get(), "lstRates").join(' '),
                 "-5.00 0.50 100.00 12.00 25.00 25.50 3.46 7.5 7.50 9.50");

        w.reset();
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        frmTermsSetup terms(t->platform);
        QCOMPARE(t->messages.texts().join('|').remove("You do not currently have any "),
                 "upfronts setup !|mids setup !|finals setup !");
    }
};

QTEST_MAIN(TestSetup)
#include "test_setup.moc"
