#pragma once

#include "quotation/QuoteWindows.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class ListControl;
class frmCompareOptions;
class PrinterSurface;
struct Platform;
struct Settings;
struct QuoteTexts;
class QCloseEvent;
class QComboBox;
class QPlainTextEdit;

namespace Ui {
class frmQuotaro;
}

// The main window: start-up and shutdown, the term structure and the value
// lists, the quotation, and saving and printing it.
class frmQuotaro : public QMainWindow {
    Q_OBJECT

public:
    frmQuotaro(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmQuotaro() override;

    // How a start-up ended: the window is to be shown, or the program is to
    // end without showing it (a missing or unreadable settings file, or
    // another copy already running).
    enum class StartResult { Show, EndMissingSettings, EndAlreadyRunning };

    // The start-up sequence; the caller shows the window only on Show and
    // otherwise ends the program (no exit() is called from here).
    StartResult Form_Load();

    // The three re-sorts of the multiplier lists (one procedure).
    static void UpfrontReSort(ListControl list);
    static void MidReSort(ListControl list);
    static void FinalReSort(ListControl list);

    // The comparison of lease options on this window's value, term boxes
    // and details as they stand, not yet shown.
    std::unique_ptr<frmCompareOptions> compareOptionsWindow();

private slots:
    void comSelectTerm_Click();
    void cmdRefreshTermsRates_Click();
    void cmdResetTermsRates_Click();

    void cmdQuotation_Click();
    void cmdSave_Click();
    void cmdPrint_Click();

    void cmdValueReset_Click();
    void cmdQuotationReset_Click();
    void cmdResetSave_Click();
    void cmdEquipmentReset_Click();
    void cmdCustomerReset_Click();
    void cmdResetAll_Click();

    void cmdExit_Click();
    void fileExit_Click();
    void cmdOpenSavedQuotes_Click();
    void quotesOpenSavedQuotes_Click();
    void quotesFindQuotes_Click();
    void quotesPrintPreview_Click();
    void quotesExportPdf_Click();
    void quotesCompareOptions_Click();
    void setupPrinterSetup_Click();
    void setupPageSetup_Click();
    void setupTermsSetup_Click();
    void setupRatesSetup_Click();
    void helpCalculationFormula_Click();
    void helpRemoteSupport_Click();
    void helpAbout_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The exit question; true when the user lets the window close.
    bool Form_QueryUnload();
    bool loadSettings();
    void loadLists();
    void clearResults();
    // The value and term boxes, as the shared quotation code takes them.
    QuotationBoxes boxes() const;
    QuoteTexts quoteTexts() const;
    // The refusal of Print quote when there is no quotation; true when
    // there is one to put on a page.
    bool hasQuotationToPrint();
    // The page of the quotation as Print quote makes it.
    std::function<void(PrinterSurface &, int)> quotationPage();
    // The program's description in the multi-line box beside the logo.
    void showAboutText();

    std::unique_ptr<Ui::frmQuotaro> ui;
    Platform &m_platform;
    Settings &m_settings;
    bool m_closeConfirmed = false;
};
