#pragma once

#include "savedquotes/QuoteSearch.h"
#include "savedquotes/SavedQuotes.h"

#include <QDialog>
#include <QThreadPool>
#include <atomic>
#include <memory>

class FoundQuotesModel;
struct Platform;
struct Settings;

namespace Ui {
class frmFindQuotes;
}

// The find quotes window: every saved quote whose name or text holds all the
// words typed, as a table of the fields read from its layout, the text of
// the chosen one beside it with the saved quotes window's print, preview,
// PDF and edit actions, and the list as a CSV file for a spreadsheet.
//
// The quotes folder is listed and read on worker threads while the window
// is up: the quotes found show as they are read, the user can stop the
// reading (Stop or Escape), and every search runs off the window's thread,
// so typing never waits for one. A search goes through the quotes read so
// far; those read afterwards are searched as they come in.
class frmFindQuotes : public QDialog {
    Q_OBJECT
public:
    frmFindQuotes(Platform &platform, Settings &settings, QWidget *parent = nullptr);
    ~frmFindQuotes() override;

    // While the folder is being listed or read.
    bool isReading() const { return m_reading; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void Form_Load();
    void txtFind_Change();
    void tblQuotes_RowChange();
    void tblQuotes_Activate();
    void cmdPrint_Click();
    void cmdPrintPreview_Click();
    void cmdExportPdf_Click();
    void cmdEdit_Click();
    void cmdExportCsv_Click();
    void cmdStop_Click();
    void cmdClose_Click();

private:
    void listed(const std::shared_ptr<const QStringList> &names);
    void batchRead(const std::shared_ptr<const QuoteBatch> &batch);
    // Adds the quotes of the batches read next in order, as the search
    // shown finds them.
    void takeBatchesInOrder();
    void searchDone(int search, std::vector<int> found, const QList<QByteArray> &words, int upTo);
    void readingEnded();
    void stopWorkers();
    void showStatus();
    // Reads and shows the quote of the chosen row; nothing when none is.
    void showChosenQuote();
    void showQuote(const QString &name, const QString &text);
    // After the rows changed: the quote shown chosen again, where it still is.
    void chooseShownQuote();

    Platform &m_platform;
    Settings &m_settings;
    std::unique_ptr<Ui::frmFindQuotes> ui;
    ShownQuote m_quote;
    QuoteIndex m_index;
    FoundQuotesModel *m_model;
    QThreadPool m_pool;

    bool m_reading = true;
    std::shared_ptr<std::atomic_bool> m_stop = std::make_shared<std::atomic_bool>(false);
    int m_tasksLeft = 0;
    int m_quotesRead = 0;
    int m_batchesTaken = 0; // the batches whose quotes the table has been given
    // The words of the search the table shows, and the latest search asked for.
    QList<QByteArray> m_words;
    int m_search = 0;
    std::shared_ptr<std::atomic_bool> m_cancelSearch;

    // The quote whose text is shown, by its place in the saved quotes order.
    int m_shownId = -1;
    QString m_shownName;
    QString m_shownText; // as read from its file, for printing
};
