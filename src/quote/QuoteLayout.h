#pragma once

#include "quote/LeaseOption.h"
#include "quote/QuoteTexts.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct PageSettings;

// The saved file and the printed page lay a quotation out alike; they
// differ in two labels only, which each form has kept since offices first
// had them: the file's "Equipment details:" takes a colon, and its final
// rental lines up with one tab after padding where the page has two tabs.
enum class QuoteForm { File, Page };

// The lines of a quotation in order, each to be followed by CR LF: the
// customer block, the date, the page header, the equipment block, the rental
// lines and the page footer. A block of several lines is one line here, its
// breaks CR LF. One trailing CR LF is taken off the customer and equipment
// copies before they are tested for emptiness; the header and footer are
// used as they stand (the save and print handlers trim the held ones).
QStringList quoteLines(const QuoteTexts &texts, const PageSettings &page, const QString &date,
                       QuoteForm form);

// The text of a saved quote file: every line of the file form and CR LF.
QString quoteFileText(const QuoteTexts &texts, const PageSettings &page, const QString &date);

// Lease options side by side, as a quote: the customer and equipment
// details of the main window, the value, and the options in order.
struct ComparisonTexts {
    QString customer; // CR LF line breaks
    QString equipment; // CR LF line breaks
    QString value; // currency
    QVector<Calculation::OptionTexts> options;
};

// The lines of a comparison, laid out as a quote's: the same top and
// footer, then under "Lease options:" the value and a block for each option,
// its terms, its rental lines as a quote file has them (on the page too),
// the total, the finance charge and the two rates, each label followed by a
// tab; last a note of how the rates are worked out.
QStringList comparisonLines(const ComparisonTexts &texts, const PageSettings &page,
                            const QString &date, QuoteForm form);

// Every line followed by CR LF, as a quote file holds them.
QString fileTextOf(const QStringList &lines);
