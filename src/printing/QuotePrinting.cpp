#include "printing/QuotePrinting.h"

#include "platform/Printers.h"
#include "printing/PrintPage.h"
#include "quote/QuoteLayout.h"
#include "store/Settings.h"
#include "store/Store.h"

void printLines(PrinterSurface &surface, int margin, const QStringList &lines)
{
    for (const QString &line : lines)
        PrintWrapped(surface, line + Store::CrLf, margin, margin);
}

void printQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    const PageSettings &page, const QString &date)
{
    printLines(surface, margin, quoteLines(texts, page, date, QuoteForm::Page));
}

std::function<void(PrinterSurface &, int margin)>
heldSettingsPage(PageSettings &held, std::function<QStringList(const PageSettings &)> lines)
{
    return [&held, start = held, lines = std::move(lines)](PrinterSurface &surface, int margin) {
        held = start;
        Store::trimOneCrLf(held.PageHeader);
        Store::trimOneCrLf(held.PageFooter);
        printLines(surface, margin, lines(held));
    };
}
