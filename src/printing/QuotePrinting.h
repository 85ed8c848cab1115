#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class PrinterSurface;
struct QuoteTexts;
struct PageSettings;

// Prints lines on a surface whose job has been started and whose print
// settings have been applied: each line through PrintWrapped between the two
// margins, ended by a line break, so each starts at the left margin on a
// fresh line.
void printLines(PrinterSurface &surface, int margin, const QStringList &lines);

// Prints the current quotation: the lines of its page form.
void printQuotation(PrinterSurface &surface, int margin, const QuoteTexts &texts,
                    const PageSettings &page, const QString &date);

// The page of a document laid out from the page settings held: each drawing
// (a preview draws its page more than once, and again when printed from)
// starts from the settings as they stand at this call and takes one trailing
// line break off the held header and footer, as one print does; lines lays
// the page out from them.
std::function<void(PrinterSurface &, int margin)>
heldSettingsPage(PageSettings &held, std::function<QStringList(const PageSettings &)> lines);
