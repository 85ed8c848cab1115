#include "DialogTest.h"

#include "setup/frmPrinterSetup.h"
#include "setup/modFonts.h"
#include "store/Paths.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <functional>

namespace {

// A disk file system that records the order of whole-file writes and can be
// told to refuse chosen ones.
class RecordingFileSystem : public FaultyFileSystem {
public:
    using FaultyFileSystem::FaultyFileSystem;
    bool replaceFile(const QString &path, const QByteArray &bytes) override
    {
        const int nth = int(writes.count(path)) + 1;
        writes.append(path);
        if (refuse && refuse(path, nth))
            return false;
        return FaultyFileSystem::replaceFile(path, bytes);
    }
    QStringList writes;
    std::function<bool(const QString &path, int nth)> refuse;
};

QStringList eightFiles()
{
    return {Paths::printerFile(), Paths::horizontalMarginFile(), Paths::verticalMarginFile(),
            Paths::fontFile(),    Paths::fontSizeFile(),         Paths::boldFile(),
            Paths::italicFile(),  Paths::underlineFile()};
}

// The settings in the order of their files.
QStringList valuesOf(const PrinterSettings &p)
{
    return {p.PrinterName,     p.HorizontalMargin, p.VerticalMargin, p.PrinterFont,
            p.PrinterFontSize, p.PrinterBold,      p.PrinterItalic,  p.PrinterUnderline};
}

const QStringList Stored{"Office Laser", "1440", "1440", "Arial", "10", "Off", "Off", "Off"};
const QStringList NothingEntered{"", "", "", "", "", "Off", "Off", "Off"};
const QStringList ChangeFields{"comChangePrinter", "txtChangeHorizontalMargin",
                               "txtChangeVerticalMargin", "comChangeFont", "comChangeFontSize"};

// An opened printer setup window over a settings tree whose files and
// variables hold the same settings.
struct Fixture {
    explicit Fixture(const QStringList &stored = Stored)
        : files(tp.dir.path() + QStringLiteral("/drive_c")), platform{
                                                                 tp.messages, files,    tp.locale,
                                                                 tp.printers, tp.fonts, tp.launcher,
                                                                 tp.instance, tp.clock, tp.pages}
    {
        tp.makeTree();
        for (int i = 0; i < 8; ++i)
            tp.write(eightFiles()[i], (stored[i] + QStringLiteral("\r\n")).toUtf8());
        QCOMPARE(int(readSettings(files, tp.settings).status), int(SettingsRead::Status::Read));
    }
    void open()
    {
        window = std::make_unique<frmPrinterSetup>(platform, tp.settings);
        if (!showActive(window.get()))
            qWarning("printer setup window not active");
    }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(window.get(), name); }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(window.get(), name); }
    QCheckBox *check(const QString &name) const { return child<QCheckBox>(window.get(), name); }
    void click(const QString &button) const { ::click(window.get(), button); }
    void tick(const QString &option) const
    {
        QTest::mouseClick(check("chkChange" + option), Qt::LeftButton);
    }
    // The five change fields typed in, in their focus order.
    void enter(const QStringList &five) const
    {
        for (int i = 0; i < 5; ++i)
            typeInto(window.get(), ChangeFields[i], five[i]);
    }
    // What a group ("Current" or "Change") shows: the five texts in file
    // order, then each option box as "On" or "Off".
    QStringList shown(const QString &group) const
    {
        QStringList result;
        for (const QString field :
             {"Printer", "HorizontalMargin", "VerticalMargin", "Font", "FontSize"}) {
            const bool isCombo = group == QLatin1String("Change") && !field.endsWith("Margin");
            result.append(isCombo ? combo("com" + group + field)->currentText()
                                  : edit("txt" + group + field)->text());
        }
        for (const QString option : {"Bold", "Italic", "Underline"})
            result.append(check("chk" + group + option)->isChecked() ? "On" : "Off");
        return result;
    }
    QList<QByteArray> onDisk() const
    {
        QList<QByteArray> bytes;
        for (const QString &path : eightFiles())
            bytes.append(tp.read(path));
        return bytes;
    }

    TestPlatform tp;
    RecordingFileSystem files;
    Platform platform;
    std::unique_ptr<frmPrinterSetup> window;
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
        // Only the exact word "On" ticks a box.
        QCOMPARE(
            f.shown("Current"),
            QStringList({"Front Desk", "900", "720", "Courier New", "12", "On", "Off", "Off"}));
        for (const QString field :
             {"Printer", "HorizontalMargin", "VerticalMargin", "Font", "FontSize"})
            QVERIFY(f.edit("txtCurrent" + field)->isReadOnly());
        QVERIFY(!f.check("chkCurrentBold")->isEnabled());
        QCOMPARE(itemsOf(f.combo("comChangePrinter")), QStringList({"Alpha", "beta", "zeta"}));
        QCOMPARE(itemsOf(f.combo("comChangeFont")),
                 QStringList({"arial", "Courier New", "Times New Roman"}));
        QCOMPARE(itemsOf(f.combo("comChangeFontSize")),
                 QStringList({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                              "28", "36", "48", "72"}));
        for (const QString name : {"comChangePrinter", "comChangeFont", "comChangeFontSize"}) {
            QCOMPARE(f.combo(name)->currentIndex(), -1);
            QVERIFY(f.combo(name)->isEditable());
        }
        QCOMPARE(f.shown("Change"), NothingEntered);
        checkFrame(
            f.window.get(), QStringLiteral("Printer setup"),
            ChangeFields
                + QStringList({"chkChangeBold", "chkChangeItalic", "chkChangeUnderline", "cmdApply",
                               "cmdCancel", "cmdPrintTestPage", "cmdClose", "txtCurrentPrinter",
                               "txtCurrentHorizontalMargin", "txtCurrentVerticalMargin",
                               "txtCurrentFont", "txtCurrentFontSize"}));
        QVERIFY(f.tp.messages.messages.isEmpty());
        // In twips inside their group: the labels before their boxes (the two
        // margin captions need the group's left edge), the two margin tips on
        // the margin row, buttons 1215 x 495; every caption fits whole.
        const QList<QPair<QString, QPoint>> at{{"Printer", {960, 360}},
                                               {"HorizontalMargin", {0, 840}},
                                               {"VerticalMargin", {0, 1320}},
                                               {"Font", {1080, 1800}},
                                               {"FontSize", {720, 2280}}};
        for (const auto &[label, twips] : at)
            for (const QString group : {"Current", "Change"})
                QCOMPARE(child<QLabel>(f.window.get(), "lbl" + group + label)->pos() * 15, twips);
        QCOMPARE(child<QLabel>(f.window.get(), "lblCurrentHorizontalMarginTip")->pos() * 15,
                 QPoint(3840, 840));
        QCOMPARE(child<QLabel>(f.window.get(), "lblChangeHorizontalMarginTip")->pos() * 15,
                 QPoint(3600, 840));
        for (const QPushButton *button : f.window->findChildren<QPushButton *>()) {
            QCOMPARE(button->height() * 15, 495);
            QVERIFY2(button->width() * 15 == 1215 || button->objectName() == "cmdPrintTestPage",
                     qPrintable(button->objectName()));
        }
        QList<QWidget *> captioned;
        for (QLabel *label : f.window->findChildren<QLabel *>())
            if (!label->wordWrap())
                captioned.append(label);
        for (QPushButton *button : f.window->findChildren<QPushButton *>())
            captioned.append(button);
        for (const QWidget *control : captioned)
            QVERIFY2(control->width() >= control->sizeHint().width(),
                     qPrintable(control->objectName()));
    }

    // Fields are filled by pasting, which no key filter stops, so Apply's own
    // checks are what refuse them.
    void applyRefusesTheFirstBadField_data()
    {
        QTest::addColumn<QStringList>("entered");
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message"); // when not "Please enter a valid <field> !"
        QTest::newRow("nothing") << QStringList({"", "", "", "", ""}) << 0 << "printer"
                                 << QString();
        QTest::newRow("printer only") << QStringList({"Front Desk", "", "500", "", ""}) << 1
                                      << "horizontal margin" << QString();
        QTest::newRow("letters in a margin") << QStringList({"Front Desk", "12a", "", "", ""}) << 1
                                             << "horizontal margin" << QString();
        QTest::newRow("no vertical margin") << QStringList({"Front Desk", "1000", "", "", "12"})
                                            << 2 << "vertical margin" << QString();
        QTest::newRow("no font") << QStringList({"Front Desk", "1000", "1000", "", "12"}) << 3
                                 << "font" << QString();
        QTest::newRow("no size") << QStringList({"Front Desk", "1000", "1000", "Arial", ""}) << 4
                                 << "font size" << QString();
        // A double quote would not read back from the settings file.
        QTest::newRow("quote in printer")
            << QStringList({"Lab \"A\", Room 2", "1000", "1000", "Arial", "12"}) << 0 << "printer"
            << "A printer name cannot hold a double quote (\"), please enter a valid printer !";
        QTest::newRow("quote in font")
            << QStringList({"Front Desk", "1000", "1000", "\"Big\" Sans", "12"}) << 3 << "font"
            << "A font name cannot hold a double quote (\"), please enter a valid font !";
    }
    void applyRefusesTheFirstBadField()
    {
        QFETCH(QStringList, entered);
        QFETCH(int, refused);
        QFETCH(QString, field);
        QFETCH(QString, message);
        Fixture f;
        f.open();
        const QList<QByteArray> before = f.onDisk();
        for (int i = 0; i < 5; ++i) {
            if (entered[i].isEmpty())
                continue;
            QApplication::clipboard()->setText(entered[i]);
            child(f.window.get(), ChangeFields[i])->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(f.shown("Change").mid(0, 5), entered);
        f.click("cmdApply");
        QCOMPARE(f.tp.messages.texts(),
                 QStringList(message.isEmpty() ? "Please enter a valid " + field + " !" : message));
        QCOMPARE(f.tp.messages.messages[0].title, "Invalid " + field);
        QCOMPARE(f.tp.messages.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(focusName(), ChangeFields[refused]);
        // The refused field is emptied, the others keep what was entered.
        entered[refused].clear();
        QCOMPARE(f.shown("Change").mid(0, 5), entered);
        QCOMPARE(f.onDisk(), before);
        QVERIFY(f.files.writes.isEmpty());
        QCOMPARE(valuesOf(f.tp.settings.printer), Stored);
        QCOMPARE(f.shown("Current"), Stored);

        // Cancel empties the change controls only; the lists stay to choose from.
        for (const QString option : {"Bold", "Italic", "Underline"})
            f.tick(option);
        f.click("cmdCancel");
        QCOMPARE(f.shown("Change"), NothingEntered);
        QCOMPARE(focusName(), QStringLiteral("comChangePrinter"));
        QCOMPARE(f.combo("comChangePrinter")->count(), 2);
        QCOMPARE(f.combo("comChangeFontSize")->count(), 16);
        QCOMPARE(f.tp.messages.messages.size(), 1);
        QCOMPARE(f.onDisk(), before);
    }

    void marginAndSizeBoxesTakeDigitsOnly()
    {
        Fixture f;
        f.open();
        f.enter({"Desk 2, B", "12a-3.4 56789", "x0,7e2", "My Font-1", "1x3"});
        QCOMPARE(f.shown("Change").mid(0, 5),
                 QStringList({"Desk 2, B", "123456", "072", "My Font-1", "13"}));
        QTest::keyClick(f.edit("txtChangeHorizontalMargin"), Qt::Key_Backspace);
        QCOMPARE(f.edit("txtChangeHorizontalMargin")->text(), QStringLiteral("12345"));
    }

    void applyPutsEverythingInForceAndOnDisk()
    {
        Fixture f({"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"});
        f.open();
        f.enter({"Front Desk", "0800", "01000", "Nonexistent Sans", ""});
        // The size chosen from the list with the keyboard rather than typed.
        QTest::keyClick(f.combo("comChangeFontSize"), Qt::Key_Down);
        f.tick("Bold");
        f.tick("Underline");
        f.click("cmdApply");
        QCOMPARE(f.tp.messages.texts(), QStringList("The printer settings have been changed !"));
        QCOMPARE(f.tp.messages.messages[0].title, QStringLiteral("Printer"));
        QCOMPARE(f.tp.messages.messages[0].icon, MsgIcon::Information);
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));
        // The eight files, in their order, as entered (not normalised).
        QCOMPARE(f.files.writes, eightFiles());
        QCOMPARE(
            f.onDisk(),
            QList<QByteArray>({"Front Desk\r\n", "0800\r\n", "01000\r\n", "Nonexistent Sans\r\n",
                               "8\r\n", "On\r\n", "Off\r\n", "On\r\n"}));
        const QStringList applied{"Front Desk", "0800", "01000", "Nonexistent Sans",
                                  "8",          "On",   "Off",   "On"};
        QCOMPARE(valuesOf(f.tp.settings.printer), applied);
        QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
        QCOMPARE(f.shown("Current"), applied);
        QCOMPARE(f.shown("Change"), NothingEntered);

        // In force at once: the next print uses the new values.
        f.click("cmdPrintTestPage");
        QCOMPARE(f.tp.printers.jobs.size(), size_t(1));
        RecordingSurface &job = f.tp.printers.lastJob();
        QCOMPARE(job.fontName, QStringLiteral("Nonexistent Sans"));
        QCOMPARE(job.fontSize, 8.0f);
        QVERIFY(job.bold && !job.italic && job.underline);
        QCOMPARE(job.pieces.first().x, 800.0f);
        QCOMPARE(job.pieces.first().y, 1000.0f);
    }

    // The printer is switched only to an installed name matched exactly;
    // any name is stored and read back whole, commas included.
    void printerNamesStoredAndSwitched_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("switchedTo");
        QTest::newRow("letter case differs") << "front desk"
                                             << "Arial"
                                             << "Office Laser";
        QTest::newRow("Default") << "Default"
                                 << "Arial"
                                 << "Office Laser";
        QTest::newRow("commas") << "Laser, Room 2"
                                << "Sans, Condensed"
                                << "Laser, Room 2";
    }
    void printerNamesStoredAndSwitched()
    {
        QFETCH(QString, printer);
        QFETCH(QString, font);
        QFETCH(QString, switchedTo);
        Fixture f({"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"});
        f.tp.printers.names = {"Office Laser", "Front Desk", "Laser, Room 2"};
        f.open();
        f.enter({printer, "1000", "1000", font, "10"});
        f.click("cmdApply");
        QCOMPARE(f.tp.messages.texts(), QStringList("The printer settings have been changed !"));
        QCOMPARE(f.tp.printers.current, switchedTo);
        Settings read;
        QCOMPARE(int(readSettings(f.files, read).status), int(SettingsRead::Status::Read));
        QCOMPARE(read.printer.PrinterName, printer);
        QCOMPARE(read.printer.PrinterFont, font);
        QCOMPARE(f.tp.settings.printer.PrinterName, printer);
        QCOMPARE(f.edit("txtCurrentPrinter")->text(), printer);
        // Nothing ticked turns every option off.
        QCOMPARE(f.onDisk().mid(5), QList<QByteArray>({"Off\r\n", "Off\r\n", "Off\r\n"}));
        QCOMPARE(f.shown("Current").mid(5), QStringList({"Off", "Off", "Off"}));
    }

    // On a refused write the files already written get their old content
    // back; one that cannot be put back is named, and what is in force is
    // what is on disk. What the user entered stays for another try.
    void aFileThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("refused");
        QTest::addColumn<bool>("putBackFails");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("inForce");
        QTest::newRow("all put back") << Paths::fontSizeFile() << false
                                      << "The file (" + Paths::fontSizeFile()
                + ") could not be written, the printer settings have not been changed !"
                                      << Stored;
        QTest::newRow("printer file not put back")
            << Paths::verticalMarginFile() << true
            << "The file (" + Paths::verticalMarginFile()
                + ") could not be written, and these files written before it could not be put "
                  "back: ("
                + Paths::printerFile()
                + "). The settings of those files have been changed, all the others have not !"
            << QStringList({"Front Desk", "1440", "1440", "Arial", "10", "Off", "Off", "Off"});
    }
    void aFileThatCannotBeWritten()
    {
        QFETCH(QString, refused);
        QFETCH(bool, putBackFails);
        QFETCH(QString, message);
        QFETCH(QStringList, inForce);
        Fixture f;
        f.open();
        f.files.refuse = [&](const QString &path, int nth) {
            return path == refused || (putBackFails && path == Paths::printerFile() && nth == 2);
        };
        f.enter({"Front Desk", "900", "900", "Courier New", "14"});
        f.tick("Italic");
        f.click("cmdApply");
        QCOMPARE(f.tp.messages.texts(), QStringList(message));
        QCOMPARE(f.tp.messages.messages[0].title, QStringLiteral("Printer"));
        QCOMPARE(f.tp.messages.messages[0].icon, MsgIcon::Exclamation);
        QList<QByteArray> expectedOnDisk;
        for (const QString &value : inForce)
            expectedOnDisk.append(value.toUtf8() + "\r\n");
        QCOMPARE(f.onDisk(), expectedOnDisk);
        QCOMPARE(valuesOf(f.tp.settings.printer), inForce);
        QCOMPARE(f.shown("Current"), inForce);
        QCOMPARE(f.tp.printers.current, inForce[0]);
        QCOMPARE(
            f.shown("Change"),
            QStringList({"Front Desk", "900", "900", "Courier New", "14", "Off", "On", "Off"}));

        f.files.refuse = nullptr;
        f.click("cmdApply");
        QCOMPARE(f.tp.messages.texts().last(),
                 QStringLiteral("The printer settings have been changed !"));
        QCOMPARE(f.tp.read(Paths::fontSizeFile()), QByteArray("14\r\n"));
        QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
    }

    void testPagePrintsTheStoredSettings()
    {
        Fixture f({"Office Laser", "1000", "720", "Courier New", "12", "On", "On", "Off"});
        f.open();
        // Values in the change controls are not the settings in force.
        typeInto(f.window.get(), "comChangeFont", "Arial");
        typeInto(f.window.get(), "txtChangeHorizontalMargin", "5000");
        f.click("cmdPrintTestPage");

        QCOMPARE(f.tp.printers.jobs.size(), size_t(1));
        RecordingSurface &job = f.tp.printers.lastJob();
        QVERIFY(job.ended);
        QCOMPARE(job.fontName, QStringLiteral("Courier New"));
        QCOMPARE(job.fontSize, 12.0f);
        QVERIFY(job.bold && job.italic && !job.underline);
        const QStringList lines = job.lines();
        QCOMPARE(lines.mid(0, 18),
                 QStringList({"Printer test page", "", "Printer: Office Laser", "",
                              "Horizontal Margin: 1000", "", "Vertical margin: 720", "",
                              "Font: Courier New", "", "Font size: 12", "", "Bold option: On", "",
                              "Italic option: On", "", "Underline option: Off", ""}));
        QVERIFY(lines.size() > 19); // the sample wraps between the margins
        QCOMPARE(
            lines.mid(18).join(QString()),
            QStringLiteral("Sample text to demonstrate page formatting. All text will be wrapped "
                           "between the page horizontal margins. Shown above are the current "
                           "printer settings."));
        for (const RecordingSurface::Piece &piece : job.pieces) {
            QVERIFY(piece.x >= 1000.0f);
            // Words end before the right margin; a space may print after the last one.
            if (piece.text != QLatin1String(" "))
                QVERIFY(piece.x + job.textWidth(piece.text) <= job.width - 1000.0f);
        }
        QCOMPARE(job.pieces.first().y, 720.0f);
        QCOMPARE(f.tp.messages.texts(),
                 QStringList("The test page has been sent to the printer Office Laser"));
        QCOMPARE(f.tp.messages.messages[0].title, QStringLiteral("Printing"));
        QCOMPARE(f.tp.messages.messages[0].icon, MsgIcon::Information);
        QCOMPARE(focusName(), QStringLiteral("cmdClose"));

        // A job that cannot start is told as such, never as sent.
        f.tp.printers.startError = QStringLiteral("no printer is installed");
        f.click("cmdPrintTestPage");
        QCOMPARE(f.tp.messages.messages.size(), 2);
        QVERIFY(!f.tp.messages.messages[1].text.startsWith(QStringLiteral("The test page")));
        QCOMPARE(f.tp.messages.messages[1].icon, MsgIcon::Exclamation);
    }

    void fontListIsSortedAndCutAtNul()
    {
        QComboBox combo;
        combo.setEditable(true);
        combo.setProperty("sortedList", true);
        combo.addItem(QStringLiteral("Old Font"));
        combo.setEditText(QStringLiteral("typed"));
        FakeFonts fonts;
        fonts.list = {"Verdana", "bitstream",
                      QStringLiteral("Cut") + QChar(0) + QStringLiteral("Tail"), "Arial"};
        FillFontList(&combo, fonts);
        QCOMPARE(itemsOf(&combo), QStringList({"Arial", "bitstream", "Cut", "Verdana"}));
        QCOMPARE(combo.currentText(), QStringLiteral("typed"));
        AddFontFamily(QStringLiteral("Zapf"), &combo);
        QCOMPARE(itemsOf(&combo).last(), QStringLiteral("Zapf"));
    }
};

QTEST_MAIN(TestPrinterSetup)
#include "test_printer_setup.moc"
