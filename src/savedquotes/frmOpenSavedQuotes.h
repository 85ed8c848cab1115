#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QListWidget;
class PrinterSurface;
struct Platform;
struct Settings;

namespace Ui {
class frmOpenSavedQuotes;
}

// The saved quotes window: lists the quote files of the quotes folder, shows
// one of them (the open quote) as read-only text, and prints, edits, renames
// and deletes it. The open quote is nothing but txtOpenQuoteName and
// txtOpenQuote; every action works on that name, never on the list selection.
//
// Form_Load runs in the constructor, so that a caller doing
//     frmOpenSavedQuotes w(platform, settings, this); w.exec();
// gets the list filled and the empty-list message shown before the window.
class frmOpenSavedQuotes : public QDialog {
    Q_OBJECT
public:
    frmOpenSavedQuotes(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmOpenSavedQuotes() override;

    // The numeric re-sort, for the saved quotes list box.
    static void SavedQuotesReSort(QListWidget *list);

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
    // The two refusals every action on the open quote begins with: no quote
    // open (the action's own message), and a quote whose file has gone. The
    // open quote's file when neither applies.
    std::optional<QString> openQuoteFile(const QString &title, const QString &text);
    // The refusals of Print quote; true when the open quote can be put on a page.
    bool openQuoteToPrint();
    // The open quote's page, as Print quote makes it.
    std::function<void(PrinterSurface &, int)> openQuotePage() const;
    void confirmSentToPrinter(const QString &name, const std::optional<QString> &device);
    // The context menu on one of the two controls, at a point of its viewport.
    void showQuoteMenu(QWidget *control, const QPoint &at);

    void fillSavedQuotesList();
    void showNumberOfQuotes();
    // Reads the quote file of the name and shows its text (one trailing
    // CR LF removed). A missing or unreadable file is reported and the open
    // quote is left as it was; the result then is false.
    bool readQuoteFile(const QString &name);
    // The file of a quote: the quotes folder, the name and ".txt". A file
    // whose ending is in other letters (".TXT", from an older installation)
    // is listed under the same name, so it is found too. Empty when the quote
    // has no file.
    std::optional<QString> quoteFileOf(const QString &name) const;
    // Any entry holds the quote file name of the name, in any letter case of
    // its ending: a file, a folder or a link, even one leading nowhere.
    bool nameTaken(const QString &name) const;
    // The quote's file when it is there; otherwise says so.
    std::optional<QString> quoteFileFound(const QString &name);
    void reportQuoteNotFound(const QString &name);

    // The open quote's text with CR LF line breaks, as the files hold it.
    QString openQuoteText() const;
    void setOpenQuoteText(const QString &crLfText);

    // Before the window shows, its messages belong to the window that opened it.
    QWidget *messageParent();

    Platform &m_platform;
    Settings &m_settings;
    std::unique_ptr<Ui::frmOpenSavedQuotes> ui;
    // The open quote's text exactly as read from its file. The box shows it,
    // but a text box keeps no lone carriage return, line separator or
    // non-breaking space as such, so what is printed comes from here.
    QString m_openQuoteText;
    QAction *m_printPreview;
    QAction *m_exportPdf;
};
