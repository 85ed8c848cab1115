#include "lists/NumericReSort.h"
#include "lists/ReSortRun.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// Where the text's first character after blanks stands (its size when none).
qsizetype firstNonBlank(QStringView text, qsizetype from = 0)
{
    while (from < text.size() && isBlank(text.at(from)))
        ++from;
    return from;
}

int digitValue(QChar c, int radix)
{
    const ushort u = c.unicode();
    int v = -1;
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v >= 0 && v < radix ? v : -1;
}

// Hexadecimal and octal forms: a value that fills 16 (or 32) bits reads as
// the negative number of that width, as the written form means.
double radixNumber(QStringView text, qsizetype i, int radix)
{
    quint64 value = 0;
    int digits = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isBlank(c))
            continue;
        const int d = digitValue(c, radix);
        if (d < 0)
            break;
        value = value * radix + d;
        ++digits;
        if (value > 0xFFFFFFFFull)
            return double(value);
    }
    if (value <= 0xFFFF && value >= 0x8000 && (radix == 16 ? digits <= 4 : digits <= 6))
        return double(qint64(value) - 0x10000);
    if (value <= 0xFFFFFFFFull && value >= 0x80000000ull)
        return double(qint64(value) - 0x100000000ll);
    return double(value);
}

} // namespace

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skip = [&] { i = firstNonBlank(text, i); };
    skip();
    if (i < n && text.at(i) == QLatin1Char('&')) {
        // Blanks count for nothing here either: "& H1F" is &H1F.
        qsizetype r = i + 1;
        while (r < n && isBlank(text.at(r)))
            ++r;
        const QChar radix = r < n ? text.at(r).toUpper() : QChar();
        if (radix == QLatin1Char('H'))
            return radixNumber(text, r + 1, 16);
        if (radix == QLatin1Char('O'))
            return radixNumber(text, r + 1, 8);
    }
    QByteArray number;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        number += char(text.at(i).unicode());
        ++i;
    }
    bool point = false;
    bool digits = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (isBlank(c))
            continue;
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            number += char(c.unicode());
            digits = true;
        } else if (c == QLatin1Char('.') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // Exponent: E or D, an optional sign, then digits.
    if (i < n) {
        const QChar e = text.at(i).toUpper();
        if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
            qsizetype j = i + 1;
            while (j < n && isBlank(text.at(j)))
                ++j;
            QByteArray exponent = "e";
            if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-'))) {
                exponent += char(text.at(j).unicode());
                ++j;
            }
            bool expDigits = false;
            for (; j < n; ++j) {
                const QChar c = text.at(j);
                if (isBlank(c))
                    continue;
                if (c.unicode() < '0' || c.unicode() > '9')
                    break;
                exponent += char(c.unicode());
                expDigits = true;
            }
            if (expDigits)
                number += exponent;
        }
    }
    return std::strtod(number.constData(), nullptr);
}

namespace {

// A whole number, halves to the even neighbour. Kept as a double so that
// numbers beyond 32 bits compare without overflow.
double wholeNumber(double value) { return std::nearbyint(value); }

using ReSortRun::Entry;

bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// The leading number, read directly when the text starts (after blanks)
// with plain digits that nothing can continue: by far the usual case.
double quickLeadingNumber(QStringView text)
{
    const qsizetype n = text.size();
    qsizetype i = firstNonBlank(text);
    if (i == n)
        return 0.0;
    if (!isDigit(text.at(i)))
        return (text.at(i).isLetter() || text.at(i) == QLatin1Char('_')) ? 0.0
                                                                         : leadingNumber(text);
    double value = 0;
    int digits = 0;
    for (; i < n && isDigit(text.at(i)); ++i, ++digits)
        value = value * 10 + (text.at(i).unicode() - '0');
    if (digits > 15)
        return leadingNumber(text);
    if (i < n) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (isBlank(c) || u == '.' || u == 'e' || u == 'E' || u == 'd' || u == 'D')
            return leadingNumber(text);
    }
    return value;
}

// The leading number as a whole number (halves to the even neighbour). A
// name with a fraction (Quote 0.4375) is read directly: the fraction only
// decides which way the number rounds, and with no more than fifteen digits
// the number held as a double lies on the same side of the half as the
// written one, so this gives what rounding the number read would give.
double wholeLeadingNumber(QStringView text)
{
    const qsizetype n = text.size();
    qsizetype i = firstNonBlank(text);
    if (i == n)
        return 0.0;
    const QChar first = text.at(i);
    if (!isDigit(first) && first != QLatin1Char('.')) {
        const ushort u = first.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_')
            return 0.0;
        return wholeNumber(leadingNumber(text));
    }
    double value = 0;
    int digits = 0;
    for (; i < n && isDigit(text.at(i)); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > 0)
            ++digits;
    }
    int roundUp = 0; // 1 below the half, 2 at it, 3 above, 0 without a fraction
    if (i < n && text.at(i) == QLatin1Char('.')) {
        for (++i; i < n && isDigit(text.at(i)); ++i, ++digits) {
            const int d = text.at(i).unicode() - '0';
            if (roundUp == 0)
                roundUp = d < 5 ? 1 : d == 5 ? 2 : 3;
            else if (roundUp == 2 && d > 0)
                roundUp = 3;
        }
    }
    if (digits > 15)
        return wholeNumber(leadingNumber(text));
    if (i < n) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (isBlank(c) || u == 'e' || u == 'E' || u == 'd' || u == 'D')
            return wholeNumber(leadingNumber(text));
    }
    if (roundUp == 3 || (roundUp == 2 && std::fmod(value, 2.0) == 1.0))
        return value + 1;
    return value;
}

bool canStartNumber(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == '.' || u == '+' || u == '-' || u == '&';
}

Entry entryOf(QStringView itemText)
{
    Entry e{itemText};
    const QStringView text = e.text;
    e.leading = quickLeadingNumber(text);
    for (qsizetype c = 0; c < text.size(); ++c) {
        // Only a digit, a point, a sign or '&' can start a number, or blanks
        // before one; the other characters are passed over without reading.
        if (isBlank(text.at(c))) {
            qsizetype j = c + 1;
            while (j < text.size() && isBlank(text.at(j)))
                ++j;
            if (j == text.size() || !canStartNumber(text.at(j)))
                continue;
        } else if (!canStartNumber(text.at(c))) {
            continue;
        }
        const double whole = c == 0 ? wholeNumber(e.leading) : wholeLeadingNumber(text.mid(c));
        if (whole > 0) {
            e.hasKey = true;
            e.key = whole;
            e.position = c;
            break;
        }
    }
    return e;
}

QStringView prefixOf(const Entry &e) { return e.text.left(e.position); }

// A case-sensitive comparison of the first characters, without the
// general-purpose machinery that also serves other comparisons.
bool beginsWith(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size()
        && std::memcmp(text.utf16(), prefix.utf16(), size_t(prefix.size()) * sizeof(char16_t)) == 0;
}

// Whether an item belongs to the group of items with the given prefix: an
// empty prefix takes every text that starts with a number above 0.
bool belongs(QStringView prefix, const Entry &e)
{
    return prefix.isEmpty() ? e.leading > 0 : beginsWith(e.text, prefix);
}

// The list is ordered as indices into the entries, which never move.
using Indices = std::vector<int>;

// The order in which the steps leave a run of items with the given numbers
// when every item of the run belongs to the group of each item with a number
// above 0 in it and is seen by it with that very number, and an item that
// belongs to none of those groups closes the run (or the list ends). The
// steps then come down to this: items leave the run in order of their
// number; of the items with one number, those that stood before the last
// item with a smaller number each jump over it in turn, so they come out
// reversed, ahead of those that stood after it, which keep their order. So
// 5, 5.0, 3 gives 3, 5.0, 5. Each item moves at most once.
void runOrder(const std::vector<double> &keys, std::vector<std::pair<double, int>> &sorted,
              std::vector<int> &result)
{
    const int n = int(keys.size());
    sorted.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        sorted[size_t(i)] = {keys[size_t(i)], i};
    std::sort(sorted.begin(), sorted.end()); // positions tell equal numbers apart
    result.clear();
    int lastSmaller = -1; // the latest position holding a smaller number
    for (int g = 0; g < n;) {
        int end = g;
        while (end < n && sorted[end].first == sorted[g].first)
            ++end;
        // sorted[g..end) holds one number, by position.
        int split = g;
        while (split < end && sorted[split].second < lastSmaller)
            ++split;
        for (int k = split; k > g;)
            result.push_back(sorted[--k].second);
        for (int k = split; k < end; ++k)
            result.push_back(sorted[k].second);
        lastSmaller = std::max(lastSmaller, sorted[end - 1].second);
        g = end;
    }
}

class Orderer {
public:
    explicit Orderer(const std::vector<Entry> &entries) : m_entries(entries) {}

    // Each item is examined in turn and can only move towards the end, never
    // past an item that does not belong to the group of every item before
    // it; so the list falls into runs that are put in order one by one.
    void orderList(Indices &list)
    {
        const qsizetype n = qsizetype(list.size());
        Indices out;
        out.reserve(n);
        Indices run;
        qsizetype i = 0;
        while (i < n) {
            const Entry &opener = at(list[i]);
            if (!opener.hasKey) {
                // An item without a number stays where it is.
                out.push_back(list[i++]);
                continue;
            }
            const QStringView prefix = prefixOf(opener);
            qsizetype end = i + 1;
            while (end < n && belongs(prefix, at(list[end])))
                ++end;
            run.assign(list.begin() + i, list.begin() + end);
            if (!orderRun(run)) {
                // Prefixes that see each other's numbers: the run closes only
                // at an item that belongs to the group of none of them, and
                // is ordered step by step.
                end = runOfManyPrefixes(list, i);
                run.assign(list.begin() + i, list.begin() + end);
                if (!ReSortRun::orderRun(m_entries, run))
                    stepByStep(run);
            }
            out.insert(out.end(), run.begin(), run.end());
            i = end;
        }
        list = std::move(out);
    }

private:
    const Entry &at(int index) const { return m_entries[size_t(index)]; }

    // A run opened by an item with a number: every item after it that
    // belongs to its group, up to the first one that does not. The items
    // sharing the opener's prefix are ordered among themselves by their
    // numbers. The others (a name without a number, or Acme Holdings 2 after
    // Acme 3: Acme sees the rest of it as 0) count as 0 for them, so they
    // all end up ahead, in their former order, and are then ordered as a
    // list of their own, because the opener's items that follow them belong
    // to none of their groups.
    // Returns false, leaving the run as it was, when the run is not of that
    // kind: an item seen with a number above 0 that is not its own, an item
    // of the opener's prefix that belongs to the group of another, or one
    // that stands among the others.
    bool orderRun(Indices &run)
    {
        const int n = int(run.size());
        const qsizetype position = at(run.front()).position;
        // Scratch space kept from run to run: a list has many short runs.
        std::vector<double> &keys = m_keys;
        keys.assign(size_t(n), 0.0);
        std::vector<QStringView> &otherPrefixes = m_otherPrefixes;
        otherPrefixes.clear();
        int firstOtherWithNumber = -1;
        int lastOther = -1;
        int ownAfterFirstOther = -1; // the first of the opener's items after it
        for (int i = 0; i < n; ++i) {
            const Entry &e = at(run[i]);
            // Every item of the run begins with the opener's prefix, so a
            // number at the same place means the same prefix.
            if (e.hasKey && e.position == position) {
                keys[i] = e.key;
                if (firstOtherWithNumber >= 0 && ownAfterFirstOther < 0)
                    ownAfterFirstOther = i;
                continue;
            }
            lastOther = i;
            if (!e.hasKey)
                continue; // seen as 0 from anywhere
            if (e.position <= position || wholeLeadingNumber(e.text.mid(position)) > 0)
                return false;
            // Every item of the run begins with the opener's prefix, so only
            // what follows it needs comparing.
            const QStringView other = prefixOf(e).mid(position);
            if (otherPrefixes.empty() || otherPrefixes.back() != other)
                otherPrefixes.push_back(other);
            if (firstOtherWithNumber < 0)
                firstOtherWithNumber = i;
        }
        // The opener's items ahead of the first other item with a number
        // jump over all the others before that one is examined; one of the
        // opener's items among the later others would still stand between
        // them then, and cut their groups.
        if (ownAfterFirstOther >= 0 && ownAfterFirstOther < lastOther)
            return false;
        if (!otherPrefixes.empty()) {
            const bool many = otherPrefixes.size() > 8;
            if (many) {
                std::sort(otherPrefixes.begin(), otherPrefixes.end());
                otherPrefixes.erase(std::unique(otherPrefixes.begin(), otherPrefixes.end()),
                                    otherPrefixes.end());
            }
            for (int i = 0; i < n; ++i) {
                if (keys[i] <= 0)
                    continue;
                const QStringView text = at(run[i]).text.mid(position);
                // Sorted, the prefixes that can begin the text lie before the
                // first one greater than it.
                const auto last = many
                    ? std::upper_bound(otherPrefixes.begin(), otherPrefixes.end(), text)
                    : otherPrefixes.end();
                for (auto it = otherPrefixes.begin(); it != last; ++it) {
                    if (beginsWith(text, *it))
                        return false;
                }
            }
        }

        Indices others;
        Indices own;
        runOrder(keys, m_sorted, m_order);
        own.reserve(m_order.size());
        others.reserve(m_order.size());
        for (const int i : m_order)
            (keys[size_t(i)] > 0 ? own : others).push_back(run[size_t(i)]);
        // The scratch space is free again before the others are ordered.
        if (!otherPrefixes.empty())
            orderList(others);
        run = std::move(others);
        run.insert(run.end(), own.begin(), own.end());
        return true;
    }

    qsizetype runOfManyPrefixes(const Indices &list, qsizetype i) const
    {
        QSet<QStringView> prefixes;
        std::vector<qsizetype> lengths; // of the prefixes, each once
        bool emptyPrefix = false;
        auto addPrefix = [&](const Entry &e) {
            if (!e.hasKey)
                return;
            if (e.position == 0) {
                emptyPrefix = true;
            } else if (!prefixes.contains(prefixOf(e))) {
                prefixes.insert(prefixOf(e));
                if (std::find(lengths.begin(), lengths.end(), e.position) == lengths.end())
                    lengths.push_back(e.position);
            }
        };
        // Neighbours mostly begin with the prefix the last one was found by,
        // which is tried before the others are looked up.
        QStringView lastFound;
        auto belongsToAny = [&](const Entry &e) {
            if (emptyPrefix && e.leading > 0)
                return true;
            if (!lastFound.isEmpty() && beginsWith(e.text, lastFound))
                return true;
            for (const qsizetype len : lengths) {
                if (len <= e.text.size() && prefixes.contains(e.text.left(len))) {
                    lastFound = e.text.left(len);
                    return true;
                }
            }
            return false;
        };
        const qsizetype n = qsizetype(list.size());
        qsizetype end = i;
        addPrefix(at(list[end++]));
        while (end < n && belongsToAny(at(list[end])))
            addPrefix(at(list[end++]));
        return end;
    }

    // The steps themselves, for a run whose items carry different prefixes
    // that see each other (Acme 2 before Acme Holdings 1, say). Numbers read
    // at other positions than an item's own are remembered once read.
    void stepByStep(Indices &items)
    {
        const qsizetype count = qsizetype(items.size());
        qsizetype movesHere = 0;
        std::map<Indices, qsizetype> seen;
        std::vector<Indices> history;
        for (qsizetype p = 0; p < count; ++p) {
            const Entry &head = at(items[p]);
            qsizetype target = -1;
            if (head.hasKey) {
                const QStringView prefix = prefixOf(head);
                for (qsizetype q = p + 1; q < count; ++q) {
                    if (!belongs(prefix, at(items[q])))
                        break;
                    if (valueAt(items[q], head.position) < head.key)
                        target = q;
                }
            }
            if (target >= 0 && movesHere > count - 1 - p) {
                // The steps could go round in circles here (0.6 before 0.49:
                // each sees the other as smaller). Once more moves have been
                // made at one place than there are items after it, an
                // arrangement that comes back ends them, at the arrangement
                // of the circle that keeps the items closest to their former
                // order; its first item stays.
                Indices state(items.begin() + p, items.end());
                const auto found = seen.find(state);
                if (found != seen.end()) {
                    Indices best = state;
                    for (qsizetype h = found->second; h < qsizetype(history.size()); ++h)
                        best = std::min(best, history[h]);
                    std::copy(best.begin(), best.end(), items.begin() + p);
                    target = -1;
                } else {
                    seen.emplace(state, qsizetype(history.size()));
                    history.push_back(std::move(state));
                }
            }
            if (target < 0) {
                movesHere = 0;
                seen.clear();
                history.clear();
                continue;
            }
            std::rotate(items.begin() + p, items.begin() + p + 1, items.begin() + target + 1);
            ++movesHere;
            --p;
        }
    }

    double valueAt(int index, qsizetype position)
    {
        const Entry &e = at(index);
        if (e.hasKey && e.position == position)
            return e.key;
        if (position == 0)
            return wholeNumber(e.leading);
        const auto k = std::make_pair(index, position);
        const auto found = m_values.find(k);
        if (found != m_values.end())
            return found->second;
        const double v = wholeLeadingNumber(e.text.mid(position));
        m_values.emplace(k, v);
        return v;
    }

    const std::vector<Entry> &m_entries;
    std::map<std::pair<int, qsizetype>, double> m_values;
    std::vector<double> m_keys;
    std::vector<QStringView> m_otherPrefixes;
    std::vector<std::pair<double, int>> m_sorted;
    std::vector<int> m_order;
};

} // namespace

double ReSortRun::valueAt(const Entry &e, qsizetype position)
{
    if (e.hasKey && e.position == position)
        return e.key;
    if (position == 0)
        return wholeNumber(e.leading);
    return wholeLeadingNumber(e.text.mid(position));
}

void NumericReSort(QVector<ListItem> &items)
{
    const int n = int(items.size());
    const QVector<ListItem> &given = items; // read without taking a copy of shared data
    // The texts side by side in one buffer: the re-sort reads them several
    // times, and a long list's texts, each in a block of its own, would
    // mostly be fetched from memory again each time.
    qsizetype length = 0;
    for (const ListItem &item : given)
        length += item.text.size();
    std::vector<char16_t> texts(static_cast<size_t>(length));
    std::vector<Entry> entries;
    entries.reserve(size_t(n));
    qsizetype at = 0;
    for (const ListItem &item : given) {
        std::copy_n(item.text.utf16(), item.text.size(), texts.data() + at);
        entries.push_back(entryOf(QStringView(texts.data() + at, item.text.size())));
        at += item.text.size();
    }
    // An item's index is also where it stood before the re-sort, which is
    // what tells the arrangements of a circle apart.
    Indices order(entries.size());
    for (int i = 0; i < n; ++i)
        order[size_t(i)] = i;
    Orderer orderer(entries);
    orderer.orderList(order);
    QVector<ListItem> result;
    result.reserve(n);
    for (const int i : order)
        result.append(given[i]);
    items = std::move(result);
}
