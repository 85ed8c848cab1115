#include "setup/frmPageSetup.h"
#include "ui_frmPageSetup.h"

#include "platform/gui/KeyFilters.h"
#include "platform/Platform.h"
#include "platform/gui/WindowFrames.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/Store.h"

frmPageSetup::frmPageSetup(Platform &platform, Settings &settings, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmPageSetup>()), m_platform(platform),
      m_settings(settings)
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);

    // The current boxes can be read, scrolled and copied from, not typed in.
    for (QPlainTextEdit *box : {ui->txtCurrentHeader, ui->txtCurrentFooter})
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    for (QPlainTextEdit *box : {ui->txtChangeHeader, ui->txtChangeFooter})
        breakLongParagraphsAnywhere(box);

    connect(ui->cmdApplyHeader, &QPushButton::clicked, this, &frmPageSetup::cmdApplyHeader_Click);
    connect(ui->cmdCancelHeader, &QPushButton::clicked, this, &frmPageSetup::cmdCancelHeader_Click);
    connect(ui->cmdApplyFooter, &QPushButton::clicked, this, &frmPageSetup::cmdApplyFooter_Click);
    connect(ui->cmdCancelFooter, &QPushButton::clicked, this, &frmPageSetup::cmdCancelFooter_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmPageSetup::cmdClose_Click);

    Form_Load();
    ui->txtChangeHeader->setFocus();
}

frmPageSetup::~frmPageSetup() = default;

frmPageSetup::Section frmPageSetup::header()
{
    return {&m_settings.page.PageHeader,
            Paths::headerFile(),
            ui->txtChangeHeader,
            ui->txtCurrentHeader,
            QStringLiteral("The page header has been changed !"),
            QStringLiteral("Page header"),
            QStringLiteral("page header")};
}

frmPageSetup::Section frmPageSetup::footer()
{
    return {&m_settings.page.PageFooter,
            Paths::footerFile(),
            ui->txtChangeFooter,
            ui->txtCurrentFooter,
            QStringLiteral("The page footer has been changed"),
            QStringLiteral("Page footer"),
            QStringLiteral("page footer")};
}

void frmPageSetup::Form_Load()
{
    setMultiLineText(ui->txtCurrentHeader, m_settings.page.PageHeader);
    setMultiLineText(ui->txtCurrentFooter, m_settings.page.PageFooter);
}

void frmPageSetup::apply(const Section &section)
{
    const QString text = multiLineText(section.change);
    // Start-up refuses a larger file and would end at every start: such a
    // text is never written.
    if (!Store::pageTextFits(text)) {
        m_platform.messages.warn(this, section.title,
                                 QStringLiteral("The ") + section.name
                                     + QStringLiteral(" could not be changed, a ") + section.name
                                     + QStringLiteral(" cannot be larger than 4 MB !"));
        section.change->setFocus();
        return;
    }
    // The file is written first: a text that could not be stored is not put
    // in force either, and stays in the change box to be applied again.
    if (const WriteResult written = Store::writeTextFile(m_platform.files, section.file, text);
        !written) {
        m_platform.messages.warn(this, section.title,
                                 QStringLiteral("The ") + section.name
                                     + QStringLiteral(" could not be changed, the file ")
                                     + section.file + QStringLiteral(" cannot be written: ")
                                     + written.reason() + QStringLiteral(" !"));
        section.change->setFocus();
        return;
    }
    *section.value = text;
    section.change->clear();
    setMultiLineText(section.current, *section.value);
    m_platform.messages.inform(this, section.title, section.changedMessage);
    section.change->setFocus();
}

void frmPageSetup::cancel(const Section &section)
{
    section.change->clear();
    section.change->setFocus();
}

void frmPageSetup::cmdApplyHeader_Click() { apply(header()); }
void frmPageSetup::cmdCancelHeader_Click() { cancel(header()); }
void frmPageSetup::cmdApplyFooter_Click() { apply(footer()); }
void frmPageSetup::cmdCancelFooter_Click() { cancel(footer()); }
void frmPageSetup::cmdClose_Click() { close(); }
