#pragma once

#include "setup/SetupColumn.h"

#include <QDialog>
#include <memory>

namespace Ui {
class frmRatesSetup;
}
struct Platform;

// The office's list of rates per 1000: one list column whose entries are
// written with two decimals and kept in text order.
class frmRatesSetup : public QDialog {
    Q_OBJECT

public:
    explicit frmRatesSetup(Platform &platform, QWidget *parent = nullptr);
    ~frmRatesSetup() override;

private slots:
    void Form_Load();
    void cmdAddRate_Click();
    void cmdCancelRate_Click();
    void cmdDeleteRate_Click();
    void cmdClose_Click();

private:
    std::unique_ptr<Ui::frmRatesSetup> ui;
    std::unique_ptr<SetupColumn> m_rates;
};
