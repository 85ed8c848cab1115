#include "platform/Locale.h"

#include <cmath>
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
    if (!ok || !std::isfinite(value))
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
    return static_cast<float>(*value);
}

QString Locale::currency(double value) const
{
    return m_locale.toCurrencyString(value, QString(), 2);
}

QString Locale::fixed(double value) const
{
    return m_plain.toString(value, 'f', 2);
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
