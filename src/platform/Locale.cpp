#include "platform/Locale.h"

#include <charconv>
#include <cmath>
#include <string>
#include <limits>

Locale::Locale(QLocale locale) : m_locale(std::move(locale)), m_plain(m_locale)
{
    m_plain.setNumberOptions(QLocale::OmitGroupSeparator);
}

std::optional<double> Locale::number(const QString &text) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = m_locale.toDouble(trimmed, &ok);
    // A number beyond the double range (1e400) is still a number: it comes
    // back as an infinity, which toSingle refuses as too large.
    if (!ok && !std::isinf(value))
        return std::nullopt;
    return value;
}

std::optional<float> Locale::toSingle(const QString &text) const
{
    const std::optional<double> value = number(text);
    if (!value)
        return std::nullopt;
    if (std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    // Rounding the text to double first and then to single can miss the
    // nearest single value (16777217.000000001 would become 16777216), so
    // the text, written in the C notation, is converted to single at once.
    std::string plain;
    plain.reserve(size_t(text.size()));
    const QString trimmed = text.trimmed();
    const QString group = m_locale.groupSeparator();
    const QString decimal = m_locale.decimalPoint();
    const QString minus = m_locale.negativeSign();
    const QString plus = m_locale.positiveSign();
    const QString exponent = m_locale.exponential();
    const QChar zero = m_locale.zeroDigit().isEmpty() ? QLatin1Char('0')
                                                      : m_locale.zeroDigit().front();
    for (qsizetype i = 0; i < trimmed.size();) {
        const QStringView rest = QStringView(trimmed).mid(i);
        const QChar c = trimmed.at(i);
        if (!decimal.isEmpty() && rest.startsWith(decimal)) {
            plain += '.';
            i += decimal.size();
        } else if (!group.isEmpty() && rest.startsWith(group)) {
            i += group.size();
        } else if (!minus.isEmpty() && rest.startsWith(minus)) {
            plain += '-';
            i += minus.size();
        } else if (!plus.isEmpty() && rest.startsWith(plus)) {
            plain += '+';
            i += plus.size();
        } else if (!exponent.isEmpty() && rest.startsWith(exponent, Qt::CaseInsensitive)) {
            plain += 'e';
            i += exponent.size();
        } else if (c.unicode() >= zero.unicode() && c.unicode() <= zero.unicode() + 9) {
            plain += char('0' + (c.unicode() - zero.unicode()));
            ++i;
        } else if (c.unicode() < 128) {
            plain += char(c.unicode());
            ++i;
        } else {
            // A form this conversion does not know: keep the locale's value.
            return static_cast<float>(*value);
        }
    }
    // from_chars reads no leading plus sign.
    const char *first = plain.data();
    const char *last = first + plain.size();
    if (first != last && *first == '+')
        ++first;
    float single = 0;
    const std::from_chars_result read = std::from_chars(first, last, single);
    if (read.ptr != last)
        return static_cast<float>(*value);
    if (read.ec == std::errc::result_out_of_range) {
        // Too large was ruled out above; what is left lies below the normal
        // single range, and the locale's value stands in for it.
        return static_cast<float>(*value);
    }
    if (read.ec != std::errc() || !std::isfinite(single))
        return std::nullopt;
    return single;
}

QString Locale::currency(double value) const
{
    return m_locale.toCurrencyString(value, QString(), 2);
}

QString Locale::fixed(double value, int decimals) const
{
    return m_plain.toString(value, 'f', decimals);
}

QString Locale::general(float value) const
{
    QString text = m_plain.toString(double(value), 'g', 7);
    // Exponents are written the way a user reads them: 1E+10, not 1e+10.
    const QString e = m_plain.exponential();
    if (e == QStringLiteral("e"))
        text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

QChar Locale::decimalPoint() const
{
    const QString point = m_locale.decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString Locale::date(const QDate &date) const
{
    QString separator = QStringLiteral("/");
    const QString pattern = m_locale.dateFormat(QLocale::ShortFormat);
    for (const QChar c : pattern) {
        if (!c.isLetter() && c != QLatin1Char('\'')) {
            separator = c;
            break;
        }
    }
    return date.toString(QStringLiteral("dd") + separator + QStringLiteral("MM") + separator
                         + QStringLiteral("yyyy"));
}
