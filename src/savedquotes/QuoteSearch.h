#pragma once

#include "quote/QuoteFields.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

class FileSystem;

// Finding saved quotes by anything written in them, at the scale of years of
// quotes: each quote is read once, its fields taken from its layout, and its
// name and text kept only in a folded form (lower case, without accents,
// UTF-8), which is all a search needs. The folded lines are kept once for
// each batch of quotes read together: the page header and footer and the
// labels that every quote repeats are stored and searched once a batch, so
// a hundred thousand quotes take a fraction of their size in memory and a
// search reads little more than what sets the quotes apart. The text a user
// reads is read again from the file when shown.

// The folded form of a text: each character decomposed as Unicode's
// compatibility decomposition does, its accents and other combining marks
// dropped, the rest in lower case ("Müller" and "MULLER" both give
// "muller", "ß" gives "ss", a no-break space a space).
QByteArray foldedText(QStringView text);

// The words of a query, folded: every one must occur in a quote found.
QList<QByteArray> searchWords(QStringView query);

// Whether the words of a narrower query can only drop quotes from what the
// wider one found: each wider word lies within a narrower one.
bool narrows(const QList<QByteArray> &narrower, const QList<QByteArray> &wider);

struct FoundQuote {
    QString file; // its name in the quotes folder, the ending as the folder holds it
    QString name() const { return file.chopped(4); }
    QuoteFields fields;
    qint64 saved = -1; // the file's modification time (ms since 1970); -1 when unknown
    // The amounts and the mid count as numbers, for sorting; NaN when absent.
    double monthly, mids, upfront, final;
    // The folded name and the lines of the text: lineCount numbers of the
    // batch's lines from firstLine on in the batch's list of them.
    quint32 firstLine = 0, lineCount = 0;
};

// The quotes read by one task: those from first on in the folder's order,
// with the folded lines of their names and texts, each line once.
struct QuoteBatch {
    int first = 0;
    std::vector<FoundQuote> quotes;
    QByteArray lines; // every different line, one after another
    std::vector<quint32> lineStarts; // where each starts in lines, and the end
    std::vector<quint32> quoteLines; // the numbers of each quote's lines in turn
};

// Whether quotes of one batch hold every word of a search: a line is
// searched for a word once at most, however many quotes share it.
class BatchMatcher {
public:
    BatchMatcher(const QuoteBatch &batch, const QList<QByteArray> &words);
    bool matches(const FoundQuote &quote);

private:
    const QuoteBatch &m_batch;
    const QList<QByteArray> &m_words;
    std::vector<quint8> m_known; // for each line and word: 0 not yet known, 1 no, 2 yes
};

// Reads the quotes of fileNames[first] to fileNames[first + count - 1] (as
// listSavedQuotes gives them, in the quotes folder): modification
// time, fields and folded lines. A file that cannot be read gives a
// quote with its name alone. Amounts whose file does not tell its decimal
// point are read with the one given (the user's). Stops before the next
// file once stop is set, with the quotes read so far.
std::shared_ptr<const QuoteBatch> readQuoteBatch(const FileSystem &files,
                                                 const QStringList &fileNames, int first, int count,
                                                 QChar decimalPoint, const std::atomic_bool &stop);

// The quotes read so far, in batches that never change once read, so that
// a search can go through them on another thread while more arrive. A quote
// is known by its place in the folder's own order, which is the order they
// are read in; the saved quotes order, worked out while they are read,
// comes later.
class QuoteIndex {
public:
    // Batches of 1, 2, 4 ... quotes and then of a few hundred: the first
    // quotes show at once, and the rest go in tasks of a useful size.
    void reset(int total);
    int total() const { return m_total; }
    int batchCount() const { return int(m_starts.size()); }
    int batchStart(int batch) const { return m_starts[size_t(batch)]; }
    int batchSize(int batch) const;

    // Takes a batch in; the result is its number.
    int add(std::shared_ptr<const QuoteBatch> batch);
    // A copy that holds the batches given and no others.
    QuoteIndex with(const std::vector<int> &batches) const;
    const QuoteBatch *batch(int batch) const { return m_batches[size_t(batch)].get(); }
    const QuoteBatch *batchOf(int id) const;
    const FoundQuote *quote(int id) const;

    // The saved quotes order, as the places in the folder's order.
    void setOrder(const std::vector<int> &order);
    bool isOrdered() const { return m_rank != nullptr; }
    int rank(int id) const { return (*m_rank)[size_t(id)]; }

    // The quotes that hold every word: among candidates (in their order), or
    // among all the quotes the index holds (in the saved quotes order once
    // it is known). A quote of a batch the index does not hold, or one whose
    // reading was stopped before it, is not there to be found. Gives up,
    // with what it has, once cancel is set.
    std::vector<int> find(const QList<QByteArray> &words, const std::vector<int> *candidates,
                          const std::atomic_bool &cancel) const;

private:
    int m_total = 0;
    std::vector<int> m_starts;
    std::vector<std::shared_ptr<const QuoteBatch>> m_batches;
    std::shared_ptr<const std::vector<int>> m_rank;
};

// The columns of the quotes found, in their order on screen.
enum class QuoteColumn { Name, Date, Customer, Monthly, Mids, Upfront, Final, Saved };

// Sorts quotes of an ordered index by a column; quotes alike in it keep the
// saved quotes order, and a quote without the field comes first in
// ascending order. By name the order is the saved quotes order itself.
void sortQuotes(std::vector<int> &ids, const QuoteIndex &index, QuoteColumn column,
                Qt::SortOrder order);
// Adds quotes to ones sorted so, each where the sort puts it.
void mergeQuotes(std::vector<int> &ids, const std::vector<int> &added, const QuoteIndex &index,
                 QuoteColumn column, Qt::SortOrder order);

// The quotes as a spreadsheet takes them: a CSV file (RFC 4180: UTF-8, a
// header row, fields separated by commas and quoted where they hold a comma,
// a double quote or a line break, lines ended by CR LF) of the columns on
// screen, one row a quote in the order given. Amounts and mid counts are
// plain numbers with a decimal point, read with the quote's own decimal
// point or else the one given; dates are yyyy-mm-dd, and the time saved
// yyyy-mm-dd hh:mm:ss in local time.
QByteArray quotesCsv(const std::vector<int> &ids, const QuoteIndex &index, QChar decimalPoint);
