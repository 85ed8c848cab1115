#pragma once

#include <QString>

class PrinterSurface;
struct QuoteTexts;
struct PageSettings;

// Prints the current quotation on a surface whose job has been started and
// whose print settings have been applied: the customer block, the date, the
// page header, the equipment block, the rental lines and the page footer,
// each line through PrintWrapped between the two margins. One trailing line
// break is taken off the header and the footer in the page settings
// themselves, so a later save or print sees the shortened value.
void PrintQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    PageSettings &page, const QString &date);
