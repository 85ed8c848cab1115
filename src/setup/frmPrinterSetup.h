#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmPrinterSetup;
}
struct Platform;
struct Settings;

// Shows the print settings in force and replaces them: printer, margins,
// font, size and the three font options. Apply writes the eight printer
// settings files in the same click and puts the new values in force for
// every window at once.
class frmPrinterSetup : public QDialog {
    Q_OBJECT
public:
    frmPrinterSetup(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmPrinterSetup() override;

private slots:
    void Form_Load();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdPrintTestPage_Click();
    void cmdClose_Click();

private:
    void showCurrentSettings();
    void clearChangeControls();

    std::unique_ptr<Ui::frmPrinterSetup> ui;
    Platform &m_platform;
    Settings &m_settings;
};
