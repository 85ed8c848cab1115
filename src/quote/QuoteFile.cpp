#include "quote/QuoteFile.h"

#include "store/Settings.h"
#include "store/Store.h"

QString QuoteFileText(const QuoteTexts &texts, PageSettings &page, const QString &date)
{
    const QString &crlf = Store::CrLf;
    const QChar tab = QLatin1Char('\t');
    QString out;

    QString customer = texts.customer;
    Store::trimOneCrLf(customer);
    if (!customer.isEmpty())
        out += customer + crlf + crlf;

    out += date + crlf + crlf;

    Store::trimOneCrLf(page.PageHeader);
    out += page.PageHeader + crlf + crlf;

    QString equipment = texts.equipment;
    Store::trimOneCrLf(equipment);
    if (!equipment.isEmpty())
        out += QStringLiteral("Equipment details:") + crlf + crlf + equipment + crlf + crlf;

    out += QStringLiteral("Rental details:") + crlf + crlf;
    if (!texts.upfront.isEmpty())
        out += QStringLiteral("Upfront rental: ") + tab + texts.upfront + crlf;
    out += texts.termMiddle + QStringLiteral(" Monthly rentals: ") + tab + texts.monthly + crlf;
    if (!texts.final.isEmpty())
        out += QStringLiteral("Final rental:   ") + tab + texts.final + crlf;
    out += QStringLiteral("Weekly equivalent: ") + tab + texts.weekly + crlf;
    out += QStringLiteral("Daily equivalent: ") + tab + texts.daily + crlf;
    out += crlf;

    Store::trimOneCrLf(page.PageFooter);
    out += page.PageFooter + crlf;
    return out;
}
