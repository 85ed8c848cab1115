#pragma once

#include "savedquotes/QuoteSearch.h"
#include "savedquotes/SavedQuotes.h"

#include <QDialog>
#include <QThreadPool>
#include <QTimer>
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
// the chosen one below it with the saved quotes window's print, preview,
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
    // While the table does not yet show what the search box asks for.
    bool isSearching() const { return m_search != m_searchShown; }

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
    void ordered(const std::vector<int> &order);
    void batchRead(const std::shared_ptr<const QuoteBatch> &batch);
    // The quotes read since the table last took some, and the progress.
    void showQuotesRead();
    // Gives the table the quotes of the batches read since, those the search
    // shown finds, once the saved quotes order is known.
    void takeBatches();
    void searchDone(int search, std::vector<int> found, const QList<QByteArray> &words,
                    size_t upTo);
    void readingEnded();
    void stopWorkers();
    void showStatus();
    // Reads and shows the quote of the chosen row; nothing when none is.
    void showChosenQuote();
    void showQuote(const SavedQuote &quote, const QString &text);
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
    // The batches read, in the order they came in, and how many of them the
    // table has been given.
    std::vector<int> m_arrived;
    size_t m_taken = 0;
    // The table takes the quotes read at most every so often: drawing it
    // for each batch would cost more than reading the batch.
    QTimer m_showTimer;
    bool m_moreToShow = false;
    // The words of the search the table shows, and the latest search asked for.
    QList<QByteArray> m_words;
    int m_search = 0, m_searchShown = 0;
    bool m_searchWaits = false; // asked for before the quotes could be shown
    std::shared_ptr<std::atomic_bool> m_cancelSearch;

    // The quote whose text is shown, by its place in the saved quotes order.
    int m_shownId = -1;
    SavedQuote m_shown;
    QString m_shownText; // as read from its file, for printing
};
