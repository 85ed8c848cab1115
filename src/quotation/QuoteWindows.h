#pragma once

#include "quote/QuotationRules.h"

#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;
struct PageSettings;
struct Platform;

// What the windows that price a quotation share: the boxes it is typed
// into, and saving and printing a quote.

// The value box and the five term boxes of a window, which take a quotation
// the same way wherever they are.
class QuotationBoxes {
public:
    QuotationBoxes(QLineEdit *value, QComboBox *term, QComboBox *upfronts, QComboBox *mids,
                   QComboBox *finals, QComboBox *rates);

    // Once, when the window is built: the combo boxes take exactly what is
    // typed, the multiplier boxes only digits, and the value lists start
    // closed.
    void prepare() const;

    // A structure picked in the term box empties the value lists' texts and
    // opens those the structure uses; any other text changes nothing more.
    void structurePicked() const;
    void emptyValueLists() const;
    void closeValueLists() const;
    // The term box and the value lists emptied and closed.
    void resetTerms() const;
    // Empties a box's text, with no item left picked behind it.
    static void emptyBox(QComboBox *box);

    // The texts as typed.
    Calculation::QuotationInputs inputs() const;

    // Shows a refusal: the message, and the box emptied and focused before
    // or after it as the rules say. A value list that a typed structure left
    // closed cannot take the focus; the term box takes it instead.
    void refuse(Platform &platform, QWidget *parent, const Calculation::Refusal &refusal) const;

    QLineEdit *value;
    QComboBox *term;
    QComboBox *upfronts;
    QComboBox *mids;
    QComboBox *finals;
    QComboBox *rates;
};

// Saves a quote as a new file of the quotes folder, named as typed in the
// name box: an empty, unsafe or taken name is refused with its message (a
// taken one also empties the box) and the box takes the focus; the file
// appears whole or not at all, and never over another. One trailing line
// break comes off the held header and footer first, as a print takes it.
// text makes the file's text from the held page settings and today's date.
// True when the quote was saved.
bool saveNewQuote(Platform &platform, QWidget *parent, QLineEdit *nameBox, PageSettings &held,
                  const std::function<QString(const PageSettings &, const QString &date)> &text);

// The confirmation of a page sent to the printer, by a print or from a
// preview; a job that did not go has been reported already.
void confirmSentToPrinter(Platform &platform, QWidget *parent,
                          const std::optional<QString> &device);
