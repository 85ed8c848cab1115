#include "WidgetDriver.h"

#include "setup/frmPrinterSetup.h"
#include "setup/modFonts.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"

#include <QCheckBox>
#include <QClipboard>
#include <memory>

namespace {

const QStringList Files{Paths::printerFile(),        Paths::horizontalMarginFile(),
                        Paths::verticalMarginFile(), Paths::fontFile(),
                        Paths::fontSizeFile(),       Paths::boldFile(),
                        Paths::italicFile(),         Paths::underlineFile()};
const QStringList Stored{"Office Laser", "1440", "1440", "Arial", "10", "Off", "Off", "Off"};
const QStringList NothingEntered{"", "", "", "", "", "Off", "Off", "Off"};
const QStringList ChangeFields{"comChangePrinter", "txtChangeHorizontalMargin",
                               "txtChangeVerticalMargin", "comChangeFont", "comChangeFontSize"};
const QString Changed = "Printer: The printer settings have been changed ! (Information)";

// An opened printer setup window over a settings tree whose files and
// variables hold the same settings.
struct Fixture {
    explicit Fixture(const QStringList &stored = Stored)
    {
        tp.makeTree();
        for (int i = 0; i < 8; ++i)
            tp.write(Files[i], (stored[i] + "\r\n").toUtf8());
        QCOMPARE(int(readSettings(tp.files, tp.settings).status), int(SettingsRead::Status::Read));
    }
    void open()
    {
        w = std::make_unique<frmPrinterSetup>(tp.platform, tp.settings);
        QVERIFY(showActive(w.get()));
    }
    void enter(const QStringList &five, const QStringList &ticks = {})
    {
        for (int i = 0; i < 5; ++i)
            typeInto(w.get(), ChangeFields[i], five[i]);
        for (const QString &option : ticks)
            click(w.get(), "chkChange" + option);
    }
    // What a group ("Current" or "Change") shows in file order, the options
    // as "On" or "Off"; then what is in force and on disk in the same order.
    QStringList shown(const QString &group) const
    {
        QStringList texts;
        for (const QString field :
             {"Printer", "HorizontalMargin", "VerticalMargin", "Font", "FontSize"})
            texts << textOf(w.get(),
                            (group == "Change" && !field.endsWith("Margin") ? "com" : "txt") + group
                                + field);
        for (const QString option : {"Bold", "Italic", "Underline"})
            texts << (child<QCheckBox>(w.get(), "chk" + group + option)->isChecked() ? "On"
                                                                                     : "Off");
        return texts;
    }
    QStringList inForce() const
    {
        const PrinterSettings &p = tp.settings.printer;
        return {p.PrinterName,     p.HorizontalMargin, p.VerticalMargin, p.PrinterFont,
                p.PrinterFontSize, p.PrinterBold,      p.PrinterItalic,  p.PrinterUnderline};
    }
    QStringList onDisk() const
    {
        QStringList texts;
        for (const QString &path : Files)
            texts.append(QString::fromUtf8(tp.read(path)).chopped(2));
        return texts;
    }

    TestPlatform tp;
    std::unique_ptr<frmPrinterSetup> w;
};

} // namespace

class TestPrinterSetup : public QObject {
    Q_OBJECT
private slots:
    void opensShowingTheSettingsInForce()
    {
        Fixture f({"Front Desk", "900", "720", "Courier New", "12", "On", "on", "Off"});
        f.tp.printers.names = {"zeta", "Alpha", "beta"};
        f.tp.fonts.list = {"Times New Roman", "arial", "Courier New"};
        f.open();
        // Only the exact word "On" ticks a box; nothing in the group can be changed.
        QCOMPARE(f.shown("Current").join('|'), "Front Desk|900|720|Courier New|12|On|Off|Off");
        QVERIFY(child<QLineEdit>(f.w.get(), "txtCurrentFont")->isReadOnly()
                && !child<QWidget>(f.w.get(), "chkCurrentBold")->isEnabled());
        QCOMPARE(itemsOf(f.w.get(), "comChangePrinter").join('|'), "Alpha|beta|zeta");
        QCOMPARE(itemsOf(f.w.get(), "comChangeFont").join('|'),
                 "arial|Courier New|Times New Roman");
        QCOMPARE(itemsOf(f.w.get(), "comChangeFontSize").join(' '),
                 "8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72");
        QCOMPARE(f.shown("Change"), NothingEntered);
        checkFrame(
            f.w.get(), "Printer setup",
            ChangeFields
                + QString("chkChangeBold chkChangeItalic chkChangeUnderline cmdApply cmdCancel "
                          "cmdPrintTestPage cmdClose txtCurrentPrinter txtCurrentHorizontalMargin "
                          "txtCurrentVerticalMargin txtCurrentFont txtCurrentFontSize")
                      .split(' '));
        QVERIFY(f.tp.messages.messages.isEmpty());
    }

    // Pasting gets past every key filter, so Apply's own checks refuse: the
    // first bad field (then its message, when not "Please enter a valid ...").
    void applyRefusesTheFirstBadField_data()
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
    void applyRefusesTheFirstBadField()
    {
        QFETCH(QStringList, row);
        Fixture f;
        f.open();
        QStringList entered = row.mid(0, 5);
        for (int i = 0; i < 5; ++i) {
            QApplication::clipboard()->setText(entered[i]);
            child(f.w.get(), ChangeFields[i])->setFocus();
            press(Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(f.shown("Change").mid(0, 5), entered);
        click(f.w.get(), "cmdApply");
        QCOMPARE(said(f.tp.messages),
                 QStringList("Invalid " + row[6] + ": "
                             + row.value(7, "Please enter a valid " + row[6] + " !")
                             + " (Exclamation)"));
        QCOMPARE(focusName(), ChangeFields[row[5].toInt()]);
        entered[row[5].toInt()].clear(); // the refused field is emptied, the others kept
        QCOMPARE(f.shown("Change").mid(0, 5), entered);
        QCOMPARE(f.inForce() + f.shown("Current") + f.onDisk(), Stored + Stored + Stored);
        // Cancel empties the change controls only; the lists stay to choose from.
        f.enter(QStringList(5, ""), {"Bold", "Italic", "Underline"});
        click(f.w.get(), "cmdCancel");
        QCOMPARE(f.shown("Change"), NothingEntered);
        QCOMPARE(focusName(), QStringLiteral("comChangePrinter"));
        QCOMPARE(itemsOf(f.w.get(), "comChangePrinter").size()
                     + itemsOf(f.w.get(), "comChangeFontSize").size(),
                 18);
        QVERIFY(f.tp.files.writes.isEmpty() && f.tp.messages.messages.size() == 1);
    }

    // Margins and size take digits only from the keyboard; every value is
    // stored as entered, the printer switched only to an installed name
    // matched exactly, and the next print uses the new values at once.
    void applyPutsEverythingInForceAndOnDisk_data()
    {
        rowsOf({"Front Desk|Nonexistent Sans|Front Desk", "front desk|Arial|Office Laser",
                "Default|Arial|Office Laser", "Laser, Room 2|Sans, Condensed|Laser, Room 2"});
    }
    void applyPutsEverythingInForceAndOnDisk()
    {
        QFETCH(QStringList, row);
        Fixture f({"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"});
        f.tp.printers.names << "Laser, Room 2";
        f.open();
        f.enter({row[0], "0a8-0.0 9", "x01,000", row[1], ""}, {"Bold", "Underline"});
        child(f.w.get(), "txtChangeHorizontalMargin")->setFocus();
        press(Qt::Key_Backspace);
        child(f.w.get(), "comChangeFontSize")->setFocus();
        press(Qt::Key_Down); // the size chosen from the list with the keyboard
        click(f.w.get(), "cmdApply");
        QCOMPARE(said(f.tp.messages), QStringList(Changed));
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        const QStringList applied{row[0], "0800", "01000", row[1], "8", "On", "Off", "On"};
        QCOMPARE(f.tp.files.writes, Files);
        QCOMPARE(f.inForce() + f.shown("Current"), applied + applied);
        QCOMPARE(f.onDisk().join('|').remove('"'), applied.join('|')); // a comma's name is quoted
        QCOMPARE(f.shown("Change"), NothingEntered);
        QCOMPARE(f.tp.printers.current, row[2]);
        Settings read;
        QCOMPARE(int(readSettings(f.tp.files, read).status), int(SettingsRead::Status::Read));
        QCOMPARE(read.printer.PrinterName + "|" + read.printer.PrinterFont, row[0] + "|" + row[1]);
        click(f.w.get(), "cmdPrintTestPage");
        const RecordingSurface &job = f.tp.printers.lastJob();
        QCOMPARE(job.fontName + "|" + QString::number(job.fontSize), row[1] + "|8");
        QVERIFY(job.bold && !job.italic && job.underline);
        QCOMPARE(QPointF(job.pieces.first().x, job.pieces.first().y), QPointF(800, 1000));
    }

    // On a refused write the files already written get their old content
    // back; one that cannot be put back is named, and what is in force is
    // what is on disk. What the user entered stays for another try.
    void aFileThatCannotBeWritten_data() { rowsOf({"4|", "2|not put back"}); }
    void aFileThatCannotBeWritten()
    {
        QFETCH(QStringList, row);
        const QString refused = Files[row[0].toInt()];
        const bool putBackFails = !row[1].isEmpty();
        Fixture f;
        f.open();
        const QStringList &writes = f.tp.files.writes;
        f.tp.files.refuse = [&](const QString &path) {
            return path == refused || (putBackFails && path == Files[0] && writes.count(path) == 2);
        };
        const QStringList entered{"Front Desk", "900", "900", "Courier New",
                                  "14",         "Off", "On",  "Off"};
        f.enter(entered, {"Italic"});
        click(f.w.get(), "cmdApply");
        QStringList inForce = Stored;
        if (putBackFails)
            inForce[0] = "Front Desk";
        QCOMPARE(
            said(f.tp.messages),
            QStringList("Printer: The file (" + refused + ") could not be written, "
                        + (putBackFails
                               ? "and these files written before it could not be put back: ("
                                   + Files[0]
                                   + "). The settings of those files have been changed, all the "
                                     "others have not ! (Exclamation)"
                               : "the printer settings have not been changed ! (Exclamation)")));
        QCOMPARE(f.onDisk() + f.inForce() + f.shown("Current"), inForce + inForce + inForce);
        QCOMPARE(f.tp.printers.current, inForce[0]);
        QCOMPARE(f.shown("Change"), entered);
        f.tp.files.refuse = nullptr;
        click(f.w.get(), "cmdApply");
        QCOMPARE(said(f.tp.messages).last(), Changed);
        QCOMPARE(f.onDisk(), entered);
        QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
    }

    void testPagePrintsTheStoredSettings()
    {
        Fixture f({"Office Laser", "1000", "720", "Courier New", "12", "On", "On", "Off"});
        f.open();
        f.enter({"", "5000", "", "Arial", ""}); // not the settings in force
        click(f.w.get(), "cmdPrintTestPage");
        QCOMPARE(f.tp.printers.jobs.size(), size_t(1));
        const RecordingSurface &job = f.tp.printers.lastJob();
        QVERIFY(job.ended && job.bold && job.italic && !job.underline);
        QCOMPARE(job.fontName + "|" + QString::number(job.fontSize), "Courier New|12");
        const QStringList lines = job.lines();
        QCOMPARE(lines.mid(0, 18).join('|'),
                 "Printer test page||Printer: Office Laser||Horizontal Margin: 1000||Vertical "
                 "margin: 720||Font: Courier New||Font size: 12||Bold option: On||Italic option: "
                 "On||Underline option: Off|");
        // The sample wraps between the margins; a space may print after the last word.
        QVERIFY(lines.size() > 19);
        QCOMPARE(lines.mid(18).join(QString()),
                 "Sample text to demonstrate page formatting. All text will be wrapped between the "
                 "page horizontal margins. Shown above are the current printer settings.");
        for (const RecordingSurface::Piece &piece : job.pieces)
            QVERIFY(piece.x >= 1000
                    && (piece.text == " "
                        || piece.x + job.charWidth * piece.text.size() <= job.width - 1000));
        QCOMPARE(job.pieces.first().y, 720.0f);
        QCOMPARE(
            said(f.tp.messages),
            QStringList(
                "Printing: The test page has been sent to the printer Office Laser (Information)"));
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        // A job that cannot start is told as such, never as sent.
        f.tp.printers.startError = QStringLiteral("no printer is installed");
        click(f.w.get(), "cmdPrintTestPage");
        QVERIFY(said(f.tp.messages).at(1).endsWith("(Exclamation)")
                && !said(f.tp.messages).at(1).contains("The test page"));
    }

    void fontListIsSortedAndCutAtNul()
    {
        QWidget window;
        auto *combo = new QComboBox(&window);
        combo->setObjectName("fonts");
        combo->setEditable(true);
        combo->setProperty("sortedList", true);
        combo->addItem(QStringLiteral("Old Font"));
        combo->setEditText(QStringLiteral("typed"));
        FakeFonts fonts;
        fonts.list = {"Verdana", "bitstream", QStringLiteral("Cut") + QChar(0) + "Tail", "Arial"};
        FillFontList(combo, fonts);
        AddFontFamily(QStringLiteral("Zapf"), combo);
        QCOMPARE(itemsOf(&window, "fonts").join('|') + "|" + combo->currentText(),
                 "Arial|bitstream|Cut|Verdana|Zapf|typed");
    }
};

QTEST_MAIN(TestPrinterSetup)
#include "test_printer_setup.moc"
