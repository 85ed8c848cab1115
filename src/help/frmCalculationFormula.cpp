#include "help/frmCalculationFormula.h"
#include "ui_frmCalculationFormula.h"

#include "help/QuotaroLogo.h"
#include "platform/gui/WindowFrames.h"

frmCalculationFormula::frmCalculationFormula(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmCalculationFormula>())
{
    ui->setupUi(this);
    fixAndCentreDialog(this);
    // The text box shows Qt line breaks; the program's text keeps CR LF.
    setMultiLineText(ui->txtCalculationFormula, formulaText());
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmCalculationFormula::cmdClose_Click);
    ui->cmdClose->setFocus();
}

frmCalculationFormula::~frmCalculationFormula() = default;

QString frmCalculationFormula::formulaText()
{
    const QStringList lines{
        QString(), QStringLiteral("The calculation formula is based on a rate per 1000"),
        QString(), QStringLiteral("Mid (Monthly) rental = Value * Rate / 1000"),
        QString(), QStringLiteral("Upfront rental = Mid (Monthly) * Upfront"),
        QString(), QStringLiteral("Final rental = Mid (Monthly) * Final"),
        QString(), QStringLiteral("Weekly equivalent rental = Mid (Monthly) * 12 / 52"),
        QString(), QStringLiteral("Daily equivalent rental = Weekly / 7"),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void frmCalculationFormula::cmdClose_Click() { close(); }
