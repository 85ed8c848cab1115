#include "setup/frmRatesSetup.h"
#include "ui_frmRatesSetup.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "store/Paths.h"

frmRatesSetup::frmRatesSetup(Platform &platform, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmRatesSetup>())
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);

    // Rates are typed freely (a decimal point is part of a rate), and the
    // list box keeps them in text order itself: there is no re-sort.
    m_rates = std::make_unique<SetupColumn>(
        platform, this,
        SetupColumnConfig{Paths::ratesFolder(), ui->txtRate, ui->lstRates, 5, false,
                          SetupEntryForm::Fixed, nullptr,
                          SetupColumnTexts{
                              QStringLiteral("Rate"),
                              QStringLiteral("Rates"),
                              QStringLiteral("The rate "),
                              QStringLiteral("Please enter a valid rate !"),
                              QStringLiteral("Are you sure that you want to delete the rate "),
                              QStringLiteral("Rate delete canceld !"),
                              QStringLiteral("Please select a rate to delete !"),
                              QStringLiteral("You do not currently have any rates setup !"),
                          }});

    connect(ui->cmdAddRate, &QPushButton::clicked, this, &frmRatesSetup::cmdAddRate_Click);
    connect(ui->cmdCancelRate, &QPushButton::clicked, this, &frmRatesSetup::cmdCancelRate_Click);
    connect(ui->cmdDeleteRate, &QPushButton::clicked, this, &frmRatesSetup::cmdDeleteRate_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmRatesSetup::cmdClose_Click);

    Form_Load();
    ui->txtRate->setFocus();
}

frmRatesSetup::~frmRatesSetup() = default;

void frmRatesSetup::Form_Load() { m_rates->load(); }
void frmRatesSetup::cmdAddRate_Click() { m_rates->add(); }
void frmRatesSetup::cmdCancelRate_Click() { m_rates->cancel(); }
void frmRatesSetup::cmdDeleteRate_Click() { m_rates->remove(); }
void frmRatesSetup::cmdClose_Click() { close(); }
