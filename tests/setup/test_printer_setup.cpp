#include "TestPlatform.h"

#include "setup/frmPrinterSetup.h"
#include "setup/modFonts.h"
#include "store/Paths.h"
#include "store/Store.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <stdexcept>

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

class ThrowingFonts : public Fonts {
public:
    QStringList families() const override { throw std::runtime_error("no display"); }
};

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// The name of the control that has the keyboard focus (an editable combo
// box has it through its edit part).
QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QString();
    if (w->objectName().isEmpty() && w->parentWidget())
        return w->parentWidget()->objectName();
    return w->objectName();
}

QStringList eightFiles()
{
    return {Paths::printerFile(), Paths::horizontalMarginFile(), Paths::verticalMarginFile(),
            Paths::fontFile(),    Paths::fontSizeFile(),         Paths::boldFile(),
            Paths::italicFile(),  Paths::underlineFile()};
}

// A settings set in the order of its files.
QStringList valuesOf(const PrinterSettings &p)
{
    return {p.PrinterName,     p.HorizontalMargin, p.VerticalMargin, p.PrinterFont,
            p.PrinterFontSize, p.PrinterBold,      p.PrinterItalic,  p.PrinterUnderline};
}

PrinterSettings settingsOf(const QStringList &v)
{
    return {v[0], v[3], v[4], v[5], v[6], v[7], v[1], v[2]};
}

// One opened printer setup window over a complete settings tree whose files
// and variables hold the same stored settings.
struct Fixture {
    explicit Fixture(const QStringList &stored = {"Office Laser", "1440", "1440", "Arial", "10",
                                                  "Off", "Off", "Off"})
        : files(tp.dir.path() + QStringLiteral("/drive_c")),
          platform{tp.messages, files, tp.locale, tp.printers, tp.fonts,
                   tp.launcher, tp.instance, tp.clock}
    {
        tp.makeTree();
        tp.settings.printer = settingsOf(stored);
        const QStringList paths = eightFiles();
        for (int i = 0; i < paths.size(); ++i)
            tp.write(paths[i], (stored[i] + QStringLiteral("\r\n")).toUtf8());
    }

    frmPrinterSetup &open()
    {
        window = std::make_unique<frmPrinterSetup>(platform, tp.settings);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("printer setup window not active");
        return *window;
    }

    template <typename T> T *get(const char *name) const
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QComboBox *combo(const char *name) const { return get<QComboBox>(name); }
    QLineEdit *edit(const char *name) const { return get<QLineEdit>(name); }
    QCheckBox *check(const char *name) const { return get<QCheckBox>(name); }
    void click(const char *button) const
    {
        QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton);
    }
    // The five change fields typed in, in their focus order.
    void enter(const char *printer, const char *horizontal, const char *vertical,
               const char *font, const char *size) const
    {
        type("comChangePrinter", QString::fromUtf8(printer));
        type("txtChangeHorizontalMargin", QString::fromUtf8(horizontal));
        type("txtChangeVerticalMargin", QString::fromUtf8(vertical));
        type("comChangeFont", QString::fromUtf8(font));
        type("comChangeFontSize", QString::fromUtf8(size));
    }
    void type(const char *control, const QString &text) const
    {
        QWidget *w = window->findChild<QWidget *>(QLatin1String(control));
        w->setFocus();
        QTest::keyClicks(w, text);
    }

    // What a group shows ("Current" or "Change"): the five texts in file
    // order, then each option box as "On" or "Off".
    QStringList shown(const char *group) const
    {
        const bool current = qstrcmp(group, "Current") == 0;
        QStringList result;
        for (const char *field :
             {"Printer", "HorizontalMargin", "VerticalMargin", "Font", "FontSize"}) {
            const bool isCombo = !current && !QByteArray(field).endsWith("Margin");
            const QByteArray name = QByteArray(isCombo ? "com" : "txt") + group + field;
            result.append(isCombo ? combo(name.constData())->currentText()
                                  : edit(name.constData())->text());
        }
        for (const char *option : {"Bold", "Italic", "Underline"}) {
            const QByteArray name = QByteArray("chk") + group + option;
            result.append(check(name.constData())->isChecked() ? QStringLiteral("On")
                                                               : QStringLiteral("Off"));
        }
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
    void opensShowingTheSettingsInForce();
    void focusMovesInTheGivenOrder();
    void applyRefusesEachMissingFieldInTurn();
    void pastedTextIsCheckedByApply();
    void marginAndSizeBoxesTakeDigitsOnly();
    void applyPutsEverythingInForceAndOnDisk();
    void applyWithNothingTickedTurnsEveryOptionOff();
    void aNameNoPrinterHasIsStoredButSwitchesNothing();
    void namesHoldingACommaReadBackWhole();
    void aFileThatCannotBeWrittenChangesNothing();
    void aFileThatCannotBePutBackIsNamedAndKept();
    void cancelEmptiesTheChangeControlsOnly();
    void testPagePrintsTheStoredSettings();
    void testPageThatCannotStartSaysNothingOfSending();
    void fontListIsSortedAndSurvivesAFailingSource();
};

void TestPrinterSetup::opensShowingTheSettingsInForce()
{
    Fixture f({"Front Desk", "900", "720", "Courier New", "12", "On", "on", "Off"});
    f.tp.printers.names = {QStringLiteral("zeta"), QStringLiteral("Alpha"),
                           QStringLiteral("beta")};
    f.tp.fonts.list = {QStringLiteral("Times New Roman"), QStringLiteral("arial"),
                       QStringLiteral("Courier New")};
    frmPrinterSetup &w = f.open();

    QCOMPARE(w.windowTitle(), QStringLiteral("Printer setup"));
    QCOMPARE(w.size(), QSize(504, 511));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));

    // Only the exact word "On" ticks a box.
    QCOMPARE(f.shown("Current"),
             QStringList({"Front Desk", "900", "720", "Courier New", "12", "On", "Off", "Off"}));
    for (const char *name : {"txtCurrentPrinter", "txtCurrentHorizontalMargin",
                             "txtCurrentVerticalMargin", "txtCurrentFont", "txtCurrentFontSize"})
        QVERIFY2(f.edit(name)->isReadOnly(), name);
    QVERIFY(!f.check("chkCurrentBold")->isEnabled());

    QCOMPARE(itemsOf(f.combo("comChangePrinter")),
             QStringList({"Alpha", "beta", "zeta"}));
    QCOMPARE(itemsOf(f.combo("comChangeFont")),
             QStringList({"arial", "Courier New", "Times New Roman"}));
    QCOMPARE(itemsOf(f.combo("comChangeFontSize")),
             QStringList({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                          "28", "36", "48", "72"}));
    for (const char *name : {"comChangePrinter", "comChangeFont", "comChangeFontSize"}) {
        QCOMPARE(f.combo(name)->currentIndex(), -1);
        QVERIFY2(f.combo(name)->isEditable(), name);
    }
    QCOMPARE(f.shown("Change"), QStringList({"", "", "", "", "", "Off", "Off", "Off"}));

    QCOMPARE(focusName(), QStringLiteral("comChangePrinter"));
    QCOMPARE(f.get<QWidget>("comChangeFont")->accessibleDescription(),
             QStringLiteral("Change font"));
    QCOMPARE(f.get<QWidget>("cmdPrintTestPage")->toolTip(), QStringLiteral("Print a test page"));
    QCOMPARE(f.get<QWidget>("cmdPrintTestPage")->accessibleName(),
             QStringLiteral("Print test page"));
    QVERIFY(f.tp.messages.messages.isEmpty());
}

void TestPrinterSetup::focusMovesInTheGivenOrder()
{
    Fixture f;
    f.open();
    QStringList order{focusName()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(focusName());
    }
    QCOMPARE(order, QStringList({"comChangePrinter", "txtChangeHorizontalMargin",
                                 "txtChangeVerticalMargin", "comChangeFont", "comChangeFontSize",
                                 "chkChangeBold", "chkChangeItalic", "chkChangeUnderline",
                                 "cmdApply", "cmdCancel", "cmdPrintTestPage", "cmdClose"}));
}

void TestPrinterSetup::applyRefusesEachMissingFieldInTurn()
{
    Fixture f;
    f.open();
    const QList<QByteArray> before = f.onDisk();
    auto &messages = f.tp.messages;

    f.click("cmdApply");
    QCOMPARE(messages.messages.size(), 1);
    QCOMPARE(messages.messages[0].text, QStringLiteral("Please enter a valid printer !"));
    QCOMPARE(messages.messages[0].title, QStringLiteral("Invalid printer"));
    QCOMPARE(messages.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(focusName(), QStringLiteral("comChangePrinter"));

    // Only the printer chosen: stops at the horizontal margin, which is
    // emptied; the printer stays.
    f.type("comChangePrinter", QStringLiteral("Front Desk"));
    f.type("txtChangeVerticalMargin", QStringLiteral("500"));
    f.click("cmdApply");
    QCOMPARE(messages.messages.last().text,
             QStringLiteral("Please enter a valid horizontal margin !"));
    QCOMPARE(messages.messages.last().title, QStringLiteral("Invalid horizontal margin"));
    QCOMPARE(focusName(), QStringLiteral("txtChangeHorizontalMargin"));
    QCOMPARE(f.combo("comChangePrinter")->currentText(), QStringLiteral("Front Desk"));
    QCOMPARE(f.edit("txtChangeVerticalMargin")->text(), QStringLiteral("500"));

    f.type("txtChangeHorizontalMargin", QStringLiteral("1000"));
    f.edit("txtChangeVerticalMargin")->clear();
    f.click("cmdApply");
    QCOMPARE(messages.messages.last().text,
             QStringLiteral("Please enter a valid vertical margin !"));
    QCOMPARE(messages.messages.last().title, QStringLiteral("Invalid vertical margin"));
    QCOMPARE(focusName(), QStringLiteral("txtChangeVerticalMargin"));
    QCOMPARE(f.edit("txtChangeHorizontalMargin")->text(), QStringLiteral("1000"));

    f.type("txtChangeVerticalMargin", QStringLiteral("1000"));
    f.type("comChangeFontSize", QStringLiteral("12"));
    f.click("cmdApply");
    QCOMPARE(messages.messages.last().text, QStringLiteral("Please enter a valid font !"));
    QCOMPARE(messages.messages.last().title, QStringLiteral("Invalid font"));
    QCOMPARE(focusName(), QStringLiteral("comChangeFont"));
    QCOMPARE(f.combo("comChangeFontSize")->currentText(), QStringLiteral("12"));

    f.type("comChangeFont", QStringLiteral("Arial"));
    f.combo("comChangeFontSize")->setEditText(QString());
    f.click("cmdApply");
    QCOMPARE(messages.messages.last().text, QStringLiteral("Please enter a valid font size !"));
    QCOMPARE(messages.messages.last().title, QStringLiteral("Invalid font size"));
    QCOMPARE(focusName(), QStringLiteral("comChangeFontSize"));

    QCOMPARE(messages.messages.size(), 5);
    for (const RecordedMessage &m : messages.messages)
        QCOMPARE(m.icon, MsgIcon::Exclamation);
    // Nothing changed anywhere by a refused Apply.
    QCOMPARE(f.onDisk(), before);
    QVERIFY(f.files.writes.isEmpty());
    QCOMPARE(f.tp.settings.printer.PrinterName, QStringLiteral("Office Laser"));
    QCOMPARE(f.edit("txtCurrentPrinter")->text(), QStringLiteral("Office Laser"));
}

void TestPrinterSetup::pastedTextIsCheckedByApply()
{
    Fixture f;
    f.open();
    f.type("comChangePrinter", QStringLiteral("Front Desk"));
    // Pasting is not filtered, so Apply's numeric test is what refuses it.
    QApplication::clipboard()->setText(QStringLiteral("12a"));
    f.edit("txtChangeHorizontalMargin")->setFocus();
    QTest::keyClick(f.edit("txtChangeHorizontalMargin"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit("txtChangeHorizontalMargin")->text(), QStringLiteral("12a"));
    f.click("cmdApply");
    QCOMPARE(f.tp.messages.texts(),
             QStringList({"Please enter a valid horizontal margin !"}));
    QVERIFY(f.edit("txtChangeHorizontalMargin")->text().isEmpty());
}

void TestPrinterSetup::marginAndSizeBoxesTakeDigitsOnly()
{
    Fixture f;
    f.open();
    f.type("txtChangeHorizontalMargin", QStringLiteral("12a-3.4 56789"));
    QCOMPARE(f.edit("txtChangeHorizontalMargin")->text(), QStringLiteral("123456"));
    QTest::keyClick(f.edit("txtChangeHorizontalMargin"), Qt::Key_Backspace);
    QCOMPARE(f.edit("txtChangeHorizontalMargin")->text(), QStringLiteral("12345"));

    f.type("txtChangeVerticalMargin", QStringLiteral("x0,7e2"));
    QCOMPARE(f.edit("txtChangeVerticalMargin")->text(), QStringLiteral("072"));

    f.type("comChangeFontSize", QStringLiteral("1x3"));
    QCOMPARE(f.combo("comChangeFontSize")->currentText(), QStringLiteral("13"));

    // The printer and font boxes take any text.
    f.type("comChangePrinter", QStringLiteral("Desk 2, B"));
    QCOMPARE(f.combo("comChangePrinter")->currentText(), QStringLiteral("Desk 2, B"));
    f.type("comChangeFont", QStringLiteral("My Font-1"));
    QCOMPARE(f.combo("comChangeFont")->currentText(), QStringLiteral("My Font-1"));
}

void TestPrinterSetup::applyPutsEverythingInForceAndOnDisk()
{
    Fixture f;
    f.open();
    f.enter("Front Desk", "0800", "01000", "Nonexistent Sans", "13");
    QTest::mouseClick(f.check("chkChangeBold"), Qt::LeftButton);
    QTest::mouseClick(f.check("chkChangeUnderline"), Qt::LeftButton);
    f.click("cmdApply");

    QCOMPARE(f.tp.messages.messages.size(), 1);
    const RecordedMessage &m = f.tp.messages.messages[0];
    QCOMPARE(m.text, QStringLiteral("The printer settings have been changed !"));
    QCOMPARE(m.title, QStringLiteral("Printer"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QCOMPARE(focusName(), QStringLiteral("cmdClose"));

    // The eight files, in their order, as entered (not normalised).
    QCOMPARE(f.files.writes, eightFiles());
    QCOMPARE(f.onDisk(), QList<QByteArray>({"Front Desk\r\n", "0800\r\n", "01000\r\n",
                                            "Nonexistent Sans\r\n", "13\r\n", "On\r\n",
                                            "Off\r\n", "On\r\n"}));

    const QStringList applied{"Front Desk", "0800", "01000", "Nonexistent Sans", "13",
                              "On", "Off", "On"};
    QCOMPARE(valuesOf(f.tp.settings.printer), applied);
    QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
    QCOMPARE(f.shown("Current"), applied);
    QCOMPARE(f.shown("Change"), QStringList({"", "", "", "", "", "Off", "Off", "Off"}));

    // In force at once: the next print uses the new values.
    f.click("cmdPrintTestPage");
    QCOMPARE(f.tp.printers.jobs.size(), size_t(1));
    RecordingSurface &job = f.tp.printers.lastJob();
    QCOMPARE(job.fontName, QStringLiteral("Nonexistent Sans"));
    QCOMPARE(job.fontSize, 13.0f);
    QVERIFY(job.bold && !job.italic && job.underline);
    QCOMPARE(job.pieces.first().x, 800.0f);
    QCOMPARE(job.pieces.first().y, 1000.0f);
}

void TestPrinterSetup::applyWithNothingTickedTurnsEveryOptionOff()
{
    Fixture f({"Office Laser", "1440", "1440", "Arial", "10", "On", "On", "On"});
    f.open();
    QVERIFY(f.check("chkCurrentItalic")->isChecked());
    f.type("comChangePrinter", QStringLiteral("Office Laser"));
    f.type("txtChangeHorizontalMargin", QStringLiteral("1440"));
    f.type("txtChangeVerticalMargin", QStringLiteral("1440"));
    f.type("comChangeFont", QStringLiteral("Arial"));
    // Chosen from the list with the keyboard rather than typed.
    f.combo("comChangeFontSize")->setFocus();
    QTest::keyClick(f.combo("comChangeFontSize"), Qt::Key_Down);
    QCOMPARE(f.combo("comChangeFontSize")->currentText(), QStringLiteral("8"));
    f.click("cmdApply");
    QCOMPARE(f.tp.messages.texts(), QStringList({"The printer settings have been changed !"}));
    QCOMPARE(f.tp.read(Paths::fontSizeFile()), QByteArray("8\r\n"));
    for (const QString &path : {Paths::boldFile(), Paths::italicFile(), Paths::underlineFile()})
        QCOMPARE(f.tp.read(path), QByteArray("Off\r\n"));
    QCOMPARE(valuesOf(f.tp.settings.printer).mid(5), QStringList({"Off", "Off", "Off"}));
    QCOMPARE(f.shown("Current").mid(5), QStringList({"Off", "Off", "Off"}));
}

void TestPrinterSetup::aNameNoPrinterHasIsStoredButSwitchesNothing()
{
    Fixture f;
    f.tp.printers.names = {QStringLiteral("Office Laser"), QStringLiteral("Front Desk"),
                           QStringLiteral("Default")};
    f.tp.printers.current = QStringLiteral("Office Laser");
    f.open();
    // Letter case counts when the name is looked for.
    f.enter("front desk", "1000", "1000", "Arial", "10");
    f.click("cmdApply");
    QCOMPARE(f.tp.printers.current, QStringLiteral("Office Laser"));
    QCOMPARE(f.tp.read(Paths::printerFile()), QByteArray("front desk\r\n"));
    QCOMPARE(f.edit("txtCurrentPrinter")->text(), QStringLiteral("front desk"));

    // "Default" is a name like any other.
    f.tp.printers.names.removeLast();
    f.enter("Default", "1000", "1000", "Arial", "10");
    f.click("cmdApply");
    QCOMPARE(f.tp.messages.texts(), QStringList({"The printer settings have been changed !",
                                                 "The printer settings have been changed !"}));
    QCOMPARE(f.tp.read(Paths::printerFile()), QByteArray("Default\r\n"));
    QCOMPARE(f.tp.settings.printer.PrinterName, QStringLiteral("Default"));
    QCOMPARE(f.edit("txtCurrentPrinter")->text(), QStringLiteral("Default"));
    QCOMPARE(f.tp.printers.current, QStringLiteral("Office Laser"));
}

void TestPrinterSetup::namesHoldingACommaReadBackWhole()
{
    Fixture f;
    f.tp.printers.names = {QStringLiteral("Office Laser"), QStringLiteral("Laser, Room 2")};
    f.open();
    f.enter("Laser, Room 2", "1000", "1000", "Sans, Condensed", "10");
    f.click("cmdApply");
    QCOMPARE(f.tp.printers.current, QStringLiteral("Laser, Room 2"));
    QCOMPARE(Store::readValueFile(f.files, Paths::printerFile()).value_or(QString()),
             QStringLiteral("Laser, Room 2"));
    QCOMPARE(Store::readValueFile(f.files, Paths::fontFile()).value_or(QString()),
             QStringLiteral("Sans, Condensed"));
    QCOMPARE(f.edit("txtCurrentPrinter")->text(), QStringLiteral("Laser, Room 2"));
}

void TestPrinterSetup::aFileThatCannotBeWrittenChangesNothing()
{
    Fixture f;
    f.open();
    const QList<QByteArray> before = f.onDisk();
    const PrinterSettings old = f.tp.settings.printer;
    f.files.refuse = [](const QString &path, int) { return path == Paths::fontSizeFile(); };

    f.enter("Front Desk", "900", "900", "Courier New", "14");
    QTest::mouseClick(f.check("chkChangeItalic"), Qt::LeftButton);
    f.click("cmdApply");

    QCOMPARE(f.tp.messages.messages.size(), 1);
    const RecordedMessage &m = f.tp.messages.messages[0];
    QCOMPARE(m.text, QStringLiteral("The file (") + Paths::fontSizeFile()
                         + QStringLiteral(") could not be written, the printer settings have "
                                          "not been changed !"));
    QCOMPARE(m.title, QStringLiteral("Printer"));
    QCOMPARE(m.icon, MsgIcon::Exclamation);

    // The four files written before it got their old content back.
    QCOMPARE(f.onDisk(), before);
    QCOMPARE(valuesOf(f.tp.settings.printer), valuesOf(old));
    QCOMPARE(f.shown("Current"), valuesOf(old));
    QCOMPARE(f.tp.printers.current, QStringLiteral("Office Laser"));
    // What the user entered stays for another try.
    QCOMPARE(f.shown("Change"), QStringList({"Front Desk", "900", "900", "Courier New", "14",
                                             "Off", "On", "Off"}));

    f.files.refuse = nullptr;
    f.click("cmdApply");
    QCOMPARE(f.tp.messages.texts().last(), QStringLiteral("The printer settings have been changed !"));
    QCOMPARE(f.tp.read(Paths::fontSizeFile()), QByteArray("14\r\n"));
    QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
}

void TestPrinterSetup::aFileThatCannotBePutBackIsNamedAndKept()
{
    Fixture f;
    f.open();
    // The vertical margin cannot be written; the printer file takes its new
    // value but refuses to get its old one back.
    f.files.refuse = [](const QString &path, int nth) {
        return path == Paths::verticalMarginFile() || (path == Paths::printerFile() && nth == 2);
    };
    f.enter("Front Desk", "900", "900", "Courier New", "14");
    f.click("cmdApply");

    QCOMPARE(f.tp.messages.texts(),
             QStringList({QStringLiteral("The file (") + Paths::verticalMarginFile()
                          + QStringLiteral(") could not be written, and these files written "
                                           "before it could not be put back: (")
                          + Paths::printerFile()
                          + QStringLiteral("). The settings of those files have been changed, "
                                           "all the others have not !")}));
    // What is in force is what is on disk.
    QCOMPARE(f.tp.read(Paths::printerFile()), QByteArray("Front Desk\r\n"));
    QCOMPARE(f.tp.read(Paths::horizontalMarginFile()), QByteArray("1440\r\n"));
    const QStringList inForce{"Front Desk", "1440", "1440", "Arial", "10", "Off", "Off", "Off"};
    QCOMPARE(valuesOf(f.tp.settings.printer), inForce);
    QCOMPARE(f.shown("Current"), inForce);
    QCOMPARE(f.tp.printers.current, QStringLiteral("Front Desk"));
}

void TestPrinterSetup::cancelEmptiesTheChangeControlsOnly()
{
    Fixture f;
    f.open();
    const QList<QByteArray> before = f.onDisk();
    f.enter("Front Desk", "900", "800", "Courier New", "14");
    for (const char *name : {"chkChangeBold", "chkChangeItalic", "chkChangeUnderline"})
        QTest::mouseClick(f.check(name), Qt::LeftButton);
    f.click("cmdCancel");

    QCOMPARE(f.shown("Change"), QStringList({"", "", "", "", "", "Off", "Off", "Off"}));
    QCOMPARE(focusName(), QStringLiteral("comChangePrinter"));
    // The lists are still there to choose from.
    QCOMPARE(f.combo("comChangePrinter")->count(), 2);
    QCOMPARE(f.combo("comChangeFontSize")->count(), 16);
    QVERIFY(f.tp.messages.messages.isEmpty());
    QCOMPARE(f.onDisk(), before);
    QCOMPARE(f.tp.settings.printer.PrinterName, QStringLiteral("Office Laser"));
}

void TestPrinterSetup::testPagePrintsTheStoredSettings()
{
    Fixture f({"Office Laser", "1000", "720", "Courier New", "12", "On", "On", "Off"});
    f.open();
    // Values in the change controls are not the settings in force.
    f.type("comChangeFont", QStringLiteral("Arial"));
    f.type("txtChangeHorizontalMargin", QStringLiteral("5000"));
    f.click("cmdPrintTestPage");

    QCOMPARE(f.tp.printers.jobs.size(), size_t(1));
    RecordingSurface &job = f.tp.printers.lastJob();
    QVERIFY(job.ended);
    QCOMPARE(job.fontName, QStringLiteral("Courier New"));
    QCOMPARE(job.fontSize, 12.0f);
    QVERIFY(job.bold);
    QVERIFY(job.italic);
    QVERIFY(!job.underline);

    const QStringList lines = job.lines();
    QCOMPARE(lines.mid(0, 18),
             QStringList({"Printer test page", "", "Printer: Office Laser", "",
                          "Horizontal Margin: 1000", "", "Vertical margin: 720", "",
                          "Font: Courier New", "", "Font size: 12", "", "Bold option: On", "",
                          "Italic option: On", "", "Underline option: Off", ""}));
    const QString sample = QStringLiteral(
        "Sample text to demonstrate page formatting. All text will be wrapped between the page "
        "horizontal margins. Shown above are the current printer settings.");
    QVERIFY(lines.size() > 19); // the sample wraps between the margins
    QCOMPARE(lines.mid(18).join(QString()), sample);
    for (const RecordingSurface::Piece &piece : job.pieces) {
        QVERIFY(piece.x >= 1000.0f);
        // Words end before the right margin; a space may print after the last one.
        if (piece.text != QLatin1String(" "))
            QVERIFY(piece.x + job.textWidth(piece.text) <= job.width - 1000.0f);
    }
    QCOMPARE(job.pieces.first().y, 720.0f);

    QCOMPARE(f.tp.messages.messages.size(), 1);
    const RecordedMessage &m = f.tp.messages.messages[0];
    QCOMPARE(m.text, QStringLiteral("The test page has been sent to the printer Office Laser"));
    QCOMPARE(m.title, QStringLiteral("Printing"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QCOMPARE(focusName(), QStringLiteral("cmdClose"));
    QCOMPARE(f.tp.settings.printer.PrinterFont, QStringLiteral("Courier New"));
}

void TestPrinterSetup::testPageThatCannotStartSaysNothingOfSending()
{
    Fixture f;
    f.tp.printers.startError = QStringLiteral("no printer is installed");
    f.open();
    f.click("cmdPrintTestPage");
    QCOMPARE(f.tp.messages.messages.size(), 1);
    QVERIFY(!f.tp.messages.messages[0].text.startsWith(QStringLiteral("The test page")));
    QCOMPARE(f.tp.messages.messages[0].icon, MsgIcon::Exclamation);
}

void TestPrinterSetup::fontListIsSortedAndSurvivesAFailingSource()
{
    QComboBox combo;
    combo.setEditable(true);
    combo.setProperty("sortedList", true);
    combo.addItem(QStringLiteral("Old Font"));
    combo.setEditText(QStringLiteral("typed"));
    FakeFonts fonts;
    fonts.list = {QStringLiteral("Verdana"), QStringLiteral("bitstream"),
                  QStringLiteral("Cut") + QChar(0) + QStringLiteral("Tail"),
                  QStringLiteral("Arial")};
    FillFontList(&combo, fonts);
    QCOMPARE(itemsOf(&combo), QStringList({"Arial", "bitstream", "Cut", "Verdana"}));
    QCOMPARE(combo.currentText(), QStringLiteral("typed"));
    QCOMPARE(AddFontFamily(QStringLiteral("Zapf"), &combo), 1);
    QCOMPARE(itemsOf(&combo).last(), QStringLiteral("Zapf"));

    ThrowingFonts broken;
    FillFontList(&combo, broken);
    QCOMPARE(combo.count(), 0);

    // The window still opens when the font source fails.
    Fixture f;
    Platform platform{f.tp.messages, f.files, f.tp.locale, f.tp.printers, broken,
                      f.tp.launcher, f.tp.instance, f.tp.clock};
    frmPrinterSetup window(platform, f.tp.settings);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("comChangeFont"))->count(), 0);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("comChangePrinter"))->count(), 2);
}

QTEST_MAIN(TestPrinterSetup)
#include "test_printer_setup.moc"
