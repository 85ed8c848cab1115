#include "setup/frmPrinterSetup.h"
#include "ui_frmPrinterSetup.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "printing/PrintPage.h"
#include "lists/ListControl.h"
#include "setup/PrinterSetupTexts.h"
#include "setup/modFonts.h"
#include "store/Settings.h"
#include "store/Store.h"

namespace {

// The current check boxes follow their setting only when it is one of the
// two words; any other text leaves the box as it was.
void showFlag(QCheckBox *box, const QString &value)
{
    if (value == QLatin1String("On"))
        box->setChecked(true);
    else if (value == QLatin1String("Off"))
        box->setChecked(false);
}

void emptyCombo(QComboBox *combo)
{
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

QString flagOf(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("On") : QStringLiteral("Off");
}

} // namespace

frmPrinterSetup::frmPrinterSetup(Platform &platform, Settings &settings, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmPrinterSetup>()), m_platform(platform),
      m_settings(settings)
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);

    // What is typed is what is stored: no completion that would change the
    // letter case of a name or add to what the user typed.
    for (QComboBox *combo : {ui->comChangePrinter, ui->comChangeFont, ui->comChangeFontSize})
        combo->setCompleter(nullptr);

    DigitKeyFilter::install(ui->txtChangeHorizontalMargin);
    DigitKeyFilter::install(ui->txtChangeVerticalMargin);
    DigitKeyFilter::install(ui->comChangeFontSize);

    connect(ui->cmdApply, &QPushButton::clicked, this, &frmPrinterSetup::cmdApply_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmPrinterSetup::cmdCancel_Click);
    connect(ui->cmdPrintTestPage, &QPushButton::clicked, this,
            &frmPrinterSetup::cmdPrintTestPage_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmPrinterSetup::cmdClose_Click);

    Form_Load();
    ui->comChangePrinter->setFocus();
}

frmPrinterSetup::~frmPrinterSetup() = default;

void frmPrinterSetup::Form_Load()
{
    showCurrentSettings();

    ListControl printers(ui->comChangePrinter);
    printers.clear();
    for (const QString &name : m_platform.printers.installed())
        printers.addItem(name);

    FillFontList(ui->comChangeFont, m_platform.fonts);

    ListControl sizes(ui->comChangeFontSize);
    sizes.clear();
    for (const char *size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                             "28", "36", "48", "72"})
        sizes.addItem(QString::fromLatin1(size));

    clearChangeControls();
}

void frmPrinterSetup::showCurrentSettings()
{
    const PrinterSettings &p = m_settings.printer;
    ui->txtCurrentPrinter->setText(p.PrinterName);
    ui->txtCurrentHorizontalMargin->setText(p.HorizontalMargin);
    ui->txtCurrentVerticalMargin->setText(p.VerticalMargin);
    ui->txtCurrentFont->setText(p.PrinterFont);
    ui->txtCurrentFontSize->setText(p.PrinterFontSize);
    // Long names show from their beginning.
    for (QLineEdit *box :
         {ui->txtCurrentPrinter, ui->txtCurrentHorizontalMargin, ui->txtCurrentVerticalMargin,
          ui->txtCurrentFont, ui->txtCurrentFontSize})
        box->setCursorPosition(0);
    showFlag(ui->chkCurrentBold, p.PrinterBold);
    showFlag(ui->chkCurrentItalic, p.PrinterItalic);
    showFlag(ui->chkCurrentUnderline, p.PrinterUnderline);
}

void frmPrinterSetup::clearChangeControls()
{
    emptyCombo(ui->comChangePrinter);
    ui->txtChangeHorizontalMargin->clear();
    ui->txtChangeVerticalMargin->clear();
    emptyCombo(ui->comChangeFont);
    emptyCombo(ui->comChangeFontSize);
    ui->chkChangeBold->setChecked(false);
    ui->chkChangeItalic->setChecked(false);
    ui->chkChangeUnderline->setChecked(false);
}

void frmPrinterSetup::cmdApply_Click()
{
    const Locale &locale = m_platform.locale;
    const auto refuse = [&](QWidget *field, const QString &text, const QString &title) {
        m_platform.messages.warn(this, title, text);
        if (auto *combo = qobject_cast<QComboBox *>(field))
            emptyCombo(combo);
        else if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->clear();
        field->setFocus();
    };

    const QString printer = ui->comChangePrinter->currentText();
    const QString horizontal = ui->txtChangeHorizontalMargin->text();
    const QString vertical = ui->txtChangeVerticalMargin->text();
    const QString font = ui->comChangeFont->currentText();
    const QString size = ui->comChangeFontSize->currentText();

    // Start-up refuses a settings file whose value is longer: such a value
    // is never written.
    const auto tooLong = [&](QWidget *field, const QString &value, const QString &name,
                             const QString &subject) {
        if (Store::valueFits(value))
            return false;
        refuse(field,
               QStringLiteral("A ") + name
                   + QStringLiteral(" cannot be longer than 64 KB, please enter a valid ") + subject
                   + QStringLiteral(" !"),
               QStringLiteral("Invalid ") + subject);
        return true;
    };

    if (printer.isEmpty())
        return refuse(ui->comChangePrinter, QStringLiteral("Please enter a valid printer !"),
                      QStringLiteral("Invalid printer"));
    // A value file has no way to hold a double quote that reads back whole,
    // and no print queue name holds one.
    if (printer.contains(QLatin1Char('"')))
        return refuse(ui->comChangePrinter,
                      QStringLiteral("A printer name cannot hold a double quote (\"), please "
                                     "enter a valid printer !"),
                      QStringLiteral("Invalid printer"));
    if (tooLong(ui->comChangePrinter, printer, QStringLiteral("printer name"),
                QStringLiteral("printer")))
        return;
    if (!locale.isNumeric(horizontal))
        return refuse(ui->txtChangeHorizontalMargin,
                      QStringLiteral("Please enter a valid horizontal margin !"),
                      QStringLiteral("Invalid horizontal margin"));
    if (!locale.isNumeric(vertical))
        return refuse(ui->txtChangeVerticalMargin,
                      QStringLiteral("Please enter a valid vertical margin !"),
                      QStringLiteral("Invalid vertical margin"));
    if (font.isEmpty())
        return refuse(ui->comChangeFont, QStringLiteral("Please enter a valid font !"),
                      QStringLiteral("Invalid font"));
    if (font.contains(QLatin1Char('"')))
        return refuse(ui->comChangeFont,
                      QStringLiteral("A font name cannot hold a double quote (\"), please enter "
                                     "a valid font !"),
                      QStringLiteral("Invalid font"));
    if (tooLong(ui->comChangeFont, font, QStringLiteral("font name"), QStringLiteral("font")))
        return;
    if (!locale.isNumeric(size))
        return refuse(ui->comChangeFontSize, QStringLiteral("Please enter a valid font size !"),
                      QStringLiteral("Invalid font size"));
    // The margins' boxes take six characters; a font size is typed freely.
    if (tooLong(ui->comChangeFontSize, size, QStringLiteral("font size"),
                QStringLiteral("font size")))
        return;

    PrinterSettings values;
    values.PrinterName = printer;
    values.HorizontalMargin = horizontal;
    values.VerticalMargin = vertical;
    values.PrinterFont = font;
    values.PrinterFontSize = size;
    values.PrinterBold = flagOf(ui->chkChangeBold);
    values.PrinterItalic = flagOf(ui->chkChangeItalic);
    values.PrinterUnderline = flagOf(ui->chkChangeUnderline);

    // The files first: only what has reached the disk is put in force, so
    // the window never shows a setting the next start would not read back.
    const PrinterSettingsWrite write = writePrinterSettings(m_platform.files, values);
    const PrinterSettings before = m_settings.printer;
    m_settings.printer = printerSettingsAfterWrite(before, values, write);

    if (m_settings.printer.PrinterName != before.PrinterName || write.ok)
        selectPrinter(m_platform.printers, m_settings.printer.PrinterName);

    if (!write.ok) {
        // The user's entries stay, so Apply can be tried again.
        showCurrentSettings();
        m_platform.messages.warn(this, QStringLiteral("Printer"),
                                 printerSettingsWriteFailure(write));
        ui->cmdApply->setFocus();
        return;
    }

    clearChangeControls();
    showCurrentSettings();
    m_platform.messages.inform(this, QStringLiteral("Printer"),
                               QStringLiteral("The printer settings have been changed !"));
    ui->cmdClose->setFocus();
}

void frmPrinterSetup::cmdCancel_Click()
{
    clearChangeControls();
    ui->comChangePrinter->setFocus();
}

void frmPrinterSetup::cmdPrintTestPage_Click()
{
    const QStringList texts = printerTestPageTexts(m_settings.printer);
    const std::optional<QString> device = runPrintJob(
        m_platform, this, m_settings.printer, [&](PrinterSurface &surface, int margin) {
            for (const QString &text : texts)
                PrintWrapped(surface, text, margin, margin);
        });
    if (!device)
        return;
    m_platform.messages.inform(this, QStringLiteral("Printing"),
                               QStringLiteral("The test page has been sent to the printer ")
                                   + *device);
    ui->cmdClose->setFocus();
}

void frmPrinterSetup::cmdClose_Click() { close(); }
