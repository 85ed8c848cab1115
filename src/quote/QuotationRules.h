#pragma once

#include "quote/Calculation.h"

#include <QString>
#include <variant>

class Locale;

// The rules of a quotation, apart from any window: the typed texts are
// checked in a fixed order, and the first one that fails is the refusal the
// window shows; otherwise they are read and priced. Every window that prices
// a quotation goes through here, so the same texts give the same amounts and
// the same messages everywhere, in every locale.
namespace Calculation {

// What the user typed, exactly as the boxes hold it.
struct QuotationInputs {
    QString value;
    QString term;
    QString upfront;
    QString mids;
    QString final;
    QString rate;
};

// The box a refusal is about.
enum class InputBox { None, Value, Term, Upfront, Mids, Final, Rate };

// The first check that failed: the message (title and text, shown with the
// exclamation icon), the box it is about, whether that box is emptied, and
// whether the box is emptied and given the focus before the message (the
// value, the term and a number too large) or after it (a selection that is
// not a number). With InputBox::None the focus stays where it is.
struct Refusal {
    InputBox box = InputBox::None;
    QString title;
    QString text;
    bool emptied = false;
    bool beforeMessage = false;
};

// A quotation that passed every check: what was read and what it costs.
struct Quotation {
    Structure structure = Structure::Mid;
    QString term; // the structure's name, as typed
    float value = 0;
    float upfront = 0; // 0 when the structure has no upfront rental
    float mids = 0;
    float final = 0; // 0 when the structure has no final rental
    float rate = 0;
    Amounts amounts;
};

// Checks in this order: the value, the term, then the boxes the structure
// uses (upfront, mids, final, rate); a box the structure does not use is
// neither checked nor read.
std::variant<Quotation, Refusal> priceQuotation(const QuotationInputs &inputs,
                                                const Locale &locale);

// The texts a quotation shows, in the number forms of the locale; the
// upfront and final texts are empty for a structure without them.
struct QuotationTexts {
    QString value; // currency
    QString term;
    QString upfront; // multiplier, shortest general form
    QString mids; // shortest general form
    QString final; // multiplier, shortest general form
    QString rate; // fixed, two decimals
    QString upfrontRental; // currency, as are the four below
    QString monthly;
    QString finalRental;
    QString weekly;
    QString daily;
};
QuotationTexts textsOf(const Quotation &quotation, const Locale &locale);

} // namespace Calculation
