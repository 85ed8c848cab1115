#pragma once

#include "lists/ListControl.h"
#include "setup/SetupColumn.h"

#include <QDialog>
#include <array>
#include <memory>

namespace Ui {
class frmTermsSetup;
}
struct Platform;

// The office's lists of upfronts, mids and finals: three columns that behave
// alike, each over its own folder of entry files.
class frmTermsSetup : public QDialog {
    Q_OBJECT

public:
    explicit frmTermsSetup(Platform &platform, QWidget *parent = nullptr);
    ~frmTermsSetup() override;

    // The re-sort of each list; the one numeric re-sort under three names,
    // saying which list a call site passes.
    static void UpfrontReSort(ListControl list);
    static void MidReSort(ListControl list);
    static void FinalReSort(ListControl list);

private slots:
    void Form_Load();
    void cmdAddUpfront_Click();
    void cmdUpfrontCancel_Click();
    void cmdDeleteUpfront_Click();
    void cmdAddMid_Click();
    void cmdCancelMid_Click();
    void cmdDeleteMid_Click();
    void cmdAddFinal_Click();
    void cmdCancelFinal_Click();
    void cmdDeleteFinal_Click();
    void cmdClose_Click();

private:
    enum Column { Upfront, Mid, Final };

    std::unique_ptr<Ui::frmTermsSetup> ui;
    Platform &m_platform;
    std::array<std::unique_ptr<SetupColumn>, 3> m_columns;
};
