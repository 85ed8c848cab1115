#include "quotation/frmQuotaro.h"
#include "ui_frmQuotaro.h"

#include "QuotaroInfo.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "quote/QuotationRules.h"
#include "quote/QuoteLayout.h"
#include "quote/QuoteTexts.h"
#include "lists/ListControl.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/SettingsFiles.h"

#include "printing/QuotePrinting.h"
#include "quotation/frmCompareOptions.h"
#include "savedquotes/frmFindQuotes.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmPageSetup.h"
#include "setup/frmTermsSetup.h"
#include "setup/frmRatesSetup.h"
#include "help/frmCalculationFormula.h"
#include "help/frmAbout.h"
#include "help/QuotaroLogo.h"
#include "help/RemoteSupport.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

namespace {
const QString Title = QStringLiteral("Quotaro");

const QString AboutText = QStringLiteral(
    "Quotaro\r\n"
    "Lease quotations for leasing and equipment sales offices: type the value, "
    "pick the terms and the rate, and hand the customer a finished quote.\r\n"
    "\r\n"
    "Quotaro keeps your upfronts, mids, finals and rates the way your office "
    "works, saves every quote as a plain text file and prints it on your own "
    "letterhead text.\r\n"
    "\r\n"
    "Questions, training or a hand with your setup? Our support desk is there "
    "on working days.\r\n"
    "\r\n"
    "E-mail: " QUOTARO_SUPPORT_EMAIL "\r\n"
    "Web: www.quotaro.example\r\n"
    "Telephone: +44 20 7946 0321");
} // namespace

frmQuotaro::frmQuotaro(Platform &platform, Settings &settings, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmQuotaro>()), m_platform(platform),
      m_settings(settings)
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    ui->pbxLogo->setPixmap(quotaroLogo(this));

    // A fixed window with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const QSize client(915, 576);
    ui->centralwidget->setFixedSize(client);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // A plain line: no text for the eye nor a name for a screen reader.
    ui->setupDummy1->setSeparator(true);

    boxes().prepare();
    showAboutText();

    connect(ui->comSelectTerm, &QComboBox::activated, this, &frmQuotaro::comSelectTerm_Click);
    connect(ui->cmdRefreshTermsRates, &QPushButton::clicked, this,
            &frmQuotaro::cmdRefreshTermsRates_Click);
    connect(ui->cmdResetTermsRates, &QPushButton::clicked, this,
            &frmQuotaro::cmdResetTermsRates_Click);
    connect(ui->cmdQuotation, &QPushButton::clicked, this, &frmQuotaro::cmdQuotation_Click);
    connect(ui->cmdSave, &QPushButton::clicked, this, &frmQuotaro::cmdSave_Click);
    connect(ui->cmdPrint, &QPushButton::clicked, this, &frmQuotaro::cmdPrint_Click);
    connect(ui->cmdValueReset, &QPushButton::clicked, this, &frmQuotaro::cmdValueReset_Click);
    connect(ui->cmdQuotationReset, &QPushButton::clicked, this,
            &frmQuotaro::cmdQuotationReset_Click);
    connect(ui->cmdResetSave, &QPushButton::clicked, this, &frmQuotaro::cmdResetSave_Click);
    connect(ui->cmdEquipmentReset, &QPushButton::clicked, this,
            &frmQuotaro::cmdEquipmentReset_Click);
    connect(ui->cmdCustomerReset, &QPushButton::clicked, this, &frmQuotaro::cmdCustomerReset_Click);
    connect(ui->cmdResetAll, &QPushButton::clicked, this, &frmQuotaro::cmdResetAll_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmQuotaro::cmdExit_Click);
    connect(ui->cmdOpenSavedQuotes, &QPushButton::clicked, this,
            &frmQuotaro::cmdOpenSavedQuotes_Click);

    connect(ui->fileExit, &QAction::triggered, this, &frmQuotaro::fileExit_Click);
    connect(ui->quotesOpenSavedQuotes, &QAction::triggered, this,
            &frmQuotaro::quotesOpenSavedQuotes_Click);
    connect(ui->quotesFindQuotes, &QAction::triggered, this, &frmQuotaro::quotesFindQuotes_Click);
    connect(ui->quotesPrintPreview, &QAction::triggered, this,
            &frmQuotaro::quotesPrintPreview_Click);
    connect(ui->quotesExportPdf, &QAction::triggered, this, &frmQuotaro::quotesExportPdf_Click);
    connect(ui->quotesCompareOptions, &QAction::triggered, this,
            &frmQuotaro::quotesCompareOptions_Click);
    connect(ui->setupPrinterSetup, &QAction::triggered, this, &frmQuotaro::setupPrinterSetup_Click);
    connect(ui->setupPageSetup, &QAction::triggered, this, &frmQuotaro::setupPageSetup_Click);
    connect(ui->setupTermsSetup, &QAction::triggered, this, &frmQuotaro::setupTermsSetup_Click);
    connect(ui->setupRatesSetup, &QAction::triggered, this, &frmQuotaro::setupRatesSetup_Click);
    connect(ui->helpCalculationFormula, &QAction::triggered, this,
            &frmQuotaro::helpCalculationFormula_Click);
    connect(ui->helpRemoteSupport, &QAction::triggered, this, &frmQuotaro::helpRemoteSupport_Click);
    connect(ui->helpAbout, &QAction::triggered, this, &frmQuotaro::helpAbout_Click);
}

frmQuotaro::~frmQuotaro() = default;

QuotationBoxes frmQuotaro::boxes() const
{
    return {ui->txtValue, ui->comSelectTerm, ui->comUpfronts,
            ui->comMids,  ui->comFinals,     ui->comRates};
}

void frmQuotaro::showAboutText() { setMultiLineText(ui->txtAbout, AboutText); }

// ---------------------------------------------------------------- start-up

frmQuotaro::StartResult frmQuotaro::Form_Load()
{
    if (m_platform.instance.anotherRunning()) {
        m_platform.messages.warn(this, Title, QStringLiteral("Quotaro is already running !"));
        // The ordinary close path asks its question; a second copy ends
        // whatever the answer, having read and written nothing.
        Form_QueryUnload();
        m_closeConfirmed = true;
        return StartResult::EndAlreadyRunning;
    }

    for (const Paths::RequiredPath &required : Paths::requiredPaths()) {
        const bool present = required.isFolder ? m_platform.files.folderExists(required.path)
                                               : m_platform.files.fileExists(required.path);
        if (!present) {
            m_platform.messages.warn(this, Title,
                                     (required.isFolder ? QStringLiteral("The directory (")
                                                        : QStringLiteral("The file ("))
                                         + required.path + QStringLiteral(") cannot be found !"));
            m_closeConfirmed = true;
            return StartResult::EndMissingSettings;
        }
    }

    // A write killed half way can leave its temporary file beside the file
    // it was writing (where the file system has no unnamed files); such
    // files are never listed, so they would only pile up. Only this
    // computer's, of processes that have ended, go.
    QStringList folders;
    for (const Paths::RequiredPath &required : Paths::requiredPaths())
        folders.append(required.isFolder
                           ? required.path
                           : required.path.left(required.path.lastIndexOf(QLatin1Char('\\'))));
    folders.removeDuplicates();
    for (const QString &folder : folders)
        m_platform.files.removeLeftoverTemporaryFiles(folder);

    if (!loadSettings()) {
        m_closeConfirmed = true;
        return StartResult::EndMissingSettings;
    }

    loadLists();

    ui->comSelectTerm->addItem(Calculation::UpfrontMidFinalName);
    ui->comSelectTerm->addItem(Calculation::UpfrontMidName);
    ui->comSelectTerm->addItem(Calculation::MidFinalName);
    ui->comSelectTerm->addItem(Calculation::MidName);
    QuotationBoxes::emptyBox(ui->comSelectTerm);

    boxes().closeValueLists();
    ui->txtValue->setFocus();
    return StartResult::Show;
}

bool frmQuotaro::loadSettings()
{
    // A settings file that cannot be read, a value file with nothing at all
    // in it (cut short by a crash or a full disk), or one far larger than
    // any setting (damaged) would leave the program printing with settings
    // nobody chose: name it and end.
    const SettingsRead read = readSettings(m_platform.files, m_settings);
    if (read.status != SettingsRead::Status::Read) {
        QString problem;
        switch (read.status) {
        case SettingsRead::Status::CannotRead: problem = QStringLiteral("cannot be read"); break;
        case SettingsRead::Status::Empty: problem = QStringLiteral("is empty"); break;
        case SettingsRead::Status::ValueTooLarge:
            problem = QStringLiteral(
                "is too large to be read, a setting cannot be longer than 64 KB");
            break;
        case SettingsRead::Status::TextTooLarge:
            problem = QStringLiteral(
                "is too large to be read, a page header or footer cannot be larger than 4 MB");
            break;
        case SettingsRead::Status::Read: break;
        }
        m_platform.messages.warn(this, Title,
                                 QStringLiteral("The file (") + read.path + QStringLiteral(") ")
                                     + problem + QStringLiteral(" !"));
        return false;
    }

    PrinterSettings &p = m_settings.printer;
    // "Default", or a name no installed printer has, means the printer that
    // is the system default now; it is held by its device name, so that a
    // later change of the system default cannot send a quote elsewhere than
    // the printer setup window shows.
    const bool named = p.PrinterName != QStringLiteral("Default")
        && selectPrinter(m_platform.printers, p.PrinterName);
    if (!named) {
        const QString systemDefault = m_platform.printers.currentName();
        m_platform.printers.setCurrent(systemDefault);
        if (p.PrinterName == QStringLiteral("Default"))
            p.PrinterName = systemDefault;
    }

    return true;
}

void frmQuotaro::loadLists()
{
    LoadListFromFolder(m_platform, this, ListControl(ui->comUpfronts),
                       {Paths::upfrontsFolder(), QStringLiteral("Upfronts"),
                        QStringLiteral("You do not currently have any upfronts setup !"),
                        &frmQuotaro::UpfrontReSort});
    LoadListFromFolder(m_platform, this, ListControl(ui->comMids),
                       {Paths::midsFolder(), QStringLiteral("Mids"),
                        QStringLiteral("You do not currently have any mids setup !"),
                        &frmQuotaro::MidReSort});
    LoadListFromFolder(m_platform, this, ListControl(ui->comFinals),
                       {Paths::finalsFolder(), QStringLiteral("Finals"),
                        QStringLiteral("You do not currently have any finals setup !"),
                        &frmQuotaro::FinalReSort});
    // The rates box keeps its own text order.
    LoadListFromFolder(m_platform, this, ListControl(ui->comRates),
                       {Paths::ratesFolder(), QStringLiteral("Rates"),
                        QStringLiteral("You do not currently have any rates setup !")});
}

void frmQuotaro::UpfrontReSort(ListControl list) { NumericReSort(list); }
void frmQuotaro::MidReSort(ListControl list) { NumericReSort(list); }
void frmQuotaro::FinalReSort(ListControl list) { NumericReSort(list); }

// ------------------------------------------------------ terms and rates

void frmQuotaro::comSelectTerm_Click() { boxes().structurePicked(); }

void frmQuotaro::cmdRefreshTermsRates_Click()
{
    loadLists();
    boxes().resetTerms();
    m_platform.messages.inform(this, QStringLiteral("Terms and rates"),
                               QStringLiteral("The terms and rates have been refreshed !"));
    ui->comSelectTerm->setFocus();
}

void frmQuotaro::cmdResetTermsRates_Click()
{
    boxes().resetTerms();
    ui->comSelectTerm->setFocus();
}

// ---------------------------------------------------------------- resets

void frmQuotaro::clearResults()
{
    for (QLineEdit *box :
         {ui->txtQuoteValue, ui->txtQuoteTerm, ui->txtTermStart, ui->txtTermMiddle, ui->txtTermEnd,
          ui->txtRate, ui->txtUpfront, ui->txtMonthly, ui->txtFinal, ui->txtWeekly, ui->txtDaily})
        box->clear();
}

void frmQuotaro::cmdValueReset_Click()
{
    ui->txtValue->clear();
    ui->txtValue->setFocus();
}

void frmQuotaro::cmdQuotationReset_Click() { clearResults(); }

void frmQuotaro::cmdResetSave_Click()
{
    ui->txtSaveQuote->clear();
    ui->txtSaveQuote->setFocus();
}

void frmQuotaro::cmdEquipmentReset_Click()
{
    ui->txtEquipmentDetails->clear();
    ui->txtEquipmentDetails->setFocus();
}

void frmQuotaro::cmdCustomerReset_Click()
{
    ui->txtCustomerDetails->clear();
    ui->txtCustomerDetails->setFocus();
}

void frmQuotaro::cmdResetAll_Click()
{
    ui->txtValue->clear();
    boxes().emptyValueLists();
    QuotationBoxes::emptyBox(ui->comSelectTerm);
    clearResults();
    ui->txtSaveQuote->clear();
    ui->txtEquipmentDetails->clear();
    ui->txtCustomerDetails->clear();
    boxes().closeValueLists();
    ui->txtValue->setFocus();
}

// ------------------------------------------------------------- quotation

void frmQuotaro::cmdQuotation_Click()
{
    clearResults();
    const std::variant<Calculation::Quotation, Calculation::Refusal> priced =
        Calculation::priceQuotation(boxes().inputs(), m_platform.locale);
    if (const auto *refusal = std::get_if<Calculation::Refusal>(&priced)) {
        boxes().refuse(m_platform, this, *refusal);
        return;
    }
    const Calculation::QuotationTexts t = Calculation::textsOf(
        std::get<Calculation::Quotation>(priced), m_platform.locale);
    ui->txtQuoteValue->setText(t.value);
    ui->txtQuoteTerm->setText(t.term);
    ui->txtTermStart->setText(t.upfront);
    ui->txtTermMiddle->setText(t.mids);
    ui->txtTermEnd->setText(t.final);
    ui->txtRate->setText(t.rate);
    ui->txtMonthly->setText(t.monthly);
    ui->txtUpfront->setText(t.upfrontRental);
    ui->txtWeekly->setText(t.weekly);
    ui->txtDaily->setText(t.daily);
    ui->txtFinal->setText(t.finalRental);
}

// ------------------------------------------------------- save and print

QuoteTexts frmQuotaro::quoteTexts() const
{
    QuoteTexts texts;
    texts.customer = multiLineText(ui->txtCustomerDetails);
    texts.equipment = multiLineText(ui->txtEquipmentDetails);
    texts.upfront = ui->txtUpfront->text();
    texts.termMiddle = ui->txtTermMiddle->text();
    texts.monthly = ui->txtMonthly->text();
    texts.final = ui->txtFinal->text();
    texts.weekly = ui->txtWeekly->text();
    texts.daily = ui->txtDaily->text();
    return texts;
}

void frmQuotaro::cmdSave_Click()
{
    const QuoteTexts texts = quoteTexts();
    if (ui->txtQuoteValue->text().isEmpty()) {
        m_platform.messages.warn(this, QStringLiteral("No quote to save"),
                                 QStringLiteral("Please generate a quote to save !"));
        return;
    }
    saveNewQuote(m_platform, this, ui->txtSaveQuote, m_settings.page,
                 [&texts](const PageSettings &page, const QString &date) {
                     return quoteFileText(texts, page, date);
                 });
}

bool frmQuotaro::hasQuotationToPrint()
{
    if (!ui->txtQuoteValue->text().isEmpty())
        return true;
    m_platform.messages.warn(this, QStringLiteral("No quote to print"),
                             QStringLiteral("Please generate a quote to print !"));
    return false;
}

std::function<void(PrinterSurface &, int)> frmQuotaro::quotationPage()
{
    return heldSettingsPage(
        m_settings.page,
        [texts = quoteTexts(), date = m_platform.locale.date(m_platform.clock.today())](
            const PageSettings &page) { return quoteLines(texts, page, date, QuoteForm::Page); });
}

void frmQuotaro::cmdPrint_Click()
{
    if (!hasQuotationToPrint())
        return;
    // The one page that the print, the preview and the PDF all make.
    const std::optional<QString> device = runPrintJob(m_platform, this, m_settings.printer,
                                                      quotationPage());
    confirmSentToPrinter(m_platform, this, device);
}

void frmQuotaro::quotesPrintPreview_Click()
{
    if (!hasQuotationToPrint())
        return;
    const std::optional<QString> device = runPrintPreview(
        m_platform, this, m_settings.printer,
        quoteDocumentName(ui->txtSaveQuote->text(), m_platform.clock.today()), quotationPage());
    confirmSentToPrinter(m_platform, this, device);
}

void frmQuotaro::quotesExportPdf_Click()
{
    if (!hasQuotationToPrint())
        return;
    runPdfExport(m_platform, this, m_settings.printer,
                 quoteDocumentName(ui->txtSaveQuote->text(), m_platform.clock.today()),
                 quotationPage());
}

// ------------------------------------------------------- other windows

std::unique_ptr<frmCompareOptions> frmQuotaro::compareOptionsWindow()
{
    return std::make_unique<frmCompareOptions>(m_platform, m_settings, boxes(),
                                               multiLineText(ui->txtCustomerDetails),
                                               multiLineText(ui->txtEquipmentDetails), this);
}

void frmQuotaro::quotesCompareOptions_Click() { compareOptionsWindow()->exec(); }

void frmQuotaro::cmdOpenSavedQuotes_Click()
{
    frmOpenSavedQuotes window(m_platform, m_settings, this);
    window.exec();
}

void frmQuotaro::quotesOpenSavedQuotes_Click() { cmdOpenSavedQuotes_Click(); }

void frmQuotaro::quotesFindQuotes_Click()
{
    frmFindQuotes window(m_platform, m_settings, this);
    window.exec();
}

void frmQuotaro::setupPrinterSetup_Click()
{
    frmPrinterSetup window(m_platform, m_settings, this);
    window.exec();
}

void frmQuotaro::setupPageSetup_Click()
{
    frmPageSetup window(m_platform, m_settings, this);
    window.exec();
}

void frmQuotaro::setupTermsSetup_Click()
{
    frmTermsSetup window(m_platform, this);
    window.exec();
}

void frmQuotaro::setupRatesSetup_Click()
{
    frmRatesSetup window(m_platform, this);
    window.exec();
}

void frmQuotaro::helpCalculationFormula_Click()
{
    frmCalculationFormula window(this);
    window.exec();
}

void frmQuotaro::helpRemoteSupport_Click() { launchRemoteSupport(m_platform, this); }

void frmQuotaro::helpAbout_Click()
{
    frmAbout window(this);
    window.exec();
}

// ---------------------------------------------------------------- exit

bool frmQuotaro::Form_QueryUnload()
{
    return m_platform.messages.ask(this, Title,
                                   QStringLiteral("Are you sure you want to exit Quotaro ?"));
}

void frmQuotaro::closeEvent(QCloseEvent *event)
{
    if (m_closeConfirmed || Form_QueryUnload()) {
        m_closeConfirmed = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void frmQuotaro::cmdExit_Click() { close(); }

void frmQuotaro::fileExit_Click() { close(); }
