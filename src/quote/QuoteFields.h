#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// What a saved quote file tells about its quotation, read back from the lines
// that quoteFileText writes: the date line, the customer block before it and
// the rental lines after "Rental details:". A file edited by hand or one that
// is no quote at all gives the fields it still holds; the others stay empty.
struct QuoteFields {
    QDate date; // invalid when the file has no date line
    QString customer; // the first line of the customer block that is not blank
    // The amounts and the mid count exactly as the file writes them.
    QString monthly, mids, upfront, final;
    // The decimal point the file's amounts are written with (they always
    // carry two decimals, which tells it); null when no amount tells.
    QChar decimalPoint;
};

QuoteFields readQuoteFields(QStringView text);

// An amount or count as written in a quote file ("$1,234.56", "1.234,56 €",
// "-£5.00", "36") as a plain number: an optional minus, the digits and,
// where there is a fraction, a point ("1234.56"). Whatever stands around
// the digits (a currency sign or code, blanks) is left out, and so is the
// grouping. A separator followed by three digits is ambiguous ("1.234"):
// it is the decimal point when it is the one given. Empty when the text
// holds no number or letters among its digits.
QString plainNumber(QStringView written, QChar decimalPoint);
