#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class frmCalculationFormula;
}

// States in words how a quotation is computed. Display text only: nothing
// computes from it.
class frmCalculationFormula : public QDialog {
    Q_OBJECT
public:
    explicit frmCalculationFormula(QWidget *parent = nullptr);
    ~frmCalculationFormula() override;

    // The formula text as the program holds it: CR LF between the lines and
    // after the last one.
    static QString formulaText();

private slots:
    void cmdClose_Click();

private:
    std::unique_ptr<Ui::frmCalculationFormula> ui;
};
