#include "quote/QuotationRules.h"

#include "platform/Locale.h"

#include <optional>

namespace Calculation {

namespace {

const QString TooLargeTitle = QStringLiteral("Number too large");

// A number that reads well but lies beyond single precision cannot be
// priced: it is said so, rather than shown as amounts of "inf".
Refusal tooLarge(InputBox box)
{
    return {box, TooLargeTitle,
            QStringLiteral("The number is too large to calculate a quotation !"), false, true};
}

// A selection box's check: a text that is not a number is refused with the
// box's own message, shown before the box is emptied.
struct Selection {
    InputBox box;
    const QString *text;
    QString title;
    QString message;
    float *into;
};

std::optional<Refusal> read(const Selection &s, const Locale &locale)
{
    if (!locale.isNumeric(*s.text))
        return Refusal{s.box, s.title, s.message, true, false};
    const std::optional<float> number = locale.toSingle(*s.text);
    if (!number)
        return tooLarge(s.box);
    *s.into = *number;
    return std::nullopt;
}

} // namespace

std::variant<Quotation, Refusal> priceQuotation(const QuotationInputs &in, const Locale &locale)
{
    if (!locale.isNumeric(in.value))
        return Refusal{InputBox::Value, QStringLiteral("Invalid value"),
                       QStringLiteral("Please enter a valid value !"), true, true};
    const std::optional<float> value = locale.toSingle(in.value);
    if (!value)
        return tooLarge(InputBox::Value);

    const std::optional<Structure> structure = structureNamed(in.term);
    if (!structure)
        return Refusal{InputBox::Term, QStringLiteral("Invalid term"),
                       QStringLiteral("Please select a valid term !"), true, true};

    Quotation q;
    q.structure = *structure;
    q.term = in.term;
    q.value = *value;
    const Selection upfront{InputBox::Upfront, &in.upfront, QStringLiteral("Invalid upfront"),
                            QStringLiteral("Please select a valid upfront !"), &q.upfront};
    const Selection mids{InputBox::Mids, &in.mids, QStringLiteral("Invalid mid"),
                         QStringLiteral("Please select a valid mid !"), &q.mids};
    const Selection final{InputBox::Final, &in.final, QStringLiteral("Invalid final"),
                          QStringLiteral("Please select a valid final !"), &q.final};
    const Selection rate{InputBox::Rate, &in.rate, QStringLiteral("Invalid rate"),
                         QStringLiteral("Please select a valid rate !"), &q.rate};
    for (const Selection *s : {&upfront, &mids, &final, &rate}) {
        if ((s == &upfront && !hasUpfront(q.structure)) || (s == &final && !hasFinal(q.structure)))
            continue;
        if (std::optional<Refusal> refusal = read(*s, locale))
            return *refusal;
    }

    q.amounts = amountsFor(q.structure, q.value, q.rate, q.upfront, q.final);
    if (!allFinite(q.structure, q.amounts))
        return Refusal{InputBox::None, TooLargeTitle,
                       QStringLiteral("The amounts of this quotation are too large to be "
                                      "calculated !")};
    return q;
}

QuotationTexts textsOf(const Quotation &q, const Locale &locale)
{
    QuotationTexts t;
    const bool upfront = hasUpfront(q.structure), final = hasFinal(q.structure);
    t.value = locale.currency(q.value);
    t.term = q.term;
    if (upfront)
        t.upfront = locale.general(q.upfront);
    t.mids = locale.general(q.mids);
    if (final)
        t.final = locale.general(q.final);
    t.rate = locale.fixed(q.rate);
    t.monthly = locale.currency(q.amounts.monthly);
    if (upfront)
        t.upfrontRental = locale.currency(q.amounts.upfront);
    t.weekly = locale.currency(q.amounts.weekly);
    t.daily = locale.currency(q.amounts.daily);
    if (final)
        t.finalRental = locale.currency(q.amounts.final);
    return t;
}

} // namespace Calculation
