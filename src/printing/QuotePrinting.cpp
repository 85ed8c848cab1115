#include "printing/QuotePrinting.h"

#include "platform/Printers.h"
#include "printing/PrintPage.h"
#include "quote/QuoteLayout.h"
#include "store/Store.h"

void printQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    const PageSettings &page, const QString &date)
{
    // Every line is its own wrapped print, ended by a line break, so each
    // starts at the left margin on a fresh line.
    for (const QString &line : quoteLines(texts, page, date, QuoteForm::Page))
        PrintWrapped(surface, line + Store::CrLf, margin, margin);
}
