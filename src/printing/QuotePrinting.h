#pragma once

#include <QString>

class PrinterSurface;
struct QuoteTexts;
struct PageSettings;

// Prints the current quotation on a surface whose job has been started and
// whose print settings have been applied: the lines of the page form, each
// through PrintWrapped between the two margins.
void printQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    const PageSettings &page, const QString &date);
