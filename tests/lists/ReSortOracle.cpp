#include "ReSortOracle.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// From character c on, to the nearest whole number, halves to even.
double wholeFrom(const QString &text, qsizetype c)
{
    const double value = OracleLeadingNumber(QStringView(text).mid(c));
    const double below = std::floor(value), rest = value - below;
    return rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0) ? below + 1 : below;
}

using Order = std::vector<int>; // the list as the items' places before the re-sort

// Behind the last smaller item of p's unbroken group (whole numbers), or -1.
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

} // namespace

// Blanks dropped first; a radix form, or sign, digits, a point, an exponent.
double OracleLeadingNumber(QStringView text)
{
    static const QRegularExpression form(QStringLiteral(
        "^(?:&H([0-9A-F]*)|&O([0-7]*)|([+-]?[0-9]*\\.?[0-9]*)(?:[ED]([+-]?[0-9]+))?)"));
    const QRegularExpressionMatch m = form.match(
        text.toString().remove(u' ').remove(u'\t').remove(u'\n').toUpper());
    if (m.hasCaptured(1) || m.hasCaptured(2)) {
        const int base = m.hasCaptured(1) ? 16 : 8;
        const QString digits = m.captured(1) + m.captured(2);
        double value = 0;
        for (qsizetype n = 0; n < digits.size() && value <= 4294967295.0; ++n)
            value = value * base + QStringLiteral("0123456789ABCDEF").indexOf(digits[n]);
        if (value >= 32768 && value <= 65535 && digits.size() <= (base == 16 ? 4 : 6))
            return value - 65536; // the 16-bit form of a negative number
        return value >= 2147483648.0 && value <= 4294967295.0 ? value - 4294967296.0 : value;
    }
    if (std::ranges::none_of(m.captured(3), [](QChar c) { return c.isDigit(); }))
        return 0;
    const QString exponent = m.hasCaptured(4) ? u'E' + m.captured(4) : QString();
    return std::strtod(qPrintable(m.captured(3) + exponent), nullptr);
}

void ReSortOracle(QVector<ListItem> &items)
{
    const QVector<ListItem> given = items;
    Order order(given.size());
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype p = 0; p < qsizetype(order.size()); ++p) {
        // An arrangement from p on that comes back would come back for ever
        // (each is compared with one kept at the 1st, 2nd, 4th... move). The
        // circle ends at its arrangement closest to the former order.
        Order kept(order.begin() + p, order.end());
        for (qsizetype moves = 1, target; (target = targetOf(given, order, p)) >= 0; ++moves) {
            std::rotate(order.begin() + p, order.begin() + p + 1, order.begin() + target + 1);
            if (std::equal(kept.begin(), kept.end(), order.begin() + p)) {
                Order closest = kept;
                do {
                    const qsizetype next = targetOf(given, order, p);
                    std::rotate(order.begin() + p, order.begin() + p + 1, order.begin() + next + 1);
                    closest = std::min(closest, Order(order.begin() + p, order.end()));
                } while (!std::equal(kept.begin(), kept.end(), order.begin() + p));
                std::ranges::copy(closest, order.begin() + p);
                break;
            }
            if ((moves & (moves - 1)) == 0)
                kept.assign(order.begin() + p, order.end());
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = given[order[i]];
}
