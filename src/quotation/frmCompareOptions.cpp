#include "quotation/frmCompareOptions.h"
#include "ui_frmCompareOptions.h"

#include "lists/ListControl.h"
#include "platform/Platform.h"
#include "platform/gui/KeyFilters.h"
#include "platform/gui/WindowFrames.h"
#include "printing/PdfAndPreview.h"
#include "printing/PrintPage.h"
#include "printing/QuotePrinting.h"
#include "store/Settings.h"

using namespace Calculation;

namespace {
// The columns that follow the option's terms: rentals, total, charge, rates.
constexpr int FirstAmountColumn = 5;
constexpr int Columns = 14;
} // namespace

frmCompareOptions::frmCompareOptions(Platform &platform, Settings &settings,
                                     const QuotationBoxes &from, const QString &customer,
                                     const QString &equipment, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_settings(settings),
      ui(std::make_unique<Ui::frmCompareOptions>()), m_customer(customer), m_equipment(equipment)
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);
    const QuotationBoxes mine = boxes();
    mine.prepare();
    ui->tblOptions->horizontalHeader()->setStretchLastSection(true);
    ui->tblOptions->setColumnCount(Columns);

    // The main window's lists as it shows them (a refresh there brings
    // changes made in the setup windows), its texts, and its open boxes.
    const std::pair<QComboBox *, QComboBox *> pairs[] = {{from.term, mine.term},
                                                         {from.upfronts, mine.upfronts},
                                                         {from.mids, mine.mids},
                                                         {from.finals, mine.finals},
                                                         {from.rates, mine.rates}};
    for (const auto &[source, target] : pairs) {
        ListControl(target).setItems(ListControl(source).items());
        // The arrow keys go on from the item picked there, if any.
        target->setCurrentIndex(source->currentIndex());
        target->setEditText(source->currentText());
        target->setEnabled(source->isEnabled());
    }
    mine.value->setText(from.value->text());
    const QuotationInputs first = from.inputs();
    const std::variant<Quotation, Refusal> priced = priceQuotation(first, m_platform.locale);
    if (const auto *q = std::get_if<Quotation>(&priced))
        addOption(first, *q);

    connect(ui->comSelectTerm, &QComboBox::activated, this,
            &frmCompareOptions::comSelectTerm_Click);
    connect(ui->txtValue, &QLineEdit::textChanged, this, &frmCompareOptions::txtValue_Change);
    connect(ui->cmdAddOption, &QPushButton::clicked, this, &frmCompareOptions::cmdAddOption_Click);
    connect(ui->cmdRemoveOption, &QPushButton::clicked, this,
            &frmCompareOptions::cmdRemoveOption_Click);
    connect(ui->cmdRemoveAll, &QPushButton::clicked, this, &frmCompareOptions::cmdRemoveAll_Click);
    connect(ui->cmdShowWorking, &QPushButton::clicked, this,
            &frmCompareOptions::cmdShowWorking_Click);
    connect(ui->cmdPrint, &QPushButton::clicked, this, &frmCompareOptions::cmdPrint_Click);
    connect(ui->cmdPrintPreview, &QPushButton::clicked, this,
            &frmCompareOptions::cmdPrintPreview_Click);
    connect(ui->cmdExportPdf, &QPushButton::clicked, this, &frmCompareOptions::cmdExportPdf_Click);
    connect(ui->cmdSave, &QPushButton::clicked, this, &frmCompareOptions::cmdSave_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmCompareOptions::cmdClose_Click);
    ui->txtValue->setFocus();
}

frmCompareOptions::~frmCompareOptions() = default;

QuotationBoxes frmCompareOptions::boxes() const
{
    return {ui->txtValue, ui->comSelectTerm, ui->comUpfronts,
            ui->comMids,  ui->comFinals,     ui->comRates};
}

QuotationInputs frmCompareOptions::inputsOf(int option) const
{
    QuotationInputs inputs = m_options[option];
    inputs.value = ui->txtValue->text();
    return inputs;
}

void frmCompareOptions::comSelectTerm_Click() { boxes().structurePicked(); }

void frmCompareOptions::addOption(const QuotationInputs &inputs, const Quotation &q)
{
    const int row = int(m_options.size());
    m_options.append(inputs);
    ui->tblOptions->insertRow(row);
    const QuotationTexts t = textsOf(q, m_platform.locale);
    const QString terms[] = {t.term, t.upfront, t.mids, t.final, t.rate};
    for (int column = 0; column < Columns; ++column)
        ui->tblOptions->setItem(
            row, column,
            new QTableWidgetItem(column < FirstAmountColumn ? terms[column] : QString()));
    priceOptions();
    ui->tblOptions->setCurrentCell(row, 0);
}

void frmCompareOptions::priceOptions()
{
    for (int row = 0; row < m_options.size(); ++row) {
        const std::variant<Quotation, Refusal> priced = priceQuotation(inputsOf(row),
                                                                       m_platform.locale);
        OptionTexts o;
        if (const auto *q = std::get_if<Quotation>(&priced))
            o = optionTextsOf(*q, m_platform.locale);
        const QuotationTexts &t = o.quotation;
        const QString amounts[] = {t.upfrontRental, t.monthly, t.finalRental,
                                   t.weekly,        t.daily,   o.total,
                                   o.financeCharge, o.nominal, o.effective};
        for (int column = FirstAmountColumn; column < Columns; ++column)
            ui->tblOptions->item(row, column)->setText(amounts[column - FirstAmountColumn]);
    }
    // Each column as wide as what it shows, so no amount is ever cut short
    // (a table wider than the window scrolls); measured once for all rows.
    ui->tblOptions->resizeColumnsToContents();
}

void frmCompareOptions::txtValue_Change()
{
    // The working shown was worked out from the value before.
    ui->txtWorking->clear();
    priceOptions();
}

void frmCompareOptions::cmdAddOption_Click()
{
    // Nothing is checked or emptied for an option that could not be added.
    if (m_options.size() >= MostOptions) {
        m_platform.messages.warn(this, QStringLiteral("Too many options"),
                                 QStringLiteral("You can compare up to %1 lease options, please "
                                                "remove an option before adding another !")
                                     .arg(MostOptions));
        return;
    }
    const QuotationInputs inputs = boxes().inputs();
    const std::variant<Quotation, Refusal> priced = priceQuotation(inputs, m_platform.locale);
    if (const auto *refusal = std::get_if<Refusal>(&priced)) {
        boxes().refuse(m_platform, this, *refusal);
        return;
    }
    addOption(inputs, std::get<Quotation>(priced));
}

int frmCompareOptions::selectedOption(const QString &text)
{
    const QList<QTableWidgetItem *> selected = ui->tblOptions->selectedItems();
    if (selected.isEmpty()) {
        m_platform.messages.warn(this, QStringLiteral("No option selected"), text);
        return -1;
    }
    return selected.front()->row();
}

void frmCompareOptions::cmdRemoveOption_Click()
{
    const int row = selectedOption(QStringLiteral("Please select an option to remove !"));
    if (row < 0)
        return;
    m_options.remove(row);
    ui->tblOptions->removeRow(row);
    ui->txtWorking->clear();
}

void frmCompareOptions::cmdRemoveAll_Click()
{
    m_options.clear();
    ui->tblOptions->setRowCount(0);
    ui->txtWorking->clear();
}

void frmCompareOptions::cmdShowWorking_Click()
{
    const int row = selectedOption(QStringLiteral("Please select an option to show its working !"));
    if (row < 0)
        return;
    const std::variant<Quotation, Refusal> priced = priceQuotation(inputsOf(row),
                                                                   m_platform.locale);
    if (const auto *refusal = std::get_if<Refusal>(&priced)) {
        boxes().refuse(m_platform, this, *refusal);
        return;
    }
    const Quotation &q = std::get<Quotation>(priced);
    setMultiLineText(ui->txtWorking,
                     QStringLiteral("Option %1: ").arg(row + 1)
                         + termsOf(textsOf(q, m_platform.locale)) + QStringLiteral("\r\n")
                         + workingOf(q, m_platform.locale));
}

std::optional<ComparisonTexts> frmCompareOptions::comparisonToOutput(const QString &title,
                                                                     const QString &text)
{
    if (m_options.isEmpty()) {
        m_platform.messages.warn(this, title, text);
        return std::nullopt;
    }
    ComparisonTexts texts{m_customer, m_equipment, QString(), {}};
    for (int row = 0; row < m_options.size(); ++row) {
        const std::variant<Quotation, Refusal> priced = priceQuotation(inputsOf(row),
                                                                       m_platform.locale);
        if (const auto *refusal = std::get_if<Refusal>(&priced)) {
            boxes().refuse(m_platform, this, *refusal);
            return std::nullopt;
        }
        texts.options.append(optionTextsOf(std::get<Quotation>(priced), m_platform.locale));
    }
    texts.value = texts.options.front().quotation.value;
    return texts;
}

std::function<void(PrinterSurface &, int)>
frmCompareOptions::comparisonPage(const ComparisonTexts &texts)
{
    return heldSettingsPage(
        m_settings.page,
        [texts, date = m_platform.locale.date(m_platform.clock.today())](const PageSettings &page) {
            return comparisonLines(texts, page, date, QuoteForm::Page);
        });
}

QString frmCompareOptions::documentName() const
{
    return quoteDocumentName(ui->txtSaveQuote->text(), m_platform.clock.today(),
                             QStringLiteral("Lease options"));
}

namespace {
const QString NoneToPrintTitle = QStringLiteral("No options to print");
const QString NoneToPrintText = QStringLiteral("Please add a lease option to print !");
} // namespace

void frmCompareOptions::cmdPrint_Click()
{
    const std::optional<ComparisonTexts> texts = comparisonToOutput(NoneToPrintTitle,
                                                                    NoneToPrintText);
    if (!texts)
        return;
    confirmSentToPrinter(m_platform, this,
                         runPrintJob(m_platform, this, m_settings.printer, comparisonPage(*texts)));
}

void frmCompareOptions::cmdPrintPreview_Click()
{
    const std::optional<ComparisonTexts> texts = comparisonToOutput(NoneToPrintTitle,
                                                                    NoneToPrintText);
    if (!texts)
        return;
    confirmSentToPrinter(m_platform, this,
                         runPrintPreview(m_platform, this, m_settings.printer, documentName(),
                                         comparisonPage(*texts)));
}

void frmCompareOptions::cmdExportPdf_Click()
{
    const std::optional<ComparisonTexts> texts = comparisonToOutput(NoneToPrintTitle,
                                                                    NoneToPrintText);
    if (texts)
        runPdfExport(m_platform, this, m_settings.printer, documentName(), comparisonPage(*texts));
}

void frmCompareOptions::cmdSave_Click()
{
    const std::optional<ComparisonTexts> texts = comparisonToOutput(
        QStringLiteral("No options to save"),
        QStringLiteral("Please add a lease option to save !"));
    if (!texts)
        return;
    saveNewQuote(m_platform, this, ui->txtSaveQuote, m_settings.page,
                 [&texts](const PageSettings &page, const QString &date) {
                     return fileTextOf(comparisonLines(*texts, page, date, QuoteForm::File));
                 });
}

void frmCompareOptions::cmdClose_Click() { reject(); }
