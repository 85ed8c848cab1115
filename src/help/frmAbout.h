#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class frmAbout;
}

// The product logo and a fixed description: name, version, support contact.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    // The description as the program holds it, lines ended by CR LF.
    static QString aboutText();

private slots:
    void cmdClose_Click();

private:
    std::unique_ptr<Ui::frmAbout> ui;
};
