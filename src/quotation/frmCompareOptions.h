#pragma once

#include "quotation/QuoteWindows.h"
#include "quote/QuoteLayout.h"

#include <QDialog>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class PrinterSurface;
struct Settings;

namespace Ui {
class frmCompareOptions;
}

// Lease options side by side: up to eight quotations of one value, each
// priced exactly as Generate prices it, with the total of its rentals, the
// finance charge and the interest rate the rentals imply. The options are
// printed, previewed, exported and saved as a quote.
//
// The window's options are their typed texts (term and selections); every
// change of the value prices them all again from those texts.
class frmCompareOptions : public QDialog {
    Q_OBJECT
public:
    // Opens with the value and the term boxes of the main window as they
    // stand (their lists, texts, and which boxes are open), and, when they
    // make a valid quotation, that quotation as the first option. Customer
    // and equipment details with CR LF line breaks, as the page shows them.
    frmCompareOptions(Platform &platform, Settings &settings, const QuotationBoxes &from,
                      const QString &customer, const QString &equipment, QWidget *parent = nullptr);
    ~frmCompareOptions() override;

    static constexpr int MostOptions = 8;

private slots:
    void comSelectTerm_Click();
    void txtValue_Change();
    void cmdAddOption_Click();
    void cmdRemoveOption_Click();
    void cmdRemoveAll_Click();
    void cmdShowWorking_Click();
    void cmdPrint_Click();
    void cmdPrintPreview_Click();
    void cmdExportPdf_Click();
    void cmdSave_Click();
    void cmdClose_Click();

private:
    QuotationBoxes boxes() const;
    // The option's inputs with the value as it is typed now.
    Calculation::QuotationInputs inputsOf(int option) const;
    void addOption(const Calculation::QuotationInputs &inputs, const Calculation::Quotation &q);
    // Fills the amount and rate columns of every row from the value typed
    // now; with a value that is refused they are left empty.
    void priceOptions();
    // Every option priced for a page or a file; otherwise the refusal (no
    // option at all, or the first the rules give) has been shown.
    std::optional<ComparisonTexts> comparisonToOutput(const QString &title, const QString &text);
    std::function<void(PrinterSurface &, int)> comparisonPage(const ComparisonTexts &texts);
    QString documentName() const;
    // The selected row; -1 with the message shown when there is none.
    int selectedOption(const QString &text);

    Platform &m_platform;
    Settings &m_settings;
    std::unique_ptr<Ui::frmCompareOptions> ui;
    QVector<Calculation::QuotationInputs> m_options; // one a row, in order
    QString m_customer;
    QString m_equipment;
};
