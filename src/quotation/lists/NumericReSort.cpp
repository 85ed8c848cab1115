#include "quotation/lists/NumericReSort.h"

#include <cmath>
#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
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
    auto skip = [&] {
        while (i < n && isBlank(text.at(i)))
            ++i;
    };
    skip();
    if (i + 1 < n && text.at(i) == QLatin1Char('&')) {
        const QChar r = text.at(i + 1).toUpper();
        if (r == QLatin1Char('H'))
            return radixNumber(text, i + 2, 16);
        if (r == QLatin1Char('O'))
            return radixNumber(text, i + 2, 8);
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

struct Key {
    double key;
    qsizetype position; // 0-based index where the number starts
};

std::optional<Key> keyOf(const QString &text)
{
    for (qsizetype c = 0; c < text.size(); ++c) {
        const double whole = wholeNumber(leadingNumber(QStringView(text).mid(c)));
        if (whole > 0)
            return Key{whole, c};
    }
    return std::nullopt;
}

} // namespace

void NumericReSort(QVector<ListItem> &items)
{
    const qsizetype last = items.size() - 1;
    for (qsizetype p = 0; p <= last; ++p) {
        const std::optional<Key> key = keyOf(items[p].text);
        if (!key)
            continue;
        const QStringView prefix = QStringView(items[p].text).left(key->position);
        qsizetype target = -1;
        for (qsizetype q = p + 1; q < items.size(); ++q) {
            const QString &other = items[q].text;
            const bool member = prefix.isEmpty() ? leadingNumber(other) > 0
                                                 : other.startsWith(prefix);
            if (!member)
                break;
            // Whole numbers on both sides: two fractions below the same key
            // (1.6 and 1.7 both round to 2) must not change places forever.
            if (wholeNumber(leadingNumber(QStringView(other).mid(key->position))) < key->key)
                target = q;
        }
        if (target < 0)
            continue;
        const ListItem moved = items[p];
        items.remove(p);
        items.insert(target, moved);
        --p;
    }
}
