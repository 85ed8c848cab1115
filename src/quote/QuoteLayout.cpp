#include "quote/QuoteLayout.h"

#include "store/Settings.h"
#include "store/Store.h"

namespace {

const QString Tab = QStringLiteral("\t");

// Customer block and an empty line, the date, an empty line, the header, an
// empty line, and the equipment block with its heading.
QStringList topLines(const QString &customerText, const QString &equipmentText,
                     const PageSettings &page, const QString &date, QuoteForm form)
{
    QStringList lines;
    QString customer = customerText;
    Store::trimOneCrLf(customer);
    if (!customer.isEmpty())
        lines << customer << QString();

    lines << date << QString();
    lines << page.PageHeader << QString();

    QString equipment = equipmentText;
    Store::trimOneCrLf(equipment);
    if (!equipment.isEmpty()) {
        lines << (form == QuoteForm::File ? QStringLiteral("Equipment details:")
                                          : QStringLiteral("Equipment details"))
              << QString() << equipment << QString();
    }
    return lines;
}

// The upfront line (when there is one), the monthly line, the final line
// (when there is one), the weekly and the daily lines.
QStringList rentalLines(const QString &upfront, const QString &mids, const QString &monthly,
                        const QString &final, const QString &weekly, const QString &daily,
                        QuoteForm form)
{
    QStringList lines;
    if (!upfront.isEmpty())
        lines << QStringLiteral("Upfront rental: ") + Tab + upfront;
    lines << mids + QStringLiteral(" Monthly rentals: ") + Tab + monthly;
    if (!final.isEmpty()) {
        lines << (form == QuoteForm::File ? QStringLiteral("Final rental:   ") + Tab
                                          : QStringLiteral("Final rental: ") + Tab + Tab)
                + final;
    }
    lines << QStringLiteral("Weekly equivalent: ") + Tab + weekly;
    lines << QStringLiteral("Daily equivalent: ") + Tab + daily;
    return lines;
}

} // namespace

QStringList quoteLines(const QuoteTexts &texts, const PageSettings &page, const QString &date,
                       QuoteForm form)
{
    QStringList lines = topLines(texts.customer, texts.equipment, page, date, form);
    lines << QStringLiteral("Rental details:") << QString();
    lines << rentalLines(texts.upfront, texts.termMiddle, texts.monthly, texts.final, texts.weekly,
                         texts.daily, form);
    lines << QString() << page.PageFooter;
    return lines;
}

QString quoteFileText(const QuoteTexts &texts, const PageSettings &page, const QString &date)
{
    return fileTextOf(quoteLines(texts, page, date, QuoteForm::File));
}

QStringList comparisonLines(const ComparisonTexts &texts, const PageSettings &page,
                            const QString &date, QuoteForm form)
{
    QStringList lines = topLines(texts.customer, texts.equipment, page, date, form);
    lines << QStringLiteral("Lease options:") << QString();
    lines << QStringLiteral("Equipment value: ") + Tab + texts.value << QString();
    for (qsizetype n = 0; n < texts.options.size(); ++n) {
        const Calculation::OptionTexts &o = texts.options[n];
        const Calculation::QuotationTexts &q = o.quotation;
        lines << QStringLiteral("Option %1: ").arg(n + 1) + Calculation::termsOf(q);
        // The final rental as the file has it, padded to one tab, so that on
        // the page too it stands with the option's other amounts.
        lines << rentalLines(q.upfrontRental, q.mids, q.monthly, q.finalRental, q.weekly, q.daily,
                             QuoteForm::File);
        lines << QStringLiteral("Total of rentals: ") + Tab + o.total;
        lines << QStringLiteral("Finance charge: ") + Tab + o.financeCharge;
        lines << QStringLiteral("Nominal rate a year: ") + Tab + o.nominal;
        lines << QStringLiteral("Effective rate a year: ") + Tab + o.effective;
        lines << QString();
    }
    lines << QStringLiteral(
        "How the rates are worked out: the upfront rental is paid at signing, the monthly "
        "rentals one a month from one month after signing (from signing when there is no "
        "upfront rental), and the final rental one month after the last monthly rental. The "
        "nominal rate a year is 12 times the monthly rate at which these rentals, each "
        "discounted for the months after signing that it is paid, give back the value; the "
        "effective rate a year is that monthly rate compounded over 12 months.");
    lines << QString() << page.PageFooter;
    return lines;
}

QString fileTextOf(const QStringList &lines)
{
    QString out;
    for (const QString &line : lines)
        out += line + Store::CrLf;
    return out;
}
