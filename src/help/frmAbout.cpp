#include "help/frmAbout.h"
#include "ui_frmAbout.h"

#include "QuotaroInfo.h"
#include "help/QuotaroLogo.h"
#include "platform/gui/WindowFrames.h"

#include <QCoreApplication>
#include <QPixmap>

frmAbout::frmAbout(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    fixAndCentreDialog(this);
    // The logo at its own size in the top-left corner; the description
    // covers the lower part of the picture box.
    ui->Picture1->setBackgroundRole(QPalette::Window);
    ui->Picture1->setPixmap(quotaroLogo(this));
    setMultiLineText(ui->Text1, aboutText());
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmAbout::cmdClose_Click);
    ui->cmdClose->setFocus();
}

frmAbout::~frmAbout() = default;

QString frmAbout::aboutText()
{
    // The program sets its version from the project's; the same stands in
    // where no application has set one.
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = QStringLiteral(QUOTARO_VERSION);
    const QStringList lines{
        QStringLiteral("Quotaro"),
        QStringLiteral("Version ") + version,
        QString(),
        QStringLiteral("Lease quotations for leasing and equipment sales offices: "
                       "from the value of the equipment and your own rates per 1000, "
                       "the monthly, upfront, final, weekly and daily rentals, "
                       "saved and printed for the customer."),
        QString(),
        QStringLiteral("Made by Kestrane."),
        QString(),
        QStringLiteral("Support:"),
        QStringLiteral(QUOTARO_SUPPORT_EMAIL),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void frmAbout::cmdClose_Click() { close(); }
