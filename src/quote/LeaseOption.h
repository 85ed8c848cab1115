#pragma once

#include "quote/ImpliedRate.h"
#include "quote/QuotationRules.h"

#include <QString>
#include <optional>

class Locale;

// A priced quotation seen as one lease option among others: what its rentals
// add up to, the finance charge, and the interest rate they imply.
namespace Calculation {

// The rentals of a quotation in time. A rate is worked out only for a whole
// number of mid rentals from 0 to MostMids and multipliers of 0 or more; the
// upfront rental is paid at signing when its multiplier is above 0, and the
// mid rentals then start one month later.
std::optional<Rentals> rentalsOf(const Quotation &quotation);

// Upfront rental + mids x monthly rental + final rental, from the amounts
// as the calculation stores them.
double totalOf(const Quotation &quotation);

// What a lease option shows beyond the quotation's own texts, in the forms
// of the locale: the total and the finance charge as currency, each rate as
// a percentage with two decimals ("9.66 %"), "over 999.99 %" above that,
// "no finance charge", or "not worked out".
struct OptionTexts {
    QuotationTexts quotation;
    QString total;
    QString financeCharge;
    QString nominal;
    QString effective;
};
OptionTexts optionTextsOf(const Quotation &quotation, const Locale &locale);

// The option's terms in one line: "Upfront+Mid, 1 + 47, rate 25.00".
QString termsOf(const QuotationTexts &texts);

// The working of the option's rate in plain words, lines joined by CR LF:
// when each rental is paid, the equation with the option's numbers, the
// monthly rate, both annual rates, and the rentals discounted at the rate
// found set against the value.
QString workingOf(const Quotation &quotation, const Locale &locale);

} // namespace Calculation
