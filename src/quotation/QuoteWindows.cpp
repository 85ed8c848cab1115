#include "quotation/QuoteWindows.h"

#include "platform/Platform.h"
#include "platform/gui/KeyFilters.h"
#include "store/Paths.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "store/TextCodec.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Calculation;

QuotationBoxes::QuotationBoxes(QLineEdit *valueBox, QComboBox *termBox, QComboBox *upfrontsBox,
                               QComboBox *midsBox, QComboBox *finalsBox, QComboBox *ratesBox)
    : value(valueBox), term(termBox), upfronts(upfrontsBox), mids(midsBox), finals(finalsBox),
      rates(ratesBox)
{
}

void QuotationBoxes::prepare() const
{
    // The boxes take exactly what is typed: no completion from the list, and
    // Enter never adds the typed text to the list.
    for (QComboBox *combo : {term, upfronts, mids, finals, rates}) {
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Leaving the edit part would otherwise pick the item whose text was
        // typed and report it as chosen; a typed text is only ever a text.
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, nullptr, nullptr);
        combo->lineEdit()->setAccessibleName(combo->accessibleName());
        combo->lineEdit()->setAccessibleDescription(combo->accessibleDescription());
    }
    // Only digits and backspace can be typed into the three multiplier boxes.
    DigitKeyFilter::install(upfronts);
    DigitKeyFilter::install(mids);
    DigitKeyFilter::install(finals);
    closeValueLists();
}

void QuotationBoxes::emptyBox(QComboBox *box)
{
    // No item stays picked behind the empty text: the arrow keys then start
    // again from the first item, as when the window opened.
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void QuotationBoxes::emptyValueLists() const
{
    for (QComboBox *box : {upfronts, mids, finals, rates})
        emptyBox(box);
}

void QuotationBoxes::closeValueLists() const
{
    for (QComboBox *box : {upfronts, mids, finals, rates})
        box->setEnabled(false);
}

void QuotationBoxes::resetTerms() const
{
    emptyValueLists();
    emptyBox(term);
    closeValueLists();
}

void QuotationBoxes::structurePicked() const
{
    emptyValueLists();
    const std::optional<Structure> structure = structureNamed(term->currentText());
    if (!structure)
        return;
    upfronts->setEnabled(hasUpfront(*structure));
    mids->setEnabled(true);
    finals->setEnabled(hasFinal(*structure));
    rates->setEnabled(true);
}

QuotationInputs QuotationBoxes::inputs() const
{
    return {value->text(),       term->currentText(),   upfronts->currentText(),
            mids->currentText(), finals->currentText(), rates->currentText()};
}

void QuotationBoxes::refuse(Platform &platform, QWidget *parent, const Refusal &refusal) const
{
    QComboBox *combo = nullptr;
    switch (refusal.box) {
    case InputBox::None:
    case InputBox::Value: break;
    case InputBox::Term: combo = term; break;
    case InputBox::Upfront: combo = upfronts; break;
    case InputBox::Mids: combo = mids; break;
    case InputBox::Final: combo = finals; break;
    case InputBox::Rate: combo = rates; break;
    }
    const auto emptyAndFocus = [&] {
        if (refusal.box == InputBox::Value) {
            if (refusal.emptied)
                value->clear();
            value->setFocus();
        } else if (combo) {
            if (refusal.emptied)
                emptyBox(combo);
            (combo->isEnabled() ? combo : term)->setFocus();
        }
    };
    if (refusal.beforeMessage)
        emptyAndFocus();
    platform.messages.warn(parent, refusal.title, refusal.text);
    if (!refusal.beforeMessage)
        emptyAndFocus();
}

bool saveNewQuote(Platform &platform, QWidget *parent, QLineEdit *nameBox, PageSettings &held,
                  const std::function<QString(const PageSettings &, const QString &date)> &text)
{
    const QString name = nameBox->text();
    if (name.isEmpty()) {
        platform.messages.warn(parent, QStringLiteral("No quote name"),
                               QStringLiteral("Please enter a name for the quote !"));
        nameBox->setFocus();
        return false;
    }
    // A name that would leave the quotes folder, or that the file system
    // cannot hold (a character or its length), is refused before anything
    // is looked up or written.
    if (const std::optional<QString> refusal = Store::quoteNameRefusal(name)) {
        platform.messages.warn(parent, Store::UnsafeQuoteNameTitle, *refusal);
        nameBox->setFocus();
        return false;
    }
    const auto refuseTakenName = [&] {
        platform.messages.warn(parent, QStringLiteral("Quote already exists"),
                               QStringLiteral("The quote ") + name
                                   + QStringLiteral(" already exists, please enter a different "
                                                    "name for the quote !"));
        nameBox->clear();
        nameBox->setFocus();
        return false;
    };
    // Any entry of that name takes it: "Acme.TXT" from an older installation
    // (listed as Acme), a folder, or a link, even one that leads nowhere.
    if (Store::entryExists(platform.files, Paths::quotesFolder(), name))
        return refuseTakenName();

    const QString date = platform.locale.date(platform.clock.today());
    // A header or footer typed with an empty last line keeps that line once
    // only: one trailing line break comes off the held texts themselves, so
    // the shortened ones stay in force for the next save or print.
    Store::trimOneCrLf(held.PageHeader);
    Store::trimOneCrLf(held.PageFooter);
    // The file appears whole or not at all, and only under a name nobody
    // holds; a failure is never reported as a saved quote.
    if (const WriteResult saved = platform.files.createNewFile(Paths::quoteFile(name),
                                                               TextCodec::encode(text(held, date)));
        !saved) {
        // Another computer sharing the folder may have taken the name since.
        if (Store::entryExists(platform.files, Paths::quotesFolder(), name))
            return refuseTakenName();
        platform.messages.warn(parent, QStringLiteral("Quote not saved"),
                               QStringLiteral("The quote ") + name
                                   + QStringLiteral(" cannot be saved: ") + saved.reason()
                                   + QStringLiteral(" !"));
        return false;
    }
    platform.messages.inform(parent, QStringLiteral("Quote saved"),
                             QStringLiteral("The quote ") + name
                                 + QStringLiteral(" has been saved !"));
    return true;
}

void confirmSentToPrinter(Platform &platform, QWidget *parent, const std::optional<QString> &device)
{
    if (device)
        platform.messages.inform(parent, QStringLiteral("Printing"),
                                 QStringLiteral("The quote has been sent to the printer ")
                                     + *device);
}
