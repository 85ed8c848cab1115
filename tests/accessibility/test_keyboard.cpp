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
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
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
