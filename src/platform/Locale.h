#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// Number and date forms of the user's locale. The program's numeric test,
// its conversion to single precision and its three number forms all come
// from here, so tests can pin a locale.
class Locale {
public:
    explicit Locale(QLocale locale = QLocale());

    // The value of a text that reads as a number in the locale's notation:
    // optional surrounding blanks, sign, digits with group separators,
    // decimal separator and exponent. Empty for anything else.
    std::optional<double> number(const QString &text) const;
    bool isNumeric(const QString &text) const { return number(text).has_value(); }

    // The nearest single-precision value of a numeric text; empty when the
    // text is not numeric or lies beyond the single-precision range.
    std::optional<float> toSingle(const QString &text) const;

    // Locale currency symbol, grouping, two decimals, locale negative form.
    QString currency(double value) const;
    // At least one integer digit, exactly two decimals (or as many as
    // asked), no grouping.
    QString fixed(double value, int decimals = 2) const;
    // A single-precision number back to text: up to seven significant
    // digits, no grouping, no trailing zeros.
    QString general(float value) const;
    // dd/mm/yyyy with the locale's date separator in place of each slash.
    QString date(const QDate &date) const;
    // The character that separates the decimals.
    QChar decimalPoint() const;

private:
    QLocale m_locale;
    QLocale m_plain; // the same locale without digit grouping
};
