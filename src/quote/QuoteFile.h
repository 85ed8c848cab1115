#pragma once

#include "quote/QuoteTexts.h"

#include <QString>

struct PageSettings;

// The text of a saved quote file, every line ended by CR LF: the customer
// block, the date, the page header, the equipment block, the rental lines
// and the page footer.
//
// One trailing CR LF is taken off the customer and equipment copies, and off
// the page header and footer themselves (so the shortened values stay in
// force for the next save or print), before they are tested for emptiness.
QString QuoteFileText(const QuoteTexts &texts, PageSettings &page, const QString &date);
