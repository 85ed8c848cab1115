#include "savedquotes/QuoteSearch.h"

#include "platform/FileSystem.h"
#include "store/Paths.h"
#include "store/TextCodec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUOTARO_SSE2 1
#endif

namespace {

// The folded form of one character given as a code point.
void foldCodePoint(char32_t code, QByteArray &out)
{
    const QString decomposed = QString::fromUcs4(&code, 1).normalized(
        QString::NormalizationForm_KD);
    for (const char32_t c : decomposed.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        const char32_t folded = QChar::toCaseFolded(c);
        if (folded == U'\u00DF') {
            out += "ss";
        } else {
            out += QString::fromUcs4(&folded, 1).toUtf8();
        }
    }
}

// The folded form of every character of the Basic Multilingual Plane,
// worked out once: decomposing costs far more than a look-up, and a
// hundred thousand quotes hold a hundred million characters.
class FoldTable {
public:
    FoldTable()
    {
        m_start.resize(0x10001);
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            m_start[c] = quint32(m_data.size());
            if (c >= 0xD800 && c <= 0xDFFF)
                m_data += "\xEF\xBF\xBD"; // a lone surrogate: a name's stray byte
            else
                foldCodePoint(c, m_data);
        }
        m_start[0x10000] = quint32(m_data.size());
    }
    QByteArrayView of(char16_t c) const
    {
        return QByteArrayView(m_data.constData() + m_start[c], m_start[c + 1] - m_start[c]);
    }

private:
    std::vector<quint32> m_start;
    QByteArray m_data;
};

const FoldTable &foldTable()
{
    static const FoldTable table;
    return table;
}

void appendFolded(QStringView text, QByteArray &out)
{
    const FoldTable &table = foldTable();
    const qsizetype n = text.size();
    const char16_t *s = text.utf16();
    // Room for a text all of ASCII, which folds to as many bytes; a
    // character that folds to more makes room for itself.
    qsizetype at = out.size();
    out.resize(at + n);
    char *to = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            to[at++] = char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            continue;
        }
        QByteArray astral;
        QByteArrayView folded;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            foldCodePoint(QChar::surrogateToUcs4(c, s[i + 1]), astral);
            folded = astral;
            ++i;
        } else {
            folded = table.of(c);
        }
        const qsizetype room = out.size() - at - (n - i - 1);
        if (folded.size() > room) {
            out.resize(out.size() + folded.size() - room);
            to = out.data();
        }
        std::memcpy(to + at, folded.data(), size_t(folded.size()));
        at += folded.size();
    }
    out.resize(at);
}

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether the text holds the word. Sixteen places are tried at once for the
// word's first and last bytes, and only where both agree is the rest
// compared: fast whatever letters the word is made of.
bool contains(const char *text, qsizetype size, const QByteArray &word)
{
    const qsizetype m = word.size();
    const char *w = word.constData();
    if (m > size)
        return false;
    if (m == 1)
        return std::memchr(text, w[0], size_t(size)) != nullptr;
    qsizetype i = 0;
#ifdef QUOTARO_SSE2
    const __m128i first = _mm_set1_epi8(w[0]);
    const __m128i last = _mm_set1_epi8(w[m - 1]);
    for (; i + 16 + m - 1 <= size; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i + m - 1));
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (mask) {
            const int bit = __builtin_ctz(mask);
            if (std::memcmp(text + i + bit + 1, w + 1, size_t(m - 2)) == 0)
                return true;
            mask &= mask - 1;
        }
    }
#endif
    for (; i + m <= size; ++i)
        if (text[i] == w[0] && std::memcmp(text + i, w, size_t(m)) == 0)
            return true;
    return false;
}

double numberOf(const QString &written, QChar decimalPoint)
{
    const QString plain = plainNumber(written, decimalPoint);
    return plain.isEmpty() ? std::numeric_limits<double>::quiet_NaN() : plain.toDouble();
}

} // namespace

QByteArray foldedText(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    appendFolded(text, out);
    return out;
}

QList<QByteArray> searchWords(QStringView query)
{
    const QByteArray folded = foldedText(query);
    QList<QByteArray> words;
    for (qsizetype i = 0; i < folded.size();) {
        while (i < folded.size() && isBlank(folded[i]))
            ++i;
        const qsizetype start = i;
        while (i < folded.size() && !isBlank(folded[i]))
            ++i;
        if (i > start)
            words.append(folded.mid(start, i - start));
    }
    // The longest first: it rules most quotes out soonest.
    std::stable_sort(words.begin(), words.end(),
                     [](const QByteArray &a, const QByteArray &b) { return a.size() > b.size(); });
    return words;
}

bool narrows(const QList<QByteArray> &narrower, const QList<QByteArray> &wider)
{
    return std::all_of(wider.begin(), wider.end(), [&](const QByteArray &w) {
        return std::any_of(narrower.begin(), narrower.end(),
                           [&](const QByteArray &n) { return n.contains(w); });
    });
}

BatchMatcher::BatchMatcher(const QuoteBatch &batch, const QList<QByteArray> &words)
    : m_batch(batch), m_words(words),
      m_known((batch.lineStarts.empty() ? 0 : batch.lineStarts.size() - 1) * size_t(words.size()))
{
}

bool BatchMatcher::matches(const FoundQuote &quote)
{
    const quint32 *lines = m_batch.quoteLines.data() + quote.firstLine;
    for (qsizetype w = 0; w < m_words.size(); ++w) {
        bool found = false;
        for (quint32 i = 0; i < quote.lineCount && !found; ++i) {
            quint8 &known = m_known[size_t(lines[i]) * size_t(m_words.size()) + size_t(w)];
            if (known == 0) {
                const quint32 start = m_batch.lineStarts[lines[i]];
                known = contains(m_batch.lines.constData() + start,
                                 m_batch.lineStarts[lines[i] + 1] - start, m_words[w])
                    ? 2
                    : 1;
            }
            found = known == 2;
        }
        if (!found)
            return false;
    }
    return true;
}

std::shared_ptr<const QuoteBatch> readQuoteBatch(const FileSystem &files,
                                                 const QStringList &fileNames, int first, int count,
                                                 QChar decimalPoint, const std::atomic_bool &stop)
{
    auto batch = std::make_shared<QuoteBatch>();
    batch->first = first;
    batch->quotes.reserve(size_t(count));
    // Every quote's folded name and text first; then their lines, each
    // different one once.
    QByteArray folded;
    std::vector<std::pair<qsizetype, qsizetype>> textRanges;
    for (int i = first; i < first + count && !stop.load(std::memory_order_relaxed); ++i) {
        FoundQuote &quote = batch->quotes.emplace_back();
        quote.file = fileNames.at(i);
        QDateTime saved;
        const std::optional<QByteArray> bytes = files.readFile(
            Paths::quotesFolder() + QLatin1Char('\\') + quote.file, &saved);
        if (bytes)
            quote.saved = saved.toMSecsSinceEpoch();
        const QString text = bytes ? TextCodec::decode(*bytes) : QString();
        quote.fields = readQuoteFields(text);
        const QChar point = quote.fields.decimalPoint.isNull() ? decimalPoint
                                                               : quote.fields.decimalPoint;
        quote.monthly = numberOf(quote.fields.monthly, point);
        quote.mids = numberOf(quote.fields.mids, point);
        quote.upfront = numberOf(quote.fields.upfront, point);
        quote.final = numberOf(quote.fields.final, point);
        textRanges.push_back({folded.size(), 0});
        appendFolded(quote.name(), folded);
        folded += '\n';
        appendFolded(text, folded);
        textRanges.back().second = folded.size();
    }
    // The lines of every quote, each different one kept once.
    std::unordered_map<std::string_view, quint32> numbers;
    for (size_t q = 0; q < batch->quotes.size(); ++q) {
        FoundQuote &quote = batch->quotes[q];
        const auto [from, to] = textRanges[q];
        quote.firstLine = quint32(batch->quoteLines.size());
        for (qsizetype start = from; start < to;) {
            qsizetype end = folded.indexOf('\n', start);
            if (end < 0 || end > to)
                end = to;
            const std::string_view line(folded.constData() + start, size_t(end - start));
            const auto [at, added] = numbers.try_emplace(line, quint32(numbers.size()));
            if (added) {
                batch->lineStarts.push_back(quint32(batch->lines.size()));
                batch->lines.append(line.data(), qsizetype(line.size()));
            }
            batch->quoteLines.push_back(at->second);
            start = end + 1;
        }
        quote.lineCount = quint32(batch->quoteLines.size()) - quote.firstLine;
    }
    batch->lineStarts.push_back(quint32(batch->lines.size()));
    batch->lines.squeeze();
    batch->quoteLines.shrink_to_fit();
    return batch;
}

void QuoteIndex::reset(int total)
{
    m_total = total;
    m_starts.clear();
    for (int start = 0, size = 1; start < total; start += size, size = std::min(size * 2, 256))
        m_starts.push_back(start);
    m_batches.assign(m_starts.size(), nullptr);
    m_rank.reset();
}

int QuoteIndex::batchSize(int batch) const
{
    return (size_t(batch) + 1 < m_starts.size() ? m_starts[size_t(batch) + 1] : m_total)
        - m_starts[size_t(batch)];
}

int QuoteIndex::add(std::shared_ptr<const QuoteBatch> batch)
{
    const auto at = std::upper_bound(m_starts.begin(), m_starts.end(), batch->first) - 1;
    const int number = int(at - m_starts.begin());
    m_batches[size_t(number)] = std::move(batch);
    return number;
}

QuoteIndex QuoteIndex::with(const std::vector<int> &batches) const
{
    QuoteIndex copy;
    copy.m_total = m_total;
    copy.m_starts = m_starts;
    copy.m_batches.resize(m_batches.size());
    for (const int b : batches)
        copy.m_batches[size_t(b)] = m_batches[size_t(b)];
    copy.m_rank = m_rank;
    return copy;
}

const QuoteBatch *QuoteIndex::batchOf(int id) const
{
    const auto at = std::upper_bound(m_starts.begin(), m_starts.end(), id) - 1;
    return m_batches[size_t(at - m_starts.begin())].get();
}

const FoundQuote *QuoteIndex::quote(int id) const
{
    const QuoteBatch *batch = batchOf(id);
    if (!batch || id - batch->first >= int(batch->quotes.size()))
        return nullptr;
    return &batch->quotes[size_t(id - batch->first)];
}

void QuoteIndex::setOrder(const std::vector<int> &order)
{
    auto rank = std::make_shared<std::vector<int>>(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        (*rank)[size_t(order[i])] = int(i);
    m_rank = std::move(rank);
}

std::vector<int> QuoteIndex::find(const QList<QByteArray> &words,
                                  const std::vector<int> *candidates,
                                  const std::atomic_bool &cancel) const
{
    // The quotes are gone through batch by batch, where each one's lines lie
    // together, and each found one put at its place in the result: its
    // candidate's, or its place in the saved quotes order.
    std::vector<int> place(size_t(m_total), -1);
    if (candidates) {
        for (size_t i = 0; i < candidates->size(); ++i)
            place[size_t((*candidates)[i])] = int(i);
    } else {
        for (int id = 0; id < m_total; ++id)
            place[size_t(id)] = m_rank ? rank(id) : id;
    }
    std::vector<int> placed(candidates ? candidates->size() : size_t(m_total), -1);
    for (size_t b = 0; b < m_batches.size() && !cancel.load(std::memory_order_relaxed); ++b) {
        const QuoteBatch *batch = m_batches[b].get();
        if (!batch)
            continue;
        BatchMatcher matcher(*batch, words);
        for (size_t i = 0; i < batch->quotes.size(); ++i) {
            const int at = place[size_t(batch->first) + i];
            if (at >= 0 && matcher.matches(batch->quotes[i]))
                placed[size_t(at)] = batch->first + int(i);
        }
    }
    std::vector<int> found;
    for (const int id : placed)
        if (id >= 0)
            found.push_back(id);
    return found;
}

namespace {

// A quote's key in a column side by side with the quote, so that sorting
// reads no quote: a number (the place in the saved quotes order for the
// name) or the customer's text.
struct Keyed {
    double number;
    const QString *text;
    int rank, id;
};

std::vector<Keyed> keyedOf(const std::vector<int> &ids, const QuoteIndex &index, QuoteColumn column)
{
    std::vector<Keyed> keyed;
    keyed.reserve(ids.size());
    const double none = -std::numeric_limits<double>::infinity();
    for (const int id : ids) {
        const int rank = index.rank(id);
        // By name the place in the order is all: the quote is not looked up.
        if (column == QuoteColumn::Name) {
            keyed.push_back({double(rank), nullptr, rank, id});
            continue;
        }
        const FoundQuote &q = *index.quote(id);
        double number = none;
        switch (column) {
        case QuoteColumn::Name: break;
        case QuoteColumn::Date:
            number = q.fields.date.isValid() ? double(q.fields.date.toJulianDay()) : none;
            break;
        case QuoteColumn::Customer: break;
        case QuoteColumn::Monthly: number = q.monthly; break;
        case QuoteColumn::Mids: number = q.mids; break;
        case QuoteColumn::Upfront: number = q.upfront; break;
        case QuoteColumn::Final: number = q.final; break;
        case QuoteColumn::Saved: number = q.saved < 0 ? none : double(q.saved); break;
        }
        keyed.push_back({std::isnan(number) ? none : number, &q.fields.customer, rank, id});
    }
    return keyed;
}

auto orderOf(QuoteColumn column, Qt::SortOrder order)
{
    const bool ascending = order == Qt::AscendingOrder;
    const bool byText = column == QuoteColumn::Customer;
    return [ascending, byText](const Keyed &a, const Keyed &b) {
        const int c = byText ? QString::compare(*a.text, *b.text, Qt::CaseInsensitive)
                             : (a.number < b.number       ? -1
                                    : a.number > b.number ? 1
                                                          : 0);
        if (c != 0)
            return ascending ? c < 0 : c > 0;
        return a.rank < b.rank;
    };
}

} // namespace

void sortQuotes(std::vector<int> &ids, const QuoteIndex &index, QuoteColumn column,
                Qt::SortOrder order)
{
    std::vector<Keyed> keyed = keyedOf(ids, index, column);
    std::sort(keyed.begin(), keyed.end(), orderOf(column, order));
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = keyed[i].id;
}

void mergeQuotes(std::vector<int> &ids, const std::vector<int> &added, const QuoteIndex &index,
                 QuoteColumn column, Qt::SortOrder order)
{
    const auto less = orderOf(column, order);
    const std::vector<Keyed> were = keyedOf(ids, index, column);
    std::vector<Keyed> more = keyedOf(added, index, column);
    std::sort(more.begin(), more.end(), less);
    std::vector<Keyed> merged(were.size() + more.size());
    std::merge(were.begin(), were.end(), more.begin(), more.end(), merged.begin(), less);
    ids.resize(merged.size());
    for (size_t i = 0; i < merged.size(); ++i)
        ids[i] = merged[i].id;
}

namespace {
QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r')
        && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}
} // namespace

QByteArray quotesCsv(const std::vector<int> &ids, const QuoteIndex &index, QChar decimalPoint)
{
    QString csv = QStringLiteral(
        "Name,Date,Customer,Monthly rental,Mids,Upfront rental,Final rental,Saved\r\n");
    for (const int id : ids) {
        const FoundQuote &q = *index.quote(id);
        const QChar point = q.fields.decimalPoint.isNull() ? decimalPoint : q.fields.decimalPoint;
        const QStringList row{
            csvField(q.name()),
            q.fields.date.toString(QStringLiteral("yyyy-MM-dd")),
            csvField(q.fields.customer),
            plainNumber(q.fields.monthly, point),
            plainNumber(q.fields.mids, point),
            plainNumber(q.fields.upfront, point),
            plainNumber(q.fields.final, point),
            q.saved < 0 ? QString()
                        : QDateTime::fromMSecsSinceEpoch(q.saved).toString(
                            QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        };
        csv += row.join(u',') + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}
