// Every window used with the keyboard alone: Tab reaches every control that
// can take the focus, in the window's order and round again, Shift+Tab walks
// the same way back, nothing traps the focus, a whole quotation can be made
// without a mouse, and Escape and Enter do in the dialogs and message boxes
// what they do everywhere else on the desktop.
#include "TestPlatform.h"

#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "platform/QtMessageBoxes.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"
#include "store/Paths.h"

#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// The named control that holds the focus: an editable combo box's own line
// edit and a text box's viewport stand for the control itself.
QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            return name;
    }
    return QStringLiteral("<nothing>");
}

// The controls met pressing Tab (or Shift+Tab) from the current focus until
// the focus comes back to where it started; a walk that never comes back is
// cut off after a limit and shows up as a longer list.
QStringList tabWalk(bool backwards = false)
{
    QStringList names{focusName()};
    for (int i = 0; i < 100; ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            break;
        if (backwards)
            QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(focus, Qt::Key_Tab);
        const QString now = focusName();
        if (now == names.first())
            return names;
        names.append(now);
    }
    names.append(QStringLiteral("<the focus never came back>"));
    return names;
}

// The named controls of a window a user can reach with Tab: shown, enabled
// and taking the focus by Tab.
QSet<QString> reachableControls(QWidget *window)
{
    QSet<QString> names;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
            && !w->focusProxy())
            names.insert(name);
    }
    return names;
}

QStringList reversedCycle(const QStringList &forward)
{
    // The same ring read the other way, starting at the same control.
    QStringList back{forward.first()};
    for (qsizetype i = forward.size() - 1; i > 0; --i)
        back.append(forward.at(i));
    return back;
}

void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// Answers the next modal window with a key, once it is up, and notes the
// text of a message box or the title of another window.
void pressInNextModal(Qt::Key key, QString *seenText = nullptr)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [key, seenText, poll]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, *poll);
            return;
        }
        if (seenText) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            *seenText = box ? box->text() : modal->windowTitle();
        }
        QTest::keyClick(modal, key);
    };
    QTimer::singleShot(0, *poll);
}

// Alt and the underlined letter, as a user presses it in the active window.
// A button pressed this way shows itself pressed for a moment before it acts,
// so what it does is waited for.
void altKey(Qt::Key letter)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    QVERIFY(target);
    QTest::keyClick(target, letter, Qt::AltModifier);
}

// The access keys that clash within one window or within one menu: two
// controls with the same Alt+letter make the key do neither. A label's
// underline only works with a buddy; without one its "&" would show as such.
QStringList accessKeyClashes(QWidget *window)
{
    QStringList problems;
    QMap<QKeySequence, QString> used;
    auto claim = [&problems](QMap<QKeySequence, QString> &keys, const QString &text,
                             const QString &owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return;
        if (keys.contains(key))
            problems.append(QStringLiteral("%1 and %2 both use %3")
                                .arg(keys.value(key), owner, key.toString()));
        keys.insert(key, owner);
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            claim(used, button->text(), w->objectName());
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            if (!QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
                problems.append(QStringLiteral("%1 has an access key but no buddy").arg(w->objectName()));
            claim(used, label->text(), w->objectName());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            claim(used, group->title(), w->objectName());
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *menu : bar->actions())
                claim(used, menu->text(), menu->menu() ? menu->menu()->objectName() : menu->text());
        }
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        QMap<QKeySequence, QString> items;
        for (QAction *item : menu->actions())
            claim(items, item->text(), item->objectName());
    }
    return problems;
}

// Every control's caption that carries an access key, as shown.
QStringList accessKeyCaptions(QWidget *window)
{
    QStringList captions;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            text = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w))
            text = label->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            text = group->title();
        if (!QKeySequence::mnemonic(text).isEmpty())
            captions.append(text);
    }
    for (QAction *action : window->findChildren<QAction *>())
        if (!QKeySequence::mnemonic(action->text()).isEmpty())
            captions.append(action->text());
    captions.sort();
    captions.removeDuplicates();
    return captions;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPlatform> t;

    void standardLists()
    {
        t->addEntries(Paths::upfrontsFolder(), {QStringLiteral("1"), QStringLiteral("3")});
        t->addEntries(Paths::midsFolder(), {QStringLiteral("12"), QStringLiteral("24")});
        t->addEntries(Paths::finalsFolder(), {QStringLiteral("1"), QStringLiteral("2")});
        t->addEntries(Paths::ratesFolder(), {QStringLiteral("25.00"), QStringLiteral("30.00")});
    }

    std::unique_ptr<frmQuotaro> startMainWindow()
    {
        auto window = std::make_unique<frmQuotaro>(t->platform, t->settings);
        if (window->Form_Load() != frmQuotaro::StartResult::Show)
            return nullptr;
        showActive(window.get());
        return window;
    }

    // The dialog's tab ring covers every reachable control, Shift+Tab walks
    // it backwards, and Escape closes the dialog as cancelled.
    void checkDialog(QDialog *dialog)
    {
        showActive(dialog);
        const QStringList forward = tabWalk();
        QCOMPARE(QSet<QString>(forward.cbegin(), forward.cend()), reachableControls(dialog));
        QCOMPARE(forward.size(), reachableControls(dialog).size());
        QCOMPARE(tabWalk(true), reversedCycle(forward));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
    }
    void cleanup() { t.reset(); }

    // ------------------------------------------------------------ main window

    void mainWindowTabRingFollowsTheWindowOrder()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        QCOMPARE(focusName(), QStringLiteral("txtValue"));

        // Until a term structure is picked, its four lists are closed to input.
        const QStringList order{
            QStringLiteral("txtValue"),          QStringLiteral("cmdValueReset"),
            QStringLiteral("comSelectTerm"),     QStringLiteral("comUpfronts"),
            QStringLiteral("comMids"),           QStringLiteral("comFinals"),
            QStringLiteral("comRates"),          QStringLiteral("cmdRefreshTermsRates"),
            QStringLiteral("cmdResetTermsRates"), QStringLiteral("cmdQuotation"),
            QStringLiteral("cmdQuotationReset"), QStringLiteral("cmdPrint"),
            QStringLiteral("cmdResetSave"),      QStringLiteral("cmdSave"),
            QStringLiteral("txtSaveQuote"),      QStringLiteral("txtEquipmentDetails"),
            QStringLiteral("cmdEquipmentReset"), QStringLiteral("txtCustomerDetails"),
            QStringLiteral("cmdCustomerReset"),  QStringLiteral("cmdResetAll"),
            QStringLiteral("cmdOpenSavedQuotes"), QStringLiteral("cmdExit"),
            QStringLiteral("txtQuoteValue"),     QStringLiteral("txtQuoteTerm"),
            QStringLiteral("txtRate"),           QStringLiteral("txtTermStart"),
            QStringLiteral("txtTermMiddle"),     QStringLiteral("txtTermEnd"),
            QStringLiteral("txtUpfront"),        QStringLiteral("txtMonthly"),
            QStringLiteral("txtFinal"),          QStringLiteral("txtWeekly"),
            QStringLiteral("txtDaily")};
        QStringList expected;
        for (const QString &name : order) {
            auto *w = window->findChild<QWidget *>(name);
            QVERIFY2(w, qPrintable(name));
            if (w->isEnabled())
                expected.append(name);
        }
        const QStringList forward = tabWalk();
        QCOMPARE(forward, expected);
        // Nothing a user could work with is left out of the ring.
        QCOMPARE(QSet<QString>(forward.cbegin(), forward.cend()), reachableControls(window.get()));
        QCOMPARE(tabWalk(true), reversedCycle(forward));
    }

    void mainWindowMultiLineBoxesLetTabMoveOn()
    {
        auto window = startMainWindow();
        QVERIFY(window);
        for (const QString &box : {QStringLiteral("txtEquipmentDetails"),
                                   QStringLiteral("txtCustomerDetails")}) {
            auto *edit = window->findChild<QPlainTextEdit *>(box);
            QVERIFY(edit);
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("Crane"));
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, QStringLiteral("Yard"));
            QTest::keyClick(edit, Qt::Key_Tab);
            // Enter breaks the line, Tab leaves the box and types nothing.
            QCOMPARE(edit->toPlainText(), QStringLiteral("Crane\nYard"));
            QVERIFY2(focusName() != box, qPrintable(focusName()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(focusName(), box);
        }
    }

    void mainWindowQuotationWithoutAMouse()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        auto *monthly = window->findChild<QLineEdit *>(QStringLiteral("txtMonthly"));
        auto *term = window->findChild<QComboBox *>(QStringLiteral("comSelectTerm"));
        QVERIFY(monthly && term);

        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("comSelectTerm"));
        // Down picks the first structure (upfront, mids and final), then each
        // list's first entry in turn.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(term->currentIndex(), 0);
        for (const QString &list : {QStringLiteral("comUpfronts"), QStringLiteral("comMids"),
                                    QStringLiteral("comFinals"), QStringLiteral("comRates")}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), list);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        while (focusName() != QLatin1String("cmdQuotation") && focusName() != QLatin1String("txtValue"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdQuotation"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

        QVERIFY2(t->messages.messages.isEmpty(), qPrintable(t->messages.texts().join(QLatin1Char('|'))));
        // 1000 at 25 per 1000: a monthly rental of 25.
        QCOMPARE(monthly->text(), QLocale(QLocale::English, QLocale::UnitedStates)
                                      .toCurrencyString(25.0, QStringLiteral("$"), 2));
    }

    void mainWindowMenusOpenFromTheKeyboard()
    {
        auto window = startMainWindow();
        QVERIFY(window);
        auto *bar = window->findChild<QMenuBar *>();
        QVERIFY(bar);
        // Alt alone takes the focus to the menu bar; the arrows walk it.
        QTest::keyPress(window.get(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window.get(), Qt::Key_Alt);
        QVERIFY(bar->activeAction());
        QStringList titles;
        for (int i = 0; i < 4; ++i) {
            titles.append(bar->activeAction()->text().remove(QLatin1Char('&')));
            if (i < 3)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        }
        QCOMPARE(titles, (QStringList{QStringLiteral("File"), QStringLiteral("Setup"),
                                      QStringLiteral("Quotes"), QStringLiteral("Help")}));

        // Down opens Help at its first item; two more lead to About, which
        // Enter opens and Escape closes again.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QString opened;
        pressInNextModal(Qt::Key_Escape, &opened);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("About"));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(window->isVisible());
    }

    // ------------------------------------------------------------ dialogs

    void dialogsTabRingsAndEscape()
    {
        standardLists();
        t->write(Paths::quoteFile(QStringLiteral("Acme")), "Acme\r\n");
        {
            frmTermsSetup w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmRatesSetup w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmPrinterSetup w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmPageSetup w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmOpenSavedQuotes w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmCalculationFormula w(t->platform, t->settings);
            checkDialog(&w);
        }
        {
            frmAbout w(t->platform, t->settings);
            checkDialog(&w);
        }
    }

    void dialogsCloseButtonTakesTheSpaceKey()
    {
        frmTermsSetup w(t->platform, t->settings);
        showActive(&w);
        auto *close = w.findChild<QPushButton *>(QStringLiteral("cmdClose"));
        QVERIFY(close);
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Space);
        QVERIFY(!w.isVisible());
    }

    // ------------------------------------------------------------ access keys

    void accessKeysAreUnderlinedWithoutClashes()
    {
        auto main = startMainWindow();
        QVERIFY(main);
        QCOMPARE(accessKeyClashes(main.get()), QStringList());
        QStringList mainCaptions{
            "&File", "&Setup", "&Quotes", "&Help", "E&xit", "&Printer setup", "P&age setup",
            "&Terms setup", "&Rates setup", "&Open saved quotes", "&Calculation formula",
            "Remote &support", "&About", "&Value", "&Term", "&Upfronts", "&Mids", "Fi&nals",
            "&Rates", "Refr&esh terms and rates", "&Generate quotation", "&Print quote",
            "Save quote &as", "Reset a&ll", "Equipment &details (Optional)",
            "&Customer details (Optional)"};
        mainCaptions.sort();
        mainCaptions.removeDuplicates();
        QCOMPARE(accessKeyCaptions(main.get()), mainCaptions);

        const auto check = [](QWidget *window, QStringList expected) {
            QCOMPARE(accessKeyClashes(window), QStringList());
            expected.sort();
            QCOMPARE(accessKeyCaptions(window), expected);
        };
        frmOpenSavedQuotes saved(t->platform, t->settings);
        check(&saved, {"&Saved quotes:", "&Open quote", "&Print quote", "&Edit quote", "Re&fresh",
                       "Re&name quote as", "&Delete quote", "&Close"});
        frmPrinterSetup printer(t->platform, t->settings);
        check(&printer, {"&Printer", "&Horizontal margin", "&Vertical margin", "&Font", "Font si&ze",
                         "&Bold", "&Italic", "&Underline", "&Apply", "Ca&ncel", "Print &test page",
                         "&Close"});
        frmPageSetup page(t->platform, t->settings);
        check(&page, {"Change h&eader", "Change f&ooter", "&Close"});
        frmRatesSetup rates(t->platform, t->settings);
        check(&rates, {"Add &rate", "&Add rate", "&Delete rate", "&Close"});
        frmTermsSetup terms(t->platform, t->settings);
        check(&terms, {"Add &upfront", "Add &mid", "Add &final", "Delete u&pfront", "Delete m&id",
                       "Delete fi&nal", "&Close"});
        frmCalculationFormula formula(t->platform, t->settings);
        check(&formula, {"&Close"});
        frmAbout about(t->platform, t->settings);
        check(&about, {"&Close"});
    }

    void mainWindowQuotationByAccessKeys()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        auto *value = window->findChild<QLineEdit *>(QStringLiteral("txtValue"));
        auto *monthly = window->findChild<QLineEdit *>(QStringLiteral("txtMonthly"));
        QVERIFY(value && monthly);

        QTest::keyClicks(value, QStringLiteral("1000"));
        // Each label's letter takes the focus to its list, where Down picks.
        const QList<QPair<Qt::Key, QString>> lists{
            {Qt::Key_T, QStringLiteral("comSelectTerm")}, {Qt::Key_U, QStringLiteral("comUpfronts")},
            {Qt::Key_M, QStringLiteral("comMids")},       {Qt::Key_N, QStringLiteral("comFinals")},
            {Qt::Key_R, QStringLiteral("comRates")}};
        for (const auto &[letter, list] : lists) {
            altKey(letter);
            QCOMPARE(focusName(), list);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        // In a digits-only list a letter that underlines nothing types nothing.
        auto *mids = window->findChild<QComboBox *>(QStringLiteral("comMids"));
        altKey(Qt::Key_M);
        const QString mid = mids->currentText();
        altKey(Qt::Key_K);
        QCOMPARE(mids->currentText(), mid);
        altKey(Qt::Key_V);
        QCOMPARE(focusName(), QStringLiteral("txtValue"));
        altKey(Qt::Key_G);
        QVERIFY2(t->messages.messages.isEmpty(), qPrintable(t->messages.texts().join(QLatin1Char('|'))));
        QTRY_COMPARE(monthly->text(), QStringLiteral("$25.00"));

        // The group titles lead into their text boxes.
        altKey(Qt::Key_D);
        QCOMPARE(focusName(), QStringLiteral("txtEquipmentDetails"));
        altKey(Qt::Key_C);
        QCOMPARE(focusName(), QStringLiteral("txtCustomerDetails"));

        // A newly added rate shows after Refresh terms and rates.
        auto *rates = window->findChild<QComboBox *>(QStringLiteral("comRates"));
        const int before = rates->count();
        t->addEntries(Paths::ratesFolder(), {QStringLiteral("40.00")});
        altKey(Qt::Key_E);
        QTRY_COMPARE(rates->count(), before + 1);

        altKey(Qt::Key_L);
        QTRY_COMPARE(value->text(), QString());
        QCOMPARE(monthly->text(), QString());
    }

    void mainWindowAccessKeysOpenMenusAndWindows()
    {
        auto window = startMainWindow();
        QVERIFY(window);
        altKey(Qt::Key_S);
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QCOMPARE(popup->objectName(), QStringLiteral("menuSetup"));
        // Inside the menu the item's letter alone opens it.
        QString opened;
        pressInNextModal(Qt::Key_Escape, &opened);
        QTest::keyClick(popup, Qt::Key_R);
        QCOMPARE(opened, QStringLiteral("Rates setup"));
        QVERIFY(!QApplication::activePopupWidget());

        opened.clear();
        showActive(window.get());
        pressInNextModal(Qt::Key_Escape, &opened);
        altKey(Qt::Key_O);
        QTRY_COMPARE(opened, QStringLiteral("Saved quotes"));

        // Exit asks first; No keeps the window.
        t->messages.answerNext(MsgAnswer::No);
        t->messages.clear();
        showActive(window.get());
        altKey(Qt::Key_X);
        QTRY_COMPARE(t->messages.texts(), QStringList{QStringLiteral("Are you sure you want to exit Quotaro ?")});
        QVERIFY(window->isVisible());
    }

    void dialogAccessKeysMoveTheFocusAndPress()
    {
        t->write(Paths::quoteFile(QStringLiteral("Acme")), "Acme\r\n");
        {
            frmOpenSavedQuotes w(t->platform, t->settings);
            showActive(&w);
            altKey(Qt::Key_S);
            QCOMPARE(focusName(), QStringLiteral("lstSavedQuotes"));
            // Space picks the quote the list's focus is on.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QVERIFY2(t->messages.messages.isEmpty(), qPrintable(t->messages.texts().join(QLatin1Char('|'))));
            altKey(Qt::Key_O);
            QTRY_COMPARE(w.findChild<QLineEdit *>(QStringLiteral("txtOpenQuoteName"))->text(),
                     QStringLiteral("Acme"));
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w.isVisible());
        }
        {
            frmPrinterSetup w(t->platform, t->settings);
            showActive(&w);
            const QList<QPair<Qt::Key, QString>> fields{
                {Qt::Key_P, QStringLiteral("comChangePrinter")},
                {Qt::Key_H, QStringLiteral("txtChangeHorizontalMargin")},
                {Qt::Key_V, QStringLiteral("txtChangeVerticalMargin")},
                {Qt::Key_F, QStringLiteral("comChangeFont")},
                {Qt::Key_Z, QStringLiteral("comChangeFontSize")}};
            for (const auto &[letter, field] : fields) {
                altKey(letter);
                QCOMPARE(focusName(), field);
            }
            auto *bold = w.findChild<QCheckBox *>(QStringLiteral("chkChangeBold"));
            const bool wasBold = bold->isChecked();
            altKey(Qt::Key_B);
            QTRY_COMPARE(bold->isChecked(), !wasBold);
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w.isVisible());
        }
        {
            frmPageSetup w(t->platform, t->settings);
            showActive(&w);
            altKey(Qt::Key_O);
            QCOMPARE(focusName(), QStringLiteral("txtChangeFooter"));
            altKey(Qt::Key_E);
            QCOMPARE(focusName(), QStringLiteral("txtChangeHeader"));
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w.isVisible());
        }
        {
            frmRatesSetup w(t->platform, t->settings);
            showActive(&w);
            w.findChild<QWidget *>(QStringLiteral("cmdClose"))->setFocus();
            altKey(Qt::Key_R);
            QCOMPARE(focusName(), QStringLiteral("txtRate"));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.50"));
            altKey(Qt::Key_A);
            QTRY_VERIFY(t->exists(Paths::entryFile(Paths::ratesFolder(), QStringLiteral("12.50"))));
            auto *list = w.findChild<QListWidget *>(QStringLiteral("lstRates"));
            list->setCurrentItem(list->findItems(QStringLiteral("12.50"), Qt::MatchExactly).value(0));
            t->messages.answerNext(MsgAnswer::Yes);
            altKey(Qt::Key_D);
            QTRY_VERIFY(!t->exists(Paths::entryFile(Paths::ratesFolder(), QStringLiteral("12.50"))));
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w.isVisible());
        }
        {
            t->addEntries(Paths::upfrontsFolder(), {QStringLiteral("3")});
            frmTermsSetup w(t->platform, t->settings);
            showActive(&w);
            const QList<QPair<Qt::Key, QString>> fields{{Qt::Key_M, QStringLiteral("txtMid")},
                                                        {Qt::Key_F, QStringLiteral("txtFinal")},
                                                        {Qt::Key_U, QStringLiteral("txtUpfront")}};
            for (const auto &[letter, field] : fields) {
                altKey(letter);
                QCOMPARE(focusName(), field);
            }
            auto *list = w.findChild<QListWidget *>(QStringLiteral("lstUpfront"));
            list->setCurrentItem(list->findItems(QStringLiteral("3"), Qt::MatchExactly).value(0));
            t->messages.answerNext(MsgAnswer::Yes);
            altKey(Qt::Key_P);
            QTRY_VERIFY(!t->exists(Paths::entryFile(Paths::upfrontsFolder(), QStringLiteral("3"))));
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w.isVisible());
        }
        for (const bool about : {false, true}) {
            std::unique_ptr<QDialog> w;
            if (about)
                w = std::make_unique<frmAbout>(t->platform, t->settings);
            else
                w = std::make_unique<frmCalculationFormula>(t->platform, t->settings);
            showActive(w.get());
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w->isVisible());
        }
    }

    // ------------------------------------------------------------ Enter

    void enterPressesTheFocusedButtonOnly()
    {
        standardLists();
        const QString added = Paths::entryFile(Paths::ratesFolder(), QStringLiteral("7.00"));
        {
            frmRatesSetup w(t->platform, t->settings);
            showActive(&w);
            auto *box = w.findChild<QLineEdit *>(QStringLiteral("txtRate"));
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("7.00"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(!t->exists(added));
            QVERIFY(t->messages.messages.isEmpty());
            QVERIFY(w.isVisible());
            QTest::keyClick(box, Qt::Key_Tab);
            QCOMPARE(focusName(), QStringLiteral("cmdAddRate"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(t->exists(added));
        }
        t->messages.clear();
        {
            frmTermsSetup w(t->platform, t->settings);
            showActive(&w);
            auto *box = w.findChild<QLineEdit *>(QStringLiteral("txtMid"));
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("36"));
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY(!t->exists(Paths::entryFile(Paths::midsFolder(), QStringLiteral("36"))));
            QVERIFY(t->messages.messages.isEmpty());
            auto *add = w.findChild<QPushButton *>(QStringLiteral("cmdAddMid"));
            add->setFocus();
            QTest::keyClick(add, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(t->exists(Paths::entryFile(Paths::midsFolder(), QStringLiteral("36"))));
        }
        t->messages.clear();
        {
            // In the header box Enter starts a new line and applies nothing.
            frmPageSetup w(t->platform, t->settings);
            showActive(&w);
            const QString header = t->settings.page.PageHeader;
            auto *box = w.findChild<QPlainTextEdit *>(QStringLiteral("txtChangeHeader"));
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("Acme"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClicks(box, QStringLiteral("Leasing"));
            QCOMPARE(t->settings.page.PageHeader, header);
            QVERIFY(t->messages.messages.isEmpty());
            auto *apply = w.findChild<QPushButton *>(QStringLiteral("cmdApplyHeader"));
            apply->setFocus();
            QTest::keyClick(apply, Qt::Key_Return);
            QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Acme\r\nLeasing"));
            QCOMPARE(t->messages.texts(), QStringList{QStringLiteral("The page header has been changed !")});
        }
        t->messages.clear();
        {
            // A margin being typed is not applied, nor the window closed.
            frmPrinterSetup w(t->platform, t->settings);
            showActive(&w);
            const QString before = t->read(Paths::horizontalMarginFile()).toHex();
            auto *margin = w.findChild<QLineEdit *>(QStringLiteral("txtChangeHorizontalMargin"));
            margin->setFocus();
            QTest::keyClicks(margin, QStringLiteral("1200"));
            QTest::keyClick(margin, Qt::Key_Return);
            QVERIFY(w.isVisible());
            QVERIFY(t->messages.messages.isEmpty());
            QCOMPARE(t->read(Paths::horizontalMarginFile()).toHex(), before);
            QCOMPARE(margin->text(), QStringLiteral("1200"));
        }
        {
            auto window = startMainWindow();
            QVERIFY(window);
            auto *value = window->findChild<QLineEdit *>(QStringLiteral("txtValue"));
            QTest::keyClicks(value, QStringLiteral("1000"));
            QTest::keyClick(value, Qt::Key_Return);
            QVERIFY(t->messages.messages.isEmpty());
            auto *generate = window->findChild<QPushButton *>(QStringLiteral("cmdQuotation"));
            generate->setFocus();
            QTest::keyClick(generate, Qt::Key_Return);
            // No term picked yet: the button ran and said so.
            QCOMPARE(t->messages.messages.size(), 1);
        }
    }

    void enterOnCloseClosesEveryDialog()
    {
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.push_back(std::make_unique<frmTermsSetup>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmRatesSetup>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmPrinterSetup>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmPageSetup>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmOpenSavedQuotes>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmCalculationFormula>(t->platform, t->settings));
        dialogs.push_back(std::make_unique<frmAbout>(t->platform, t->settings));
        for (const auto &dialog : dialogs) {
            showActive(dialog.get());
            auto *close = dialog->findChild<QPushButton *>(QStringLiteral("cmdClose"));
            QVERIFY(close);
            close->setFocus();
            QTest::keyClick(close, Qt::Key_Return);
            QVERIFY2(!dialog->isVisible(), qPrintable(dialog->objectName()));
        }
    }

    // ------------------------------------------------------------ message boxes

    void messageBoxesAnswerEnterAndEscape()
    {
        QWidget owner;
        showActive(&owner);
        QtMessageBoxes boxes;
        QString seen;

        // A question: Enter takes the offered Yes, Escape backs out with No.
        pressInNextModal(Qt::Key_Return, &seen);
        QCOMPARE(boxes.show(&owner, QStringLiteral("Are you sure you want to exit Quotaro ?"),
                            QStringLiteral("Exit"), MsgIcon::Question, MsgButtons::YesNo),
                 MsgAnswer::Yes);
        QCOMPARE(seen, QStringLiteral("Are you sure you want to exit Quotaro ?"));
        pressInNextModal(Qt::Key_Escape);
        QCOMPARE(boxes.show(&owner, QStringLiteral("Delete ?"), QStringLiteral("Delete"),
                            MsgIcon::Question, MsgButtons::YesNo),
                 MsgAnswer::No);

        // A notice goes away with either key.
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            seen.clear();
            pressInNextModal(key, &seen);
            QCOMPARE(boxes.show(&owner, QStringLiteral("Please enter a valid value !"),
                                QStringLiteral("Invalid value"), MsgIcon::Exclamation,
                                MsgButtons::Ok),
                     MsgAnswer::Ok);
            QCOMPARE(seen, QStringLiteral("Please enter a valid value !"));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
