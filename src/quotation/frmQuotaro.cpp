#include "quotation/frmQuotaro.h"
#include "ui_frmQuotaro.h"

#include "QuotaroInfo.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "quote/Calculation.h"
#include "quote/QuoteLayout.h"
#include "quote/QuoteTexts.h"
#include "lists/ListControl.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/SettingsFiles.h"
#include "store/Store.h"
#include "store/TextCodec.h"

#include "printing/QuotePrinting.h"
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

namespace {
// Each save and each drawing of the printed page takes one trailing line
// break off the held header and footer.
void trimHeldHeaderAndFooter(PageSettings &page)
{
    Store::trimOneCrLf(page.PageHeader);
    Store::trimOneCrLf(page.PageFooter);
}
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

    // The boxes take exactly what is typed: no completion from the list, and
    // Enter never adds the typed text to the list.
    for (QComboBox *combo :
         {ui->comSelectTerm, ui->comUpfronts, ui->comMids, ui->comFinals, ui->comRates}) {
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Leaving the edit part would otherwise pick the item whose text was
        // typed and report it as chosen; a typed text is only ever a text.
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
        combo->lineEdit()->setAccessibleName(combo->accessibleName());
        combo->lineEdit()->setAccessibleDescription(combo->accessibleDescription());
    }
    // Only digits and backspace can be typed into the three multiplier boxes.
    DigitKeyFilter::install(ui->comUpfronts);
    DigitKeyFilter::install(ui->comMids);
    DigitKeyFilter::install(ui->comFinals);

    disableValueLists();
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
    emptyBox(ui->comSelectTerm);

    disableValueLists();
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

void frmQuotaro::emptyBox(QComboBox *box)
{
    // No item stays picked behind the empty text: the arrow keys then start
    // again from the first item, as when the window opened.
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void frmQuotaro::clearValueEdits()
{
    emptyBox(ui->comUpfronts);
    emptyBox(ui->comMids);
    emptyBox(ui->comFinals);
    emptyBox(ui->comRates);
}

void frmQuotaro::disableValueLists()
{
    ui->comUpfronts->setEnabled(false);
    ui->comMids->setEnabled(false);
    ui->comFinals->setEnabled(false);
    ui->comRates->setEnabled(false);
}

void frmQuotaro::comSelectTerm_Click()
{
    clearValueEdits();
    const std::optional<Calculation::Structure> structure = Calculation::structureNamed(
        ui->comSelectTerm->currentText());
    if (!structure)
        return;
    ui->comUpfronts->setEnabled(Calculation::hasUpfront(*structure));
    ui->comMids->setEnabled(true);
    ui->comFinals->setEnabled(Calculation::hasFinal(*structure));
    ui->comRates->setEnabled(true);
}

void frmQuotaro::cmdRefreshTermsRates_Click()
{
    loadLists();
    clearValueEdits();
    emptyBox(ui->comSelectTerm);
    disableValueLists();
    m_platform.messages.inform(this, QStringLiteral("Terms and rates"),
                               QStringLiteral("The terms and rates have been refreshed !"));
    ui->comSelectTerm->setFocus();
}

void frmQuotaro::cmdResetTermsRates_Click()
{
    clearValueEdits();
    emptyBox(ui->comSelectTerm);
    disableValueLists();
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
    clearValueEdits();
    emptyBox(ui->comSelectTerm);
    clearResults();
    ui->txtSaveQuote->clear();
    ui->txtEquipmentDetails->clear();
    ui->txtCustomerDetails->clear();
    disableValueLists();
    ui->txtValue->setFocus();
}

// ------------------------------------------------------------- quotation

void frmQuotaro::cmdQuotation_Click()
{
    using namespace Calculation;
    const Locale &locale = m_platform.locale;

    clearResults();

    // A number that reads well but lies beyond single precision cannot be
    // priced: say so, rather than showing amounts of "inf".
    auto tooLarge = [this](QWidget *focus) {
        focus->setFocus();
        m_platform.messages.warn(
            this, QStringLiteral("Number too large"),
            QStringLiteral("The number is too large to calculate a quotation !"));
    };

    const QString valueText = ui->txtValue->text();
    if (!locale.isNumeric(valueText)) {
        ui->txtValue->clear();
        ui->txtValue->setFocus();
        m_platform.messages.warn(this, QStringLiteral("Invalid value"),
                                 QStringLiteral("Please enter a valid value !"));
        return;
    }
    const std::optional<float> value = locale.toSingle(valueText);
    if (!value) {
        tooLarge(ui->txtValue);
        return;
    }

    const QString term = ui->comSelectTerm->currentText();
    const std::optional<Structure> structure = structureNamed(term);
    if (!structure) {
        emptyBox(ui->comSelectTerm);
        ui->comSelectTerm->setFocus();
        m_platform.messages.warn(this, QStringLiteral("Invalid term"),
                                 QStringLiteral("Please select a valid term !"));
        return;
    }

    // A box that a typed (not picked) structure left disabled cannot take the
    // focus; the term box, where the structure is chosen, takes it instead.
    auto focusOn = [this](QComboBox *box) {
        (box->isEnabled() ? static_cast<QWidget *>(box) : ui->comSelectTerm)->setFocus();
    };
    auto selection = [&](QComboBox *box, const QString &message, const QString &title,
                         float &into) {
        const QString text = box->currentText();
        if (!locale.isNumeric(text)) {
            m_platform.messages.warn(this, title, message);
            emptyBox(box);
            focusOn(box);
            return false;
        }
        const std::optional<float> number = locale.toSingle(text);
        if (!number) {
            tooLarge(box->isEnabled() ? static_cast<QWidget *>(box) : ui->comSelectTerm);
            return false;
        }
        into = *number;
        return true;
    };

    float upfront = 0, mids = 0, final = 0, rate = 0;
    if (hasUpfront(*structure)
        && !selection(ui->comUpfronts, QStringLiteral("Please select a valid upfront !"),
                      QStringLiteral("Invalid upfront"), upfront))
        return;
    if (!selection(ui->comMids, QStringLiteral("Please select a valid mid !"),
                   QStringLiteral("Invalid mid"), mids))
        return;
    if (hasFinal(*structure)
        && !selection(ui->comFinals, QStringLiteral("Please select a valid final !"),
                      QStringLiteral("Invalid final"), final))
        return;
    if (!selection(ui->comRates, QStringLiteral("Please select a valid rate !"),
                   QStringLiteral("Invalid rate"), rate))
        return;

    const Amounts amounts = amountsFor(*structure, *value, rate, upfront, final);
    if (!allFinite(*structure, amounts)) {
        m_platform.messages.warn(this, QStringLiteral("Number too large"),
                                 QStringLiteral("The amounts of this quotation are too large to "
                                                "be calculated !"));
        return;
    }

    ui->txtQuoteValue->setText(locale.currency(*value));
    ui->txtQuoteTerm->setText(term);
    if (hasUpfront(*structure))
        ui->txtTermStart->setText(locale.general(upfront));
    ui->txtTermMiddle->setText(locale.general(mids));
    if (hasFinal(*structure))
        ui->txtTermEnd->setText(locale.general(final));
    ui->txtRate->setText(locale.fixed(rate));
    ui->txtMonthly->setText(locale.currency(amounts.monthly));
    if (hasUpfront(*structure))
        ui->txtUpfront->setText(locale.currency(amounts.upfront));
    ui->txtWeekly->setText(locale.currency(amounts.weekly));
    ui->txtDaily->setText(locale.currency(amounts.daily));
    if (hasFinal(*structure))
        ui->txtFinal->setText(locale.currency(amounts.final));
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
    const QString name = ui->txtSaveQuote->text();
    if (name.isEmpty()) {
        m_platform.messages.warn(this, QStringLiteral("No quote name"),
                                 QStringLiteral("Please enter a name for the quote !"));
        ui->txtSaveQuote->setFocus();
        return;
    }
    // A name that would leave the quotes folder, or that the file system
    // cannot hold (a character or its length), is refused before anything
    // is looked up or written.
    if (const std::optional<QString> refusal = Store::quoteNameRefusal(name)) {
        m_platform.messages.warn(this, Store::UnsafeQuoteNameTitle, *refusal);
        ui->txtSaveQuote->setFocus();
        return;
    }
    const QString path = Paths::quoteFile(name);
    const auto refuseTakenName = [&] {
        m_platform.messages.warn(this, QStringLiteral("Quote already exists"),
                                 QStringLiteral("The quote ") + name
                                     + QStringLiteral(" already exists, please enter a different "
                                                      "name for the quote !"));
        ui->txtSaveQuote->clear();
        ui->txtSaveQuote->setFocus();
    };
    // Any entry of that name takes it: "Acme.TXT" from an older installation
    // (listed as Acme), a folder, or a link, even one that leads nowhere.
    if (Store::entryExists(m_platform.files, Paths::quotesFolder(), name)) {
        refuseTakenName();
        return;
    }

    const QString date = m_platform.locale.date(m_platform.clock.today());
    // A header or footer typed with an empty last line keeps that line once
    // only: one trailing line break comes off the held texts themselves, so
    // the shortened ones stay in force for the next save or print.
    trimHeldHeaderAndFooter(m_settings.page);
    const QString text = quoteFileText(texts, m_settings.page, date);
    // The file appears whole or not at all, and only under a name nobody
    // holds; a failure is never reported as a saved quote.
    if (const WriteResult saved = m_platform.files.createNewFile(path, TextCodec::encode(text));
        !saved) {
        // Another computer sharing the folder may have taken the name since.
        if (Store::entryExists(m_platform.files, Paths::quotesFolder(), name))
            refuseTakenName();
        else
            m_platform.messages.warn(this, QStringLiteral("Quote not saved"),
                                     QStringLiteral("The quote ") + name
                                         + QStringLiteral(" cannot be saved: ") + saved.reason()
                                         + QStringLiteral(" !"));
        return;
    }
    m_platform.messages.inform(this, QStringLiteral("Quote saved"),
                               QStringLiteral("The quote ") + name
                                   + QStringLiteral(" has been saved !"));
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
    // The page settings as they stand now: a preview draws its page more
    // than once (and again when printed from), and each time the header and
    // footer lose their one trailing line break from this same start, as
    // one print takes it off the held settings.
    const PageSettings page = m_settings.page;
    return [this, page, texts = quoteTexts(),
            date = m_platform.locale.date(m_platform.clock.today())](PrinterSurface &surface,
                                                                     int margin) {
        m_settings.page = page;
        trimHeldHeaderAndFooter(m_settings.page);
        printQuotation(surface, margin, texts, m_settings.page, date);
    };
}

// The confirmation of a page sent to the printer, from the print or from
// the preview; a job that did not go has been reported already.
void frmQuotaro::confirmSentToPrinter(const std::optional<QString> &device)
{
    if (device)
        m_platform.messages.inform(this, QStringLiteral("Printing"),
                                   QStringLiteral("The quote has been sent to the printer ")
                                       + *device);
}

void frmQuotaro::cmdPrint_Click()
{
    if (!hasQuotationToPrint())
        return;
    // The one page that the print, the preview and the PDF all make.
    const std::optional<QString> device = runPrintJob(m_platform, this, m_settings.printer,
                                                      quotationPage());
    confirmSentToPrinter(device);
}

void frmQuotaro::quotesPrintPreview_Click()
{
    if (!hasQuotationToPrint())
        return;
    const std::optional<QString> device = runPrintPreview(
        m_platform, this, m_settings.printer,
        quoteDocumentName(ui->txtSaveQuote->text(), m_platform.clock.today()), quotationPage());
    confirmSentToPrinter(device);
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
