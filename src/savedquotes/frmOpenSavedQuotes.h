#pragma once

#include "savedquotes/SavedQuotes.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>

class QAction;
struct Platform;
struct Settings;

namespace Ui {
class frmOpenSavedQuotes;
}

// The saved quotes window: lists the quote files of the quotes folder, shows
// one of them (the open quote) as read-only text, and prints, edits, renames
// and deletes it. The open quote is txtOpenQuoteName, txtOpenQuote and the
// file they were read from; every action works on that file, never on the
// list selection.
//
// Form_Load runs in the constructor, so that a caller doing
//     frmOpenSavedQuotes w(platform, settings, this); w.exec();
// gets the list filled and the empty-list message shown before the window.
class frmOpenSavedQuotes : public QDialog {
    Q_OBJECT
public:
    frmOpenSavedQuotes(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmOpenSavedQuotes() override;

private slots:
    void Form_Load();
    void cmdOpen_Click();
    void cmdPrint_Click();
    void cmdEditqute_Click();
    void cmdRefreshQuote_Click();
    void cmdRename_Click();
    void cmdDelete_Click();
    void cmdClose_Click();
    // The context menu of the list and of the open quote's text.
    void quotePrintPreview_Click();
    void quoteExportPdf_Click();

private:
    // The context menu on one of the two controls, at a point of its viewport.
    void showQuoteMenu(QWidget *control, const QPoint &at);

    void fillSavedQuotesList();
    void showNumberOfQuotes();
    // Reads the quote's file and shows its text (one trailing CR LF
    // removed). A missing or unreadable file is reported and the open quote
    // is left as it was; the result then is false.
    bool readQuoteFile(const SavedQuote &quote);
    SavedQuote openQuote() const;
    // Any entry holds the quote file name of the name, in any letter case of
    // its ending: a file, a folder or a link, even one leading nowhere.
    bool nameTaken(const QString &name) const;
    // The refusals every action on the open quote begins with (ShownQuote).
    std::optional<QString> openQuoteFile(const QString &title, const QString &text);

    // The open quote's text with CR LF line breaks, as the files hold it.
    QString openQuoteText() const;
    void setOpenQuoteText(const QString &crLfText);

    // Before the window shows, its messages belong to the window that opened it.
    QWidget *messageParent();

    Platform &m_platform;
    Settings &m_settings;
    std::unique_ptr<Ui::frmOpenSavedQuotes> ui;
    ShownQuote m_quote;
    // The open quote's text exactly as read from its file. The box shows it,
    // but a text box keeps no lone carriage return, line separator or
    // non-breaking space as such, so what is printed comes from here.
    QString m_openQuoteText;
    QString m_openQuoteFile;
    // The file names of the quotes listed; each entry's data is its place here.
    QStringList m_listedFiles;
    QAction *m_printPreview;
    QAction *m_exportPdf;
};
