#include "ReSortOracle.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <QRegularExpression>
#include <vector>

namespace {

// Nearest whole number, a half going to the even neighbour (2.5 gives 2).
double wholeNumber(double value)
{
    const double below = std::floor(value), rest = value - below;
    return rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0) ? below + 1 : below;
}

struct Key {
    double key;
    qsizetype position;
};

std::optional<Key> keyOf(const QString &text)
{
    for (qsizetype c = 0; c < text.size(); ++c) {
        const double whole = wholeNumber(OracleLeadingNumber(QStringView(text).mid(c)));
        if (whole > 0)
            return Key{whole, c};
    }
    return std::nullopt;
}

} // namespace

// Taken literally: the blanks go first wherever they stand, then the text
// is read as a radix form, or as sign, digits with one point and an
// exponent whose digits make it count.
double OracleLeadingNumber(QStringView text)
{
    QString s;
    for (const QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c;
    const QString upper = s.toUpper();
    if (upper.startsWith(u"&H") || upper.startsWith(u"&O")) {
        const QString digits = upper[1] == u'H' ? QStringLiteral("0123456789ABCDEF")
                                                : QStringLiteral("01234567");
        double value = 0;
        qsizetype n = 2;
        for (; n < upper.size() && digits.contains(upper[n]) && value <= 4294967295.0; ++n)
            value = value * double(digits.size()) + double(digits.indexOf(upper[n]));
        if (value >= 32768 && value <= 65535 && n - 2 <= (upper[1] == u'H' ? 4 : 6))
            return value - 65536; // the 16-bit form of a negative number
        return value >= 2147483648.0 && value <= 4294967295.0 ? value - 4294967296.0 : value;
    }
    static const QRegularExpression number(
        QStringLiteral("^([+-]?)([0-9]*\\.?[0-9]*)(?:[ED]([+-]?[0-9]+))?"));
    const QRegularExpressionMatch m = number.match(upper);
    if (!m.captured(2).contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return 0;
    QString literal = m.captured(1) + m.captured(2);
    if (m.hasCaptured(3))
        literal += u'e' + m.captured(3);
    return std::strtod(literal.toLatin1().constData(), nullptr);
}

void ReSortOracle(QVector<ListItem> &items)
{
    // Where each item stood before the re-sort, moved along with it: the
    // arrangements of a pass that goes round in circles are told apart by it.
    std::vector<int> origin(items.size());
    for (qsizetype i = 0; i < items.size(); ++i)
        origin[i] = int(i);

    const qsizetype last = items.size() - 1;
    qsizetype movesHere = 0;
    std::map<std::vector<int>, qsizetype> seen; // arrangement after p -> when first seen
    std::vector<std::vector<int>> history;
    for (qsizetype p = 0; p <= last; ++p) {
        const std::optional<Key> key = keyOf(items[p].text);
        if (!key) {
            movesHere = 0;
            continue;
        }
        const QStringView prefix = QStringView(items[p].text).left(key->position);
        qsizetype target = -1;
        for (qsizetype q = p + 1; q < items.size(); ++q) {
            const QString &other = items[q].text;
            const bool member = prefix.isEmpty() ? OracleLeadingNumber(other) > 0
                                                 : other.startsWith(prefix);
            if (!member)
                break;
            if (wholeNumber(OracleLeadingNumber(QStringView(other).mid(key->position))) < key->key)
                target = q;
        }
        if (target >= 0 && movesHere > last - p) {
            // More moves at one place than there are items after it: watch for
            // an arrangement coming back, which means the steps would go on
            // for ever. They end at the arrangement of the circle that keeps
            // the items closest to their former order, its first item staying.
            std::vector<int> state(origin.begin() + p, origin.end());
            const auto found = seen.find(state);
            if (found != seen.end()) {
                std::vector<int> best = state;
                for (qsizetype h = found->second; h < qsizetype(history.size()); ++h)
                    best = std::min(best, history[h]);
                const QVector<ListItem> before = items;
                for (qsizetype i = 0; i < qsizetype(best.size()); ++i) {
                    const qsizetype from = std::find(origin.begin() + p, origin.end(), best[i])
                        - origin.begin();
                    items[p + i] = before[from];
                }
                std::copy(best.begin(), best.end(), origin.begin() + p);
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
        const ListItem moved = items[p];
        items.remove(p);
        items.insert(target, moved);
        const int movedOrigin = origin[p];
        origin.erase(origin.begin() + p);
        origin.insert(origin.begin() + target, movedOrigin);
        ++movesHere;
        --p;
    }
}
