#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmPageSetup;
}
class QPlainTextEdit;
struct Platform;
struct Settings;

// The page header and footer that printed and saved quotations carry. Each
// has its own change box, Apply and Cancel; an applied text is in force at
// once and written to its file in the same click.
class frmPageSetup : public QDialog {
    Q_OBJECT

public:
    frmPageSetup(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmPageSetup() override;

private slots:
    void Form_Load();
    void cmdApplyHeader_Click();
    void cmdCancelHeader_Click();
    void cmdApplyFooter_Click();
    void cmdCancelFooter_Click();
    void cmdClose_Click();

private:
    // One section (header or footer) of the window.
    struct Section {
        QString *value;
        QString file;
        QPlainTextEdit *change;
        QPlainTextEdit *current;
        QString changedMessage;
        QString title;
        QString name; // "page header", for the message of a failed write
    };
    void apply(const Section &section);
    void cancel(const Section &section);
    Section header();
    Section footer();

    std::unique_ptr<Ui::frmPageSetup> ui;
    Platform &m_platform;
    Settings &m_settings;
};
