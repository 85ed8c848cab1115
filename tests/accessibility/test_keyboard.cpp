// Every window used with the keyboard alone and read by a screen reader:
// Tab reaches every control that can take the focus, in the window's order
// and round again, Shift+Tab walks the same way back, access keys lead where
// their captions say, a whole quotation can be made without a mouse, Escape
// and Enter do in the dialogs and message boxes what they do everywhere else
// on the desktop, and every control has the name and description a reader
// says (as Qt's accessible interfaces give them to the bridge; the bus itself
// is read by the accessibility_main_window test).
#include "TestPlatform.h"

#include "help/frmAbout.h"
#include "help/frmCalculationFormula.h"
#include "platform/gui/QtMessageBoxes.h"
#include "quotation/frmQuotaro.h"
#include "savedquotes/frmOpenSavedQuotes.h"
#include "setup/frmPageSetup.h"
#include "setup/frmPrinterSetup.h"
#include "setup/frmRatesSetup.h"
#include "setup/frmTermsSetup.h"

#include "store/Paths.h"

#include <QAccessible>
#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
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

std::unique_ptr<QDialog> makeDialog(const QString &name, TestPlatform &t)
{
    if (name == QLatin1String("frmTermsSetup"))
        return std::make_unique<frmTermsSetup>(t.platform);
    if (name == QLatin1String("frmRatesSetup"))
        return std::make_unique<frmRatesSetup>(t.platform);
    if (name == QLatin1String("frmPrinterSetup"))
        return std::make_unique<frmPrinterSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmPageSetup"))
        return std::make_unique<frmPageSetup>(t.platform, t.settings);
    if (name == QLatin1String("frmOpenSavedQuotes"))
        return std::make_unique<frmOpenSavedQuotes>(t.platform, t.settings);
    if (name == QLatin1String("frmCalculationFormula"))
        return std::make_unique<frmCalculationFormula>();
    if (name == QLatin1String("frmAbout"))
        return std::make_unique<frmAbout>();
    qFatal("no window %s", qPrintable(name));
}

// One line per control whose reading is wrong, so a failure lists them all.
QStringList unreadableControls(QWidget *window)
{
    QStringList problems;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisibleTo(window))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (!face)
            continue;
        const QString spoken = face->text(QAccessible::Name);
        const QString described = face->text(QAccessible::Description);
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && spoken.trimmed().isEmpty())
            problems.append(QStringLiteral("%1: no name").arg(name));
        // A tooltip the mouse user sees is read to the screen reader user too.
        if (!w->toolTip().isEmpty() && described != w->toolTip())
            problems.append(QStringLiteral("%1: description \"%2\", tooltip \"%3\"")
                                .arg(name, described, w->toolTip()));
        // A button or label is read as the caption it shows.
        QString caption;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            caption = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull())
            caption = label->text();
        caption.remove(QLatin1Char('&'));
        if (!caption.isEmpty() && spoken != caption)
            problems.append(
                QStringLiteral("%1: read as \"%2\", shows \"%3\"").arg(name, spoken, caption));
    }
    return problems;
}

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

// The controls met pressing Tab (or Shift+Tab) until the focus comes back to
// where it started; a walk that never comes back shows up as a longer list.
QStringList tabWalk(bool backwards = false)
{
    QStringList names{focusName()};
    for (int i = 0; i < 100; ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            break;
        QTest::keyClick(focus, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        const QString now = focusName();
        if (now == names.first())
            return names;
        names.append(now);
    }
    names.append(QStringLiteral("<the focus never came back>"));
    return names;
}

// The named controls a user can reach with Tab: shown, enabled, taking Tab.
QSet<QString> reachableControls(QWidget *window)
{
    QSet<QString> names;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && w->isVisibleTo(window)
            && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            names.insert(name);
    }
    return names;
}

// The ring covers every reachable control once, and Shift+Tab walks it back.
void checkTabRing(QWidget *window, const QStringList &forward)
{
    QCOMPARE(QSet<QString>(forward.cbegin(), forward.cend()), reachableControls(window));
    QCOMPARE(forward.size(), reachableControls(window).size());
    QStringList back{forward.first()};
    for (qsizetype i = forward.size() - 1; i > 0; --i)
        back.append(forward.at(i));
    QCOMPARE(tabWalk(true), back);
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

// Alt and the underlined letter in the active window. A button pressed this
// way shows itself pressed for a moment before it acts: callers wait with
// QTRY_* for what it does.
void altKey(Qt::Key letter)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    QVERIFY(target);
    QTest::keyClick(target, letter, Qt::AltModifier);
}

// Every file under a folder with its bytes.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(file.fileName(),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}

// "P:comChangePrinter H:txtChange..." as Alt+letter and the control it leads to.
QList<QPair<Qt::Key, QString>> keyTargets(const QString &text)
{
    QList<QPair<Qt::Key, QString>> result;
    for (const QString &pair : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        result.append({Qt::Key(Qt::Key_A + (pair.at(0).toLatin1() - 'A')), pair.mid(2)});
    return result;
}

// The caption a control shows: button, label or group title.
QString captionOf(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return group->title();
    return QString();
}

// The access keys that clash within one window or within one menu: two
// controls with the same Alt+letter make the key do neither. A label's
// underline only works with a buddy.
QStringList accessKeyClashes(QWidget *window)
{
    QStringList problems;
    QMap<QKeySequence, QString> used;
    auto claim = [&problems](QMap<QKeySequence, QString> &keys, const QString &text,
                             const QString &owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty() && keys.contains(key))
            problems.append(QStringLiteral("%1 and %2 both use %3")
                                .arg(keys.value(key), owner, key.toString()));
        if (!key.isEmpty())
            keys.insert(key, owner);
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        claim(used, captionOf(w), w->objectName());
        auto *label = qobject_cast<QLabel *>(w);
        if (label && !QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
            problems.append(
                QStringLiteral("%1 has an access key but no buddy").arg(w->objectName()));
        if (auto *bar = qobject_cast<QMenuBar *>(w))
            for (QAction *menu : bar->actions())
                claim(used, menu->text(), menu->menu() ? menu->menu()->objectName() : menu->text());
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        QMap<QKeySequence, QString> items;
        for (QAction *item : menu->actions())
            claim(items, item->text(), item->objectName());
    }
    return problems;
}

// Every caption that carries an access key, as shown, sorted.
QStringList accessKeyCaptions(QWidget *window)
{
    QStringList captions;
    for (QWidget *w : window->findChildren<QWidget *>())
        captions.append(captionOf(w));
    for (QAction *action : window->findChildren<QAction *>())
        captions.append(action->text());
    captions.removeIf([](const QString &text) { return QKeySequence::mnemonic(text).isEmpty(); });
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

    std::unique_ptr<QDialog> showDialog(const QString &name)
    {
        auto dialog = makeDialog(name, *t);
        showActive(dialog.get());
        return dialog;
    }

    template <class T>
    T *child(QWidget *window, const char *name)
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QString told() const { return t->messages.texts().join(QLatin1Char('|')); }

    // Enter and the keypad's Enter in every box and list a user reaches:
    // nothing is told, printed or written, and the window stays.
    void checkEnterSetsNothingOff(QWidget *window)
    {
        const auto before = filesUnder(t->dir.path());
        for (const QString &name : reachableControls(window)) {
            QWidget *control = child<QWidget>(window, qPrintable(name));
            if (qobject_cast<QAbstractButton *>(control))
                continue;
            control->setFocus();
            QCOMPARE(focusName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(window->isVisible(), qPrintable(name));
            QVERIFY2(t->messages.messages.isEmpty(), qPrintable(name + QLatin1Char(' ') + told()));
        }
        QVERIFY(t->printers.jobs.empty());
        QCOMPARE(filesUnder(t->dir.path()), before);
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
    }
    void cleanup() { t.reset(); }

    // ------------------------------------------------------------ main window

    void mainWindowTabRingAndAccessKeys()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        QCOMPARE(focusName(), QStringLiteral("txtValue"));

        // Until a term structure is picked, its four lists are closed to input.
        const QStringList order{"txtValue",
                                "cmdValueReset",
                                "comSelectTerm",
                                "comUpfronts",
                                "comMids",
                                "comFinals",
                                "comRates",
                                "cmdRefreshTermsRates",
                                "cmdResetTermsRates",
                                "cmdQuotation",
                                "cmdQuotationReset",
                                "cmdPrint",
                                "cmdResetSave",
                                "cmdSave",
                                "txtSaveQuote",
                                "txtEquipmentDetails",
                                "cmdEquipmentReset",
                                "txtCustomerDetails",
                                "cmdCustomerReset",
                                "cmdResetAll",
                                "cmdOpenSavedQuotes",
                                "cmdExit",
                                "txtQuoteValue",
                                "txtQuoteTerm",
                                "txtRate",
                                "txtTermStart",
                                "txtTermMiddle",
                                "txtTermEnd",
                                "txtUpfront",
                                "txtMonthly",
                                "txtFinal",
                                "txtWeekly",
                                "txtDaily"};
        QStringList expected;
        for (const QString &name : order)
            if (child<QWidget>(window.get(), qPrintable(name))->isEnabled())
                expected.append(name);
        const QStringList forward = tabWalk();
        QCOMPARE(forward, expected);
        checkTabRing(window.get(), forward);

        QCOMPARE(unreadableControls(window.get()), QStringList());
        QCOMPARE(accessKeyClashes(window.get()), QStringList());
        QStringList captions{"&File",
                             "&Setup",
                             "&Quotes",
                             "&Help",
                             "E&xit",
                             "&Printer setup",
                             "P&age setup",
                             "&Terms setup",
                             "&Rates setup",
                             "&Open saved quotes",
                             "&Print preview",
                             "&Export as PDF...",
                             "&Calculation formula",
                             "Remote &support",
                             "&About",
                             "&Value",
                             "&Term",
                             "&Upfronts",
                             "&Mids",
                             "Fi&nals",
                             "&Rates",
                             "Refr&esh terms and rates",
                             "&Generate quotation",
                             "&Print quote",
                             "Save quote &as",
                             "Reset a&ll",
                             "Equipment &details (Optional)",
                             "&Customer details (Optional)"};
        captions.sort();
        captions.removeDuplicates();
        QCOMPARE(accessKeyCaptions(window.get()), captions);
    }

    // Enter breaks the line in a multi-line box (Tab leaves it: see the
    // ring), sets nothing off elsewhere, and presses the focused button.
    void mainWindowEnter()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        for (const char *box : {"txtEquipmentDetails", "txtCustomerDetails"}) {
            auto *edit = child<QPlainTextEdit>(window.get(), box);
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("Crane"));
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClicks(edit, QStringLiteral("Yard"));
            QCOMPARE(edit->toPlainText(), QStringLiteral("Crane\nYard"));
        }
        QTest::keyClicks(child<QLineEdit>(window.get(), "txtValue"), QStringLiteral("1000"));
        checkEnterSetsNothingOff(window.get());
        // No term picked yet: the button runs and says so.
        auto *generate = child<QPushButton>(window.get(), "cmdQuotation");
        generate->setFocus();
        QTest::keyClick(generate, Qt::Key_Return);
        QCOMPARE(t->messages.messages.size(), 1);
    }

    void mainWindowQuotationByAccessKeys()
    {
        standardLists();
        auto window = startMainWindow();
        QVERIFY(window);
        auto *value = child<QLineEdit>(window.get(), "txtValue");
        auto *monthly = child<QLineEdit>(window.get(), "txtMonthly");
        QTest::keyClicks(value, QStringLiteral("1000"));
        // Each label's letter takes the focus to its list, where Down picks
        // the first entry (for the term: upfront, mids and final).
        for (const auto &[letter, list] : keyTargets(QStringLiteral(
                 "T:comSelectTerm U:comUpfronts M:comMids N:comFinals R:comRates"))) {
            altKey(letter);
            QCOMPARE(focusName(), list);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        altKey(Qt::Key_V);
        QCOMPARE(focusName(), QStringLiteral("txtValue"));
        altKey(Qt::Key_G);
        QVERIFY2(t->messages.messages.isEmpty(), qPrintable(told()));
        // 1000 at 25 per 1000: a monthly rental of 25.
        QTRY_COMPARE(monthly->text(), QStringLiteral("$25.00"));

        // The group titles lead into their text boxes.
        altKey(Qt::Key_D);
        QCOMPARE(focusName(), QStringLiteral("txtEquipmentDetails"));
        altKey(Qt::Key_C);
        QCOMPARE(focusName(), QStringLiteral("txtCustomerDetails"));

        // A newly added rate shows after Refresh terms and rates.
        auto *rates = child<QComboBox>(window.get(), "comRates");
        const int before = rates->count();
        t->addEntries(Paths::ratesFolder(), {QStringLiteral("40.00")});
        altKey(Qt::Key_E);
        QTRY_COMPARE(rates->count(), before + 1);

        altKey(Qt::Key_L);
        QTRY_COMPARE(value->text(), QString());
        QCOMPARE(monthly->text(), QString());
    }

    // ------------------------------------------------------------ dialogs

    void dialogs_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("captions"); // every caption with an access key
        QTest::addColumn<QString>("targets"); // Alt+letter and the control it leads to
        QTest::newRow("saved quotes")
            << "frmOpenSavedQuotes"
            << QStringList{"&Saved quotes:", "&Open quote",      "&Print quote",  "&Edit quote",
                           "Re&fresh",       "Re&name quote as", "&Delete quote", "&Close",
                           "&Print preview", "&Export as PDF..."}
            << "S:lstSavedQuotes";
        QTest::newRow("printer setup")
            << "frmPrinterSetup"
            << QStringList{"&Printer", "&Horizontal margin", "&Vertical margin",
                           "&Font",    "Font si&ze",         "&Bold",
                           "&Italic",  "&Underline",         "&Apply",
                           "Ca&ncel",  "Print &test page",   "&Close"}
            << "P:comChangePrinter H:txtChangeHorizontalMargin V:txtChangeVerticalMargin "
               "F:comChangeFont Z:comChangeFontSize";
        QTest::newRow("page setup")
            << "frmPageSetup" << QStringList{"Change h&eader", "Change f&ooter", "&Close"}
            << "O:txtChangeFooter E:txtChangeHeader";
        QTest::newRow("rates setup")
            << "frmRatesSetup" << QStringList{"Add &rate", "&Add rate", "&Delete rate", "&Close"}
            << "R:txtRate";
        QTest::newRow("terms setup")
            << "frmTermsSetup"
            << QStringList{"Add &upfront", "Add &mid",      "Add &final", "Delete u&pfront",
                           "Delete m&id",  "Delete fi&nal", "&Close"}
            << "M:txtMid F:txtFinal U:txtUpfront";
        // The two help windows hold nothing to change: Enter in their text is left to Qt.
        QTest::newRow("calculation formula")
            << "frmCalculationFormula" << QStringList{"&Close"} << "";
        QTest::newRow("about") << "frmAbout" << QStringList{"&Close"} << "";
    }

    // Tab ring both ways, Escape cancels, the access keys; Enter in any box
    // or list sets nothing off; Alt+C, or Enter, keypad Enter or Space on
    // Close closes.
    void dialogs()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, captions);
        QFETCH(QString, targets);
        standardLists();
        t->write(Paths::quoteFile(QStringLiteral("Acme")), "Acme\r\n");
        {
            auto w = showDialog(dialog);
            checkTabRing(w.get(), tabWalk());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!w->isVisible());
            QCOMPARE(w->result(), int(QDialog::Rejected));
        }
        {
            auto w = showDialog(dialog);
            QCOMPARE(unreadableControls(w.get()), QStringList());
            QCOMPARE(accessKeyClashes(w.get()), QStringList());
            captions.sort();
            QCOMPARE(accessKeyCaptions(w.get()), captions);
            child<QWidget>(w.get(), "cmdClose")->setFocus();
            for (const auto &[letter, target] : keyTargets(targets)) {
                altKey(letter);
                QCOMPARE(focusName(), target);
            }
            altKey(Qt::Key_C);
            QTRY_VERIFY(!w->isVisible());
        }
        if (dialog != QLatin1String("frmAbout") && dialog != QLatin1String("frmCalculationFormula"))
            checkEnterSetsNothingOff(showDialog(dialog).get());
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            auto w = showDialog(dialog);
            auto *close = child<QPushButton>(w.get(), "cmdClose");
            close->setFocus();
            QTest::keyClick(close, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QVERIFY(!w->isVisible());
        }
    }

    // ------------------------------------------------------------ Enter

    // In the header box Enter starts a new line; Enter on Apply applies it.
    void pageHeaderTakesEnterAsANewLine()
    {
        auto w = showDialog(QStringLiteral("frmPageSetup"));
        const QString header = t->settings.page.PageHeader;
        auto *box = child<QPlainTextEdit>(w.get(), "txtChangeHeader");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("Acme"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("Leasing"));
        QCOMPARE(t->settings.page.PageHeader, header);
        auto *apply = child<QPushButton>(w.get(), "cmdApplyHeader");
        apply->setFocus();
        QTest::keyClick(apply, Qt::Key_Return);
        QCOMPARE(t->settings.page.PageHeader, QStringLiteral("Acme\r\nLeasing"));
        QCOMPARE(t->messages.texts(),
                 QStringList{QStringLiteral("The page header has been changed !")});
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
