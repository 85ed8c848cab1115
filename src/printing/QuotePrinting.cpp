#include "printing/QuotePrinting.h"

#include "platform/Printers.h"
#include "printing/PrintPage.h"
#include "quote/QuoteTexts.h"
#include "store/Settings.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// Takes one trailing line break off, so the block ends where its last line
// ends and the next print does not leave a stray empty line.
void dropOneTrailingBreak(QString &text)
{
    if (text.endsWith(crlf))
        text.chop(2);
}

} // namespace

void PrintQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    PageSettings &page, const QString &date)
{
    // Every line is its own wrapped print, ended by a line break, so each
    // starts at the left margin on a fresh line.
    const auto line = [&](const QString &text) {
        PrintWrapped(surface, text + crlf, margin, margin);
    };
    const QString tab = QStringLiteral("\t");

    QString customer = texts.customer;
    dropOneTrailingBreak(customer);
    if (!customer.isEmpty()) {
        line(customer);
        line(QString());
    }

    line(date);
    line(QString());

    // The header and footer are shortened in the held settings themselves:
    // a header typed with an empty last line prints that line once only.
    dropOneTrailingBreak(page.PageHeader);
    line(page.PageHeader);

    QString equipment = texts.equipment;
    dropOneTrailingBreak(equipment);
    if (!equipment.isEmpty()) {
        line(QString());
        line(QStringLiteral("Equipment details"));
        line(QString());
        line(equipment);
    }
    line(QString());

    line(QStringLiteral("Rental details:"));
    line(QString());
    if (!texts.upfront.isEmpty())
        line(QStringLiteral("Upfront rental: ") + tab + texts.upfront);
    line(texts.termMiddle + QStringLiteral(" Monthly rentals: ") + tab + texts.monthly);
    if (!texts.final.isEmpty())
        line(QStringLiteral("Final rental: ") + tab + tab + texts.final);
    line(QStringLiteral("Weekly equivalent: ") + tab + texts.weekly);
    line(QStringLiteral("Daily equivalent: ") + tab + texts.daily);
    line(QString());

    dropOneTrailingBreak(page.PageFooter);
    line(page.PageFooter);
}
