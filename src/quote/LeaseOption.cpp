#include "quote/LeaseOption.h"

#include "platform/Locale.h"
#include "store/Store.h"

#include <QStringList>
#include <cmath>

namespace Calculation {

namespace {

const QString Times = QStringLiteral(" \u00d7 ");

// Above the highest rate shown as a number, a rate is only said to be over it.
QString overHighest(const Locale &locale)
{
    return QStringLiteral("over ") + locale.fixed(HighestAnnualRate * 100) + QStringLiteral(" %");
}

// A rate as a percentage with two decimals.
QString percentText(double fraction, const Locale &locale)
{
    if (fraction > HighestAnnualRate)
        return overHighest(locale);
    return locale.fixed(fraction * 100) + QStringLiteral(" %");
}

// v to the power of the month: 1 at signing.
QString discount(int month)
{
    return month == 0 ? QStringLiteral("1") : QStringLiteral("v^") + QString::number(month);
}

// The months after signing, in words.
QString monthText(int month)
{
    if (month == 0)
        return QStringLiteral("at signing");
    return QString::number(month)
        + (month == 1 ? QStringLiteral(" month") : QStringLiteral(" months"))
        + QStringLiteral(" after signing");
}

} // namespace

std::optional<Rentals> rentalsOf(const Quotation &q)
{
    const bool upfront = hasUpfront(q.structure), final = hasFinal(q.structure);
    if (!(q.mids >= 0 && q.mids <= MostMids && q.mids == std::floor(q.mids))
        || (upfront && !(q.upfront >= 0)) || (final && !(q.final >= 0)))
        return std::nullopt;
    Rentals r;
    r.value = q.value;
    r.upfront = upfront ? q.amounts.upfront : 0;
    r.monthly = q.amounts.monthly;
    r.final = final ? q.amounts.final : 0;
    r.mids = int(q.mids);
    r.firstMid = upfront && q.upfront > 0 ? 1 : 0;
    return r;
}

double totalOf(const Quotation &q)
{
    return (hasUpfront(q.structure) ? double(q.amounts.upfront) : 0.0)
        + double(q.mids) * double(q.amounts.monthly)
        + (hasFinal(q.structure) ? double(q.amounts.final) : 0.0);
}

OptionTexts optionTextsOf(const Quotation &q, const Locale &locale)
{
    OptionTexts t;
    t.quotation = textsOf(q, locale);
    const double total = totalOf(q);
    t.total = locale.currency(total);
    t.financeCharge = locale.currency(total - double(q.value));
    const std::optional<Rentals> rentals = rentalsOf(q);
    if (!rentals) {
        t.nominal = t.effective = QStringLiteral("not worked out");
        return t;
    }
    const ImpliedRate rate = impliedRate(*rentals);
    switch (rate.kind) {
    case ImpliedRate::Kind::Rate:
        t.nominal = percentText(rate.nominal(), locale);
        t.effective = percentText(rate.effective(), locale);
        break;
    case ImpliedRate::Kind::NoFinanceCharge:
        t.nominal = t.effective = QStringLiteral("no finance charge");
        break;
    case ImpliedRate::Kind::OverHighest: t.nominal = t.effective = overHighest(locale); break;
    }
    return t;
}

QString termsOf(const QuotationTexts &t)
{
    QStringList multipliers;
    for (const QString &m : {t.upfront, t.mids, t.final})
        if (!m.isEmpty())
            multipliers << m;
    return t.term + QStringLiteral(", ") + multipliers.join(QStringLiteral(" + "))
        + QStringLiteral(", rate ") + t.rate;
}

QString workingOf(const Quotation &q, const Locale &locale)
{
    const QuotationTexts t = textsOf(q, locale);
    QStringList lines;
    lines << QStringLiteral("Monthly rental M = ") + t.value + Times + t.rate
            + QStringLiteral(" / 1000 = ") + t.monthly;
    const std::optional<Rentals> r = rentalsOf(q);
    if (!r) {
        lines << QStringLiteral("No rate is worked out: it needs a whole number of monthly "
                                "rentals from 0 to %1 and multipliers of 0 or more.")
                     .arg(MostMids);
        return lines.join(Store::CrLf);
    }

    // When each rental is paid, and the sum of the discounted rentals in
    // rentals of M.
    QStringList paid, sum;
    if (r->firstMid == 1) {
        paid << QStringLiteral("the upfront rental (") + t.upfront + Times
                + QStringLiteral("M) at signing");
        sum << t.upfront;
    } else {
        paid << QStringLiteral("no upfront rental");
    }
    const int first = r->firstMid, last = r->firstMid + r->mids - 1;
    if (r->mids == 0)
        paid << QStringLiteral("no monthly rentals");
    else if (r->mids == 1)
        paid << QStringLiteral("1 monthly rental (M) ") + monthText(first);
    else
        paid << t.mids + QStringLiteral(" monthly rentals (M), one a month, the first ")
                + monthText(first) + QStringLiteral(" and the last ") + monthText(last);
    for (int month = first; month <= last; ++month) {
        if (r->mids > 3 && month == first + 2) {
            sum << QStringLiteral("...");
            month = last;
        }
        sum << discount(month);
    }
    if (hasFinal(q.structure) && q.final > 0) {
        paid << QStringLiteral("the final rental (") + t.final + Times + QStringLiteral("M) ")
                + monthText(last + 1);
        sum << t.final + (last + 1 == 0 ? QString() : Times + discount(last + 1));
    } else {
        paid << QStringLiteral("no final rental");
    }
    const QString rentalsInM = QStringLiteral("(")
        + (sum.isEmpty() ? QStringLiteral("0") : sum.join(QStringLiteral(" + ")))
        + QStringLiteral(")");
    lines << QStringLiteral("Paid: ") + paid.join(QStringLiteral("; ")) + QStringLiteral(".");
    lines << QStringLiteral("Each rental is discounted by v = 1 / (1 + i) for every month after "
                            "signing that it is paid; the monthly rate i is the one at which the "
                            "discounted rentals give back the value V:");
    lines << QStringLiteral("V = M") + Times + rentalsInM;
    lines << t.value + QStringLiteral(" = ") + t.monthly + Times + rentalsInM;

    const ImpliedRate rate = impliedRate(*r);
    if (rate.kind == ImpliedRate::Kind::NoFinanceCharge) {
        lines << QStringLiteral("The rentals add up to ") + locale.currency(totalOf(q))
                + QStringLiteral(", no more than the value of ") + t.value
                + QStringLiteral(": there is no finance charge, and no interest rate.");
    } else if (rate.kind == ImpliedRate::Kind::OverHighest) {
        lines << QStringLiteral("Even at a nominal rate of ")
                + percentText(HighestAnnualRate, locale)
                + QStringLiteral(" a year the discounted rentals add up to ")
                + locale.currency(presentValue(*r, HighestAnnualRate / 12))
                + QStringLiteral(", more than the value: the rate is ") + overHighest(locale)
                + QStringLiteral(" a year.");
    } else {
        lines << QStringLiteral("Monthly rate i = ") + locale.fixed(rate.monthly * 100, 4)
                + QStringLiteral(" %");
        lines << QStringLiteral("Nominal rate = 12") + Times + QStringLiteral("i = ")
                + percentText(rate.nominal(), locale) + QStringLiteral(" a year");
        lines << QStringLiteral("Effective rate = (1 + i)^12 - 1 = ")
                + percentText(rate.effective(), locale) + QStringLiteral(" a year");
        lines << QStringLiteral("Check: the rentals discounted at i add up to ")
                + locale.currency(presentValue(*r, rate.monthly))
                + QStringLiteral("; the value is ") + t.value + QStringLiteral(".");
    }
    return lines.join(Store::CrLf);
}

} // namespace Calculation
