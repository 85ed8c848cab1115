// Every window used by keyboard alone and read through Qt's accessible interfaces.
#include "WidgetDriver.h"

#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "platform/gui/QtMessageBoxes.h"
#include "quotation/frmCompareOptions.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmFindQuotes.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"

namespace {

// Unnamed controls taking Tab, tooltips or captions read otherwise, access keys used
// twice in a window or menu or on a label with no buddy; captions: those with keys.
QStringList readingFaults(QWidget *window, QStringList &captions)
{
    QStringList faults;
    QMap<QString, QString> used; // "where|key" (the window's keys with no where): its owner
    const auto claim = [&](const QString &where, const QString &text, const QString &owner) {
        const QString key = where + '|' + QKeySequence::mnemonic(text).toString();
        if (key.endsWith('|'))
            return;
        if (used.contains(key))
            faults << used.value(key) + " and " + owner + " both use " + key;
        used.insert(key, owner);
        captions << text;
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (name.startsWith("qt_") || !w->isVisibleTo(window) || !face)
            continue;
        const QString spoken = face->text(QAccessible::Name);
        if (!name.isEmpty() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()
            && spoken.trimmed().isEmpty())
            faults << name + ": no name";
        if (!w->toolTip().isEmpty() && face->text(QAccessible::Description) != w->toolTip())
            faults << name + ": description is not the tooltip " + w->toolTip();
        auto *button = qobject_cast<QAbstractButton *>(w);
        auto *label = qobject_cast<QLabel *>(w);
        const QString caption = button ? button->text() : label ? label->text() : QString();
        if (!caption.isEmpty() && spoken != QString(caption).remove('&'))
            faults << name + ": read as " + spoken + ", shows " + caption;
        if (auto *group = qobject_cast<QGroupBox *>(w))
            claim({}, group->title(), name);
        claim({}, caption, name);
        if (label && !QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
            faults << name + " has an access key but no buddy";
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        claim({}, menu->title(), menu->title());
        for (QAction *item : menu->actions())
            claim(menu->title(), item->text(), item->objectName());
    }
    for (QAction *action : window->findChildren<QAction *>()) // context menus too
        if (!QKeySequence::mnemonic(action->text()).isEmpty())
            captions << action->text();
    captions.sort();
    captions.removeDuplicates();
    return faults;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPlatform> t;
    std::unique_ptr<frmQuotaro> owner; // the comparison window's

    std::unique_ptr<QWidget> show(const QString &name)
    {
        Platform &p = t->platform;
        Settings &s = t->settings;
        if (name == "frmCompareOptions") {
            if (!owner
                && (owner = std::make_unique<frmQuotaro>(p, s))->Form_Load()
                    != frmQuotaro::StartResult::Show)
                qWarning("the main window did not come up");
            std::unique_ptr<QWidget> w = owner->compareOptionsWindow();
            showActive(w.get());
            return w;
        }
        std::unique_ptr<QWidget> w(name == "frmQuotaro"               ? new frmQuotaro(p, s)
                                       : name == "frmTermsSetup"      ? new frmTermsSetup(p)
                                       : name == "frmRatesSetup"      ? new frmRatesSetup(p)
                                       : name == "frmPrinterSetup"    ? new frmPrinterSetup(p, s)
                                       : name == "frmPageSetup"       ? new frmPageSetup(p, s)
                                       : name == "frmOpenSavedQuotes" ? new frmOpenSavedQuotes(p, s)
                                       : name == "frmFindQuotes"      ? new frmFindQuotes(p, s)
                                       : name == "frmAbout" ? static_cast<QWidget *>(new frmAbout)
                                                            : new frmCalculationFormula);
        auto *main = qobject_cast<frmQuotaro *>(w.get());
        auto *find = qobject_cast<frmFindQuotes *>(w.get());
        if ((main && main->Form_Load() != frmQuotaro::StartResult::Show) || !showActive(w.get())
            || (find && !QTest::qWaitFor([find] { return !find->isReading(); })))
            qWarning("%s did not come up", qPrintable(name));
        return w;
    }

private slots:
    void init()
    {
        owner = nullptr;
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        for (const QString &folder : {Paths::upfrontsFolder(), Paths::midsFolder(),
                                      Paths::finalsFolder(), Paths::ratesFolder()})
            t->addEntries(folder, {"12", "24"});
        t->write(Paths::quoteFile("Acme"), "Acme\r\n");
    }

    // Enter on a button presses it; a whole quotation by access keys, Down picking in each list.
    void aQuotationByAccessKeys()
    {
        auto window = show("frmQuotaro");
        child(window.get(), "cmdQuotation")->setFocus();
        press(Qt::Key_Return); // nothing entered yet: the button runs and says so
        QCOMPARE(t->messages.messages.size(), 1);
        t->messages.clear();
        // Each list opens once the one before it has an entry picked.
        for (const QString &to :
             QString("T:comSelectTerm U:comUpfronts M:comMids N:comFinals R:comRates").split(' ')) {
            press(Qt::Key_A + to[0].unicode() - 'A', Qt::AltModifier);
            QCOMPARE(focusName(), to.mid(2));
            press(Qt::Key_Down);
        }
        press(Qt::Key_V, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "1000");
        press(Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(textOf(window.get(), "txtMonthly"), QStringLiteral("$12.00")); // 12 per 1000
        QCOMPARE(t->messages.texts(), QStringList());
        t->addEntries(Paths::ratesFolder(), {"40.00"});
        press(Qt::Key_E, Qt::AltModifier); // the new rate shows after a refresh
        QTRY_COMPARE(itemsOf(window.get(), "comRates").size(), 3);
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(textOf(window.get(), "txtMonthly") + textOf(window.get(), "txtValue"),
                     QString());
    }

    void everyWindowReadAndItsAccessKeys_data() { rowsFromFile("access_keys.txt", "\t"); }

    // Alt+letter leads to its control; Enter in a box or list tells, prints and writes nothing;
    // a dialog closes (rejected) with Alt+C, Escape, and Enter, keypad Enter or Space on Close.
    void everyWindowReadAndItsAccessKeys()
    {
        QFETCH(Row, row);
        QStringList captions, changed; // changed: every file replaced, created, removed or renamed
        const QString window = row["window"], keys = row["Alt+letter:control"];
        auto w = show(window);
        QCOMPARE(readingFaults(w.get(), captions), QStringList());
        QCOMPARE(captions.join('|'), row["captions with access keys"]);
        if (!row["Tab ring"].isEmpty())
            checkRing(w.get(), row["Tab ring"].split(' '));
        for (const QString &pair : keys.split(' ', Qt::SkipEmptyParts)) {
            press(Qt::Key_A + pair.at(0).unicode() - 'A', Qt::AltModifier);
            QCOMPARE(focusName(), pair.mid(2));
        }
        t->files.refuse = [&changed](const QString &path) { return changed << path, false; };
        // The help windows hold nothing to change: Enter closes them from anywhere.
        for (QWidget *control : keys.isEmpty() ? QWidgetList() : tabControls(w.get())) {
            if (qobject_cast<QAbstractButton *>(control))
                continue;
            control->setFocus();
            press(Qt::Key_Return);
            press(Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(w->isVisible() && t->messages.messages.isEmpty(),
                     qPrintable(control->objectName() + ' ' + t->messages.texts().join('|')));
        }
        QVERIFY(t->printers.jobs.empty());
        QCOMPARE(changed, QStringList());
        if (window == "frmQuotaro") // no Close button; Alt+C is the customer box
            return;
        const QKeySequence close = QKeySequence::mnemonic(
            child<QPushButton>(w.get(), "cmdClose")->text());
        for (const auto &[key, modifier] : {std::pair{close[0].key(), Qt::AltModifier},
                                            {Qt::Key_Escape, Qt::NoModifier},
                                            {Qt::Key_Return, Qt::NoModifier},
                                            {Qt::Key_Enter, Qt::KeypadModifier},
                                            {Qt::Key_Space, Qt::NoModifier}}) {
            w = show(window);
            child(w.get(), "cmdClose")->setFocus();
            press(key, modifier);
            QTRY_VERIFY(!w->isVisible());
            QCOMPARE(static_cast<QDialog *>(w.get())->result(), int(QDialog::Rejected));
        }
    }

    // A question: Enter takes the offered Yes, Escape No; a notice goes with either.
    void messageBoxesAnswerEnterAndEscape()
    {
        for (const auto &[key, buttons, answer] :
             {std::tuple{Qt::Key_Return, MsgButtons::YesNo, MsgAnswer::Yes},
              {Qt::Key_Escape, MsgButtons::YesNo, MsgAnswer::No},
              {Qt::Key_Return, MsgButtons::Ok, MsgAnswer::Ok},
              {Qt::Key_Escape, MsgButtons::Ok, MsgAnswer::Ok}}) {
            QString seen; // the text of the real box the key is pressed in
            whenUp(QApplication::activeModalWidget, [key, &seen](QWidget *modal) {
                seen = modal->property("text").toString();
                QTest::keyClick(modal, key);
            });
            QCOMPARE(QtMessageBoxes().show(nullptr, "Exit Quotaro ?", "Exit", MsgIcon::Question,
                                           buttons),
                     answer);
            QCOMPARE(seen, QStringLiteral("Exit Quotaro ?"));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
