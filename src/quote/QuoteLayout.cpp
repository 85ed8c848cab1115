#include "quote/QuoteLayout.h"

#include "store/Settings.h"
#include "store/Store.h"

QStringList quoteLines(const QuoteTexts &texts, const PageSettings &page, const QString &date,
                       QuoteForm form)
{
    const bool file = form == QuoteForm::File;
    const QString tab = QStringLiteral("\t");
    QStringList lines;

    QString customer = texts.customer;
    Store::trimOneCrLf(customer);
    if (!customer.isEmpty())
        lines << customer << QString();

    lines << date << QString();
    lines << page.PageHeader << QString();

    QString equipment = texts.equipment;
    Store::trimOneCrLf(equipment);
    if (!equipment.isEmpty()) {
        lines << (file ? QStringLiteral("Equipment details:") : QStringLiteral("Equipment details"))
              << QString() << equipment << QString();
    }

    lines << QStringLiteral("Rental details:") << QString();
    if (!texts.upfront.isEmpty())
        lines << QStringLiteral("Upfront rental: ") + tab + texts.upfront;
    lines << texts.termMiddle + QStringLiteral(" Monthly rentals: ") + tab + texts.monthly;
    if (!texts.final.isEmpty()) {
        lines << (file ? QStringLiteral("Final rental:   ") + tab
                       : QStringLiteral("Final rental: ") + tab + tab)
                + texts.final;
    }
    lines << QStringLiteral("Weekly equivalent: ") + tab + texts.weekly;
    lines << QStringLiteral("Daily equivalent: ") + tab + texts.daily;
    lines << QString();

    lines << page.PageFooter;
    return lines;
}

QString quoteFileText(const QuoteTexts &texts, const PageSettings &page, const QString &date)
{
    QString out;
    for (const QString &line : quoteLines(texts, page, date, QuoteForm::File))
        out += line + Store::CrLf;
    return out;
}
