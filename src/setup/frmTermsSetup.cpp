#include "setup/frmTermsSetup.h"
#include "ui_frmTermsSetup.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "store/Paths.h"

namespace {

// The words of one term column: the three differ only in the name of what
// they hold ("upfront", "mid", "final"), its plural and its article.
SetupColumnTexts columnTexts(const QString &title, const QString &one, const QString &many,
                             const QString &article)
{
    return SetupColumnTexts{
        title,
        title + QStringLiteral("s"),
        QStringLiteral("The ") + one + QStringLiteral(" "),
        QStringLiteral("Please enter a valid ") + one + QStringLiteral(" !"),
        QStringLiteral("Are you sure that you want to delete the ") + one + QStringLiteral(" "),
        title + QStringLiteral(" delete canceld !"),
        QStringLiteral("Please select ") + article + QStringLiteral(" ") + one
            + QStringLiteral(" to delete !"),
        QStringLiteral("You do not currently have any ") + many + QStringLiteral(" setup !"),
    };
}

} // namespace

frmTermsSetup::frmTermsSetup(Platform &platform, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmTermsSetup>()), m_platform(platform)
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);

    m_columns[Upfront] = std::make_unique<SetupColumn>(
        platform, this,
        SetupColumnConfig{Paths::upfrontsFolder(), ui->txtUpfront, ui->lstUpfront, 2, true,
                          SetupEntryForm::General, &frmTermsSetup::UpfrontReSort,
                          columnTexts(QStringLiteral("Upfront"), QStringLiteral("upfront"),
                                      QStringLiteral("upfronts"), QStringLiteral("an"))});
    m_columns[Mid] = std::make_unique<SetupColumn>(
        platform, this,
        SetupColumnConfig{Paths::midsFolder(), ui->txtMid, ui->lstMid, 3, true,
                          SetupEntryForm::General, &frmTermsSetup::MidReSort,
                          columnTexts(QStringLiteral("Mid"), QStringLiteral("mid"),
                                      QStringLiteral("mids"), QStringLiteral("a"))});
    m_columns[Final] = std::make_unique<SetupColumn>(
        platform, this,
        SetupColumnConfig{Paths::finalsFolder(), ui->txtFinal, ui->lstFinal, 2, true,
                          SetupEntryForm::General, &frmTermsSetup::FinalReSort,
                          columnTexts(QStringLiteral("Final"), QStringLiteral("final"),
                                      QStringLiteral("finals"), QStringLiteral("a"))});

    connect(ui->cmdAddUpfront, &QPushButton::clicked, this, &frmTermsSetup::cmdAddUpfront_Click);
    connect(ui->cmdUpfrontCancel, &QPushButton::clicked, this,
            &frmTermsSetup::cmdUpfrontCancel_Click);
    connect(ui->cmdDeleteUpfront, &QPushButton::clicked, this,
            &frmTermsSetup::cmdDeleteUpfront_Click);
    connect(ui->cmdAddMid, &QPushButton::clicked, this, &frmTermsSetup::cmdAddMid_Click);
    connect(ui->cmdCancelMid, &QPushButton::clicked, this, &frmTermsSetup::cmdCancelMid_Click);
    connect(ui->cmdDeleteMid, &QPushButton::clicked, this, &frmTermsSetup::cmdDeleteMid_Click);
    connect(ui->cmdAddFinal, &QPushButton::clicked, this, &frmTermsSetup::cmdAddFinal_Click);
    connect(ui->cmdCancelFinal, &QPushButton::clicked, this, &frmTermsSetup::cmdCancelFinal_Click);
    connect(ui->cmdDeleteFinal, &QPushButton::clicked, this, &frmTermsSetup::cmdDeleteFinal_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmTermsSetup::cmdClose_Click);

    // Loaded before the window shows, so its empty-list messages come first.
    Form_Load();
    ui->txtUpfront->setFocus();
}

frmTermsSetup::~frmTermsSetup() = default;

void frmTermsSetup::UpfrontReSort(ListControl list) { NumericReSort(list); }
void frmTermsSetup::MidReSort(ListControl list) { NumericReSort(list); }
void frmTermsSetup::FinalReSort(ListControl list) { NumericReSort(list); }

void frmTermsSetup::Form_Load()
{
    for (const auto &column : m_columns)
        column->load();
}

void frmTermsSetup::cmdAddUpfront_Click() { m_columns[Upfront]->add(); }
void frmTermsSetup::cmdUpfrontCancel_Click() { m_columns[Upfront]->cancel(); }
void frmTermsSetup::cmdDeleteUpfront_Click() { m_columns[Upfront]->remove(); }
void frmTermsSetup::cmdAddMid_Click() { m_columns[Mid]->add(); }
void frmTermsSetup::cmdCancelMid_Click() { m_columns[Mid]->cancel(); }
void frmTermsSetup::cmdDeleteMid_Click() { m_columns[Mid]->remove(); }
void frmTermsSetup::cmdAddFinal_Click() { m_columns[Final]->add(); }
void frmTermsSetup::cmdCancelFinal_Click() { m_columns[Final]->cancel(); }
void frmTermsSetup::cmdDeleteFinal_Click() { m_columns[Final]->remove(); }

void frmTermsSetup::cmdClose_Click() { close(); }
