#include "savedquotes/frmFindQuotes.h"

#include "ui_frmFindQuotes.h"

#include "platform/Platform.h"
#include "platform/gui/KeyFilters.h"
#include "platform/gui/WindowFrames.h"
#include "savedquotes/FoundQuotesModel.h"

#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>

namespace {
const QString Title = QStringLiteral("Find quotes");
// Name, date, customer, the four numbers and the time saved.
const int ColumnWidths[] = {190, 76, 196, 96, 44, 96, 96, 112};
// Searches go before the reading still waiting, so the table answers the
// keys typed while the folder is read.
const int SearchPriority = 1;
const int ShowEvery = 100; // ms
const int ReadingThreads = 8;
} // namespace

frmFindQuotes::frmFindQuotes(Platform &platform, Settings &settings, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_settings(settings),
      ui(std::make_unique<Ui::frmFindQuotes>()),
      m_quote(platform, settings, [this] { return static_cast<QWidget *>(this); })
{
    ui->setupUi(this);
    EnterPressesFocusedButton::install(this);
    fixAndCentreDialog(this);
    // A disk reads faster with several requests waiting at once; quotes
    // already in memory are read as fast as the cores go, whatever the
    // number of threads above theirs.
    m_pool.setMaxThreadCount(std::max(ReadingThreads, QThread::idealThreadCount()));

    m_model = new FoundQuotesModel(m_index, m_platform.locale, this);
    QTableView *table = ui->tblQuotes;
    table->setModel(m_model);
    table->verticalHeader()->hide();
    // One line a row: the view need not measure a hundred thousand rows.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int column = 0; column < int(std::size(ColumnWidths)); ++column)
        table->setColumnWidth(column, ColumnWidths[column]);
    table->horizontalHeader()->setStretchLastSection(true);
    // The saved quotes order first: the name column, ascending.
    table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    table->setSortingEnabled(true);

    connect(ui->txtFind, &QLineEdit::textChanged, this, &frmFindQuotes::txtFind_Change);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &frmFindQuotes::tblQuotes_RowChange);
    connect(table, &QTableView::activated, this, &frmFindQuotes::tblQuotes_Activate);
    connect(m_model, &QAbstractItemModel::modelReset, this, &frmFindQuotes::chooseShownQuote);
    connect(ui->cmdPrint, &QPushButton::clicked, this, &frmFindQuotes::cmdPrint_Click);
    connect(ui->cmdPrintPreview, &QPushButton::clicked, this,
            &frmFindQuotes::cmdPrintPreview_Click);
    connect(ui->cmdExportPdf, &QPushButton::clicked, this, &frmFindQuotes::cmdExportPdf_Click);
    connect(ui->cmdEdit, &QPushButton::clicked, this, &frmFindQuotes::cmdEdit_Click);
    connect(ui->cmdExportCsv, &QPushButton::clicked, this, &frmFindQuotes::cmdExportCsv_Click);
    connect(ui->cmdStop, &QPushButton::clicked, this, &frmFindQuotes::cmdStop_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmFindQuotes::cmdClose_Click);

    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(ShowEvery);
    connect(&m_showTimer, &QTimer::timeout, this, [this] {
        if (m_moreToShow)
            showQuotesRead();
    });

    ui->txtFind->setFocus();
    Form_Load();
}

frmFindQuotes::~frmFindQuotes()
{
    // The workers use the platform and post to this window: all are done
    // before any of it goes.
    stopWorkers();
    m_pool.waitForDone();
}

void frmFindQuotes::stopWorkers()
{
    m_stop->store(true);
    if (m_cancelSearch)
        m_cancelSearch->store(true);
}

void frmFindQuotes::Form_Load()
{
    ui->pgbReading->setRange(0, 0); // busy until the folder is listed
    showStatus();
    const FileSystem &files = m_platform.files;
    m_pool.start([this, &files] {
        std::optional<QStringList> names = listSavedQuotes(files);
        const auto list = names ? std::make_shared<const QStringList>(std::move(*names)) : nullptr;
        QMetaObject::invokeMethod(
            this, [this, list] { listed(list); }, Qt::QueuedConnection);
        // The quotes are read in the folder's order while they are put in
        // the saved quotes order here (the reading ends with it, even when
        // it is stopped).
        if (list)
            QMetaObject::invokeMethod(
                this, [this, order = savedQuotesOrder(*list)] { ordered(order); },
                Qt::QueuedConnection);
    });
}

void frmFindQuotes::listed(const std::shared_ptr<const QStringList> &names)
{
    if (!names) {
        m_platform.messages.warn(this, Title, unreadableQuotesFolderMessage());
        readingEnded();
        return;
    }
    m_index.reset(int(names->size()));
    ui->pgbReading->setRange(0, m_index.total());
    m_tasksLeft = m_index.batchCount();
    const FileSystem &files = m_platform.files;
    const QChar point = m_platform.locale.decimalPoint();
    const std::shared_ptr<std::atomic_bool> stop = m_stop;
    for (int b = 0; b < m_index.batchCount(); ++b) {
        const int first = m_index.batchStart(b);
        const int count = m_index.batchSize(b);
        m_pool.start([this, &files, names, first, count, point, stop] {
            const std::shared_ptr<const QuoteBatch> batch = readQuoteBatch(files, *names, first,
                                                                           count, point, *stop);
            QMetaObject::invokeMethod(
                this, [this, batch] { batchRead(batch); }, Qt::QueuedConnection);
        });
    }
    showStatus();
}

void frmFindQuotes::ordered(const std::vector<int> &order)
{
    m_index.setOrder(order);
    showQuotesRead();
    if (m_tasksLeft == 0)
        readingEnded();
    if (m_searchWaits)
        txtFind_Change();
}

void frmFindQuotes::batchRead(const std::shared_ptr<const QuoteBatch> &batch)
{
    m_arrived.push_back(m_index.add(batch));
    m_quotesRead += int(batch->quotes.size());
    m_moreToShow = true;
    if (--m_tasksLeft == 0 || !m_showTimer.isActive())
        showQuotesRead();
    if (m_tasksLeft == 0 && m_index.isOrdered())
        readingEnded();
}

void frmFindQuotes::showQuotesRead()
{
    m_moreToShow = false;
    takeBatches();
    ui->pgbReading->setValue(m_quotesRead);
    showStatus();
    m_showTimer.start();
}

void frmFindQuotes::takeBatches()
{
    if (!m_index.isOrdered())
        return;
    std::vector<int> found;
    for (; m_taken < m_arrived.size(); ++m_taken) {
        const QuoteBatch &batch = *m_index.batch(m_arrived[m_taken]);
        BatchMatcher matcher(batch, m_words);
        for (size_t i = 0; i < batch.quotes.size(); ++i)
            if (matcher.matches(batch.quotes[i]))
                found.push_back(batch.first + int(i));
    }
    m_model->add(std::move(found));
}

void frmFindQuotes::readingEnded()
{
    m_reading = false;
    ui->pgbReading->hide();
    ui->cmdStop->hide();
}

void frmFindQuotes::showStatus()
{
    ui->lblStatus->setText(QString::number(m_model->rowCount()) + QStringLiteral(" of ")
                           + QString::number(m_index.total()) + QStringLiteral(" quotes"));
}

void frmFindQuotes::txtFind_Change()
{
    const QList<QByteArray> words = searchWords(ui->txtFind->text());
    if (m_cancelSearch)
        m_cancelSearch->store(true);
    const int search = ++m_search;
    m_searchWaits = !m_index.isOrdered();
    if (words == m_words || m_searchWaits) { // a blank typed, or back to what the table shows
        m_searchShown = search;
        return;
    }
    const auto cancel = m_cancelSearch = std::make_shared<std::atomic_bool>(false);
    // A query that only grows searches the quotes found already.
    std::shared_ptr<const std::vector<int>> candidates;
    if (narrows(words, m_words))
        candidates = std::make_shared<const std::vector<int>>(m_model->shown());
    const size_t upTo = m_taken;
    const auto index = std::make_shared<const QuoteIndex>(
        m_index.with({m_arrived.begin(), m_arrived.begin() + qsizetype(upTo)}));
    const QuoteColumn column = m_model->sortColumn();
    const Qt::SortOrder order = m_model->sortOrder();
    m_pool.start(
        [this, search, words, candidates, index, upTo, column, order, cancel] {
            std::vector<int> found = index->find(words, candidates.get(), *cancel);
            if (cancel->load())
                return;
            // All the quotes come in the saved quotes order, which is the
            // order by name.
            if (!candidates && (column != QuoteColumn::Name || order != Qt::AscendingOrder))
                sortQuotes(found, *index, column, order);
            QMetaObject::invokeMethod(
                this,
                [this, search, found = std::move(found), words, upTo, column, order]() mutable {
                    if (column != m_model->sortColumn() || order != m_model->sortOrder())
                        sortQuotes(found, m_index, m_model->sortColumn(), m_model->sortOrder());
                    searchDone(search, std::move(found), words, upTo);
                },
                Qt::QueuedConnection);
        },
        SearchPriority);
}

void frmFindQuotes::searchDone(int search, std::vector<int> found, const QList<QByteArray> &words,
                               size_t upTo)
{
    if (search != m_search)
        return;
    m_searchShown = search;
    m_words = words;
    m_model->setShown(std::move(found));
    // The quotes read while the search went on.
    m_taken = upTo;
    takeBatches();
    showStatus();
}

void frmFindQuotes::chooseShownQuote()
{
    const int row = m_shownId < 0 ? -1 : m_model->rowOf(m_shownId);
    if (row < 0) {
        m_shownId = -1;
        showQuote({}, QString());
        return;
    }
    const QModelIndex at = m_model->index(row, 0);
    ui->tblQuotes->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void frmFindQuotes::tblQuotes_RowChange() { showChosenQuote(); }

void frmFindQuotes::tblQuotes_Activate()
{
    // Enter or a double click reads the quote again, as the editor may have
    // changed it.
    m_shownId = -1;
    showChosenQuote();
}

void frmFindQuotes::showChosenQuote()
{
    const QModelIndex current = ui->tblQuotes->selectionModel()->currentIndex();
    if (!current.isValid())
        return;
    const int id = m_model->idAt(current.row());
    if (id == m_shownId)
        return;
    m_shownId = id;
    const SavedQuote quote = savedQuoteOf(m_index.quote(id)->file);
    const std::optional<QString> text = m_quote.read(quote);
    showQuote(text ? quote : SavedQuote(), text.value_or(QString()));
}

void frmFindQuotes::showQuote(const SavedQuote &quote, const QString &text)
{
    m_shown = quote;
    m_shownText = text;
    setMultiLineText(ui->txtQuote, text);
}

void frmFindQuotes::cmdPrint_Click() { m_quote.print(m_shown, m_shownText); }

void frmFindQuotes::cmdPrintPreview_Click() { m_quote.preview(m_shown, m_shownText); }

void frmFindQuotes::cmdExportPdf_Click() { m_quote.exportPdf(m_shown, m_shownText); }

void frmFindQuotes::cmdEdit_Click() { m_quote.edit(m_shown); }

void frmFindQuotes::cmdExportCsv_Click()
{
    PageOutput &pages = m_platform.pages;
    const QString proposed = QDir(pages.documentsFolder())
                                 .filePath(QStringLiteral("Quotes ")
                                           + m_platform.clock.today().toString(Qt::ISODate)
                                           + QStringLiteral(".csv"));
    const QString path = pages.askSavePath(this, QStringLiteral("Export as CSV"), proposed,
                                           QStringLiteral("CSV files (*.csv)"),
                                           QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    QString why;
    if (!pages.saveDocument(
            path, quotesCsv(m_model->shown(), m_index, m_platform.locale.decimalPoint()), &why)) {
        m_platform.messages.warn(this, QStringLiteral("Quotes not exported"),
                                 QStringLiteral("The quotes could not be saved as ") + shown
                                     + QStringLiteral(": ") + why + QStringLiteral(" !"));
        return;
    }
    m_platform.messages.inform(this, QStringLiteral("Quotes exported"),
                               QStringLiteral("The quotes have been saved as ") + shown);
}

void frmFindQuotes::cmdStop_Click()
{
    // The tasks still waiting end at once; those under way with the quote
    // they are reading, and what they read is shown.
    m_stop->store(true);
    ui->cmdStop->setEnabled(false);
}

void frmFindQuotes::cmdClose_Click() { close(); }

void frmFindQuotes::keyPressEvent(QKeyEvent *event)
{
    // Escape stops the reading first; once it has ended, it closes.
    if (event->key() == Qt::Key_Escape && m_reading && event->modifiers() == Qt::NoModifier) {
        cmdStop_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmFindQuotes::closeEvent(QCloseEvent *event)
{
    stopWorkers();
    QDialog::closeEvent(event);
}
