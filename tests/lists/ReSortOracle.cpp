#include "ReSortOracle.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Nearest whole number, a half going to the even neighbour (2.5 gives 2).
double wholeNumber(double value)
{
    const double below = std::floor(value), rest = value - below;
    return rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0) ? below + 1 : below;
}

double wholeFrom(const QString &text, qsizetype c)
{
    return wholeNumber(OracleLeadingNumber(QStringView(text).mid(c)));
}

using Order = std::vector<int>; // the list as the items' places before the re-sort

// Where the steps move item p: behind the last item of its unbroken group
// whose number is below p's key; -1 when it stays. Both sides are whole
// numbers, so 1.6 and 1.7 (both 2) never change places.
qsizetype targetOf(const QVector<ListItem> &given, const Order &order, qsizetype p)
{
    const QString &text = given[order[p]].text;
    qsizetype c = 0;
    while (c < text.size() && wholeFrom(text, c) <= 0)
        ++c;
    if (c == text.size())
        return -1; // no key
    const QString prefix = text.left(c);
    const double key = wholeFrom(text, c);
    qsizetype target = -1;
    for (qsizetype q = p + 1; q < qsizetype(order.size()); ++q) {
        const QString &other = given[order[q]].text;
        if (prefix.isEmpty() ? OracleLeadingNumber(other) <= 0 : !other.startsWith(prefix))
            break;
        if (wholeFrom(other, c) < key)
            target = q;
    }
    return target;
}

void move(Order &order, qsizetype p, qsizetype target)
{
    std::rotate(order.begin() + p, order.begin() + p + 1, order.begin() + target + 1);
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
    if (std::ranges::none_of(m.captured(2), [](QChar c) { return c.isDigit(); }))
        return 0;
    QString literal = m.captured(1) + m.captured(2);
    if (m.hasCaptured(3))
        literal += u'e' + m.captured(3);
    return std::strtod(literal.toLatin1().constData(), nullptr);
}

void ReSortOracle(QVector<ListItem> &items)
{
    const QVector<ListItem> given = items;
    Order order(given.size());
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype p = 0; p < qsizetype(order.size()); ++p) {
        // The moves at one place apply one rule to the arrangement from there
        // on, so an arrangement that comes back would come back for ever.
        // It is watched for by comparing each arrangement with one kept at
        // the 1st, 2nd, 4th, 8th... move; once seen again, the circle is
        // gone round once more and ends at its arrangement closest to the
        // former order: the one whose items, read from the place on, stood
        // earliest before the re-sort.
        Order kept(order.begin() + p, order.end());
        for (qsizetype moves = 1, target; (target = targetOf(given, order, p)) >= 0; ++moves) {
            move(order, p, target);
            if (!std::equal(kept.begin(), kept.end(), order.begin() + p)) {
                if ((moves & (moves - 1)) == 0)
                    kept.assign(order.begin() + p, order.end());
                continue;
            }
            Order closest = kept;
            do {
                move(order, p, targetOf(given, order, p));
                closest = std::min(closest, Order(order.begin() + p, order.end()));
            } while (!std::equal(kept.begin(), kept.end(), order.begin() + p));
            std::copy(closest.begin(), closest.end(), order.begin() + p);
            break;
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = given[order[i]];
}
