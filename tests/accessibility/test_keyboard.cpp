// Every window used with the keyboard alone and read as it shows by a
// screen reader (through Qt's accessible interfaces; the bus itself is read
// by accessibility_main_window; the dialogs' Tab rings by their own tests).
#include "TestPlatform.h"
#include "WidgetDriver.h"

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
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <memory>

namespace {

// The caption a control shows: button, label or group title.
QString captionOf(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull())
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return group->title();
    return QString();
}

// One line per fault a screen reader or keyboard user meets: a control
// that takes Tab with no name, a tooltip not read as the description, a
// caption read otherwise than shown, an access key used twice in a window
// or a menu, a label's access key with no buddy to lead to.
QStringList readingFaults(QWidget *window)
{
    QStringList faults;
    QMap<QKeySequence, QString> used;
    const auto claim = [&faults](QMap<QKeySequence, QString> &keys, const QString &text,
                                 const QString &owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty() && keys.contains(key))
            faults << keys.value(key) + " and " + owner + " both use " + key.toString();
        if (!key.isEmpty())
            keys.insert(key, owner);
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
        const QString caption = captionOf(w);
        if (!qobject_cast<QGroupBox *>(w) && !caption.isEmpty()
            && spoken != QString(caption).remove('&'))
            faults << name + ": read as " + spoken + ", shows " + caption;
        claim(used, caption, name);
        auto *label = qobject_cast<QLabel *>(w);
        if (label && !QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
            faults << name + " has an access key but no buddy";
        if (auto *bar = qobject_cast<QMenuBar *>(w))
            for (QAction *menu : bar->actions())
                claim(used, menu->text(), menu->text());
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        QMap<QKeySequence, QString> items;
        for (QAction *item : menu->actions())
            claim(items, item->text(), item->objectName());
    }
    return faults;
}

// Every caption that carries an access key, sorted.
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

// "P:comChangePrinter H:txtChange...": Alt+letter leads to the control.
void checkAccessKeys(const QString &targets)
{
    for (const QString &pair : targets.split(' ', Qt::SkipEmptyParts)) {
        press(Qt::Key_A + pair.at(0).unicode() - 'A', Qt::AltModifier);
        QCOMPARE(focusName(), pair.mid(2));
    }
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
    std::unique_ptr<TestPlatform> t;

    std::unique_ptr<QWidget> show(const QString &name)
    {
        auto *main = name == "frmQuotaro" ? new frmQuotaro(t->platform, t->settings) : nullptr;
        std::unique_ptr<QWidget> w(
            main                               ? main
                : name == "frmTermsSetup"      ? new frmTermsSetup(t->platform)
                : name == "frmRatesSetup"      ? new frmRatesSetup(t->platform)
                : name == "frmPrinterSetup"    ? new frmPrinterSetup(t->platform, t->settings)
                : name == "frmPageSetup"       ? new frmPageSetup(t->platform, t->settings)
                : name == "frmOpenSavedQuotes" ? new frmOpenSavedQuotes(t->platform, t->settings)
                : name == "frmCalculationFormula"
                ? static_cast<QWidget *>(new frmCalculationFormula)
                : new frmAbout);
        if ((main && main->Form_Load() != frmQuotaro::StartResult::Show) || !showActive(w.get()))
            qWarning("%s did not come up", qPrintable(name));
        return w;
    }

    // Enter and the keypad's Enter in every box and list a user reaches:
    // nothing is told, printed or written, and the window stays.
    void checkEnterSetsNothingOff(QWidget *window)
    {
        QStringList changed; // every file the window would replace, create, remove or rename
        t->files.refuse = [&changed](const QString &path) { return changed << path, false; };
        for (QWidget *control : window->findChildren<QWidget *>()) {
            const QString name = control->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || !control->isVisibleTo(window)
                || !control->isEnabled() || !(control->focusPolicy() & Qt::TabFocus)
                || control->focusProxy() || qobject_cast<QAbstractButton *>(control))
                continue;
            control->setFocus();
            press(Qt::Key_Return);
            press(Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(window->isVisible() && t->messages.messages.isEmpty(),
                     qPrintable(name + ' ' + t->messages.texts().join('|')));
        }
        QVERIFY(t->printers.jobs.empty());
        QCOMPARE(changed, QStringList());
        t->files.refuse = nullptr;
    }

private slots:
    void init()
    {
        t = std::make_unique<TestPlatform>();
        t->makeTree();
        t->addEntries(Paths::upfrontsFolder(), {"1", "3"});
        t->addEntries(Paths::midsFolder(), {"12", "24"});
        t->addEntries(Paths::finalsFolder(), {"1", "2"});
        t->addEntries(Paths::ratesFolder(), {"25.00", "30.00"});
        t->write(Paths::quoteFile("Acme"), "Acme\r\n");
    }
    void cleanup() { t.reset(); }

    // The Tab ring (the value boxes are closed until a term is picked),
    // and Enter: a new line in the multi-line boxes, nothing set off
    // elsewhere, the focused button pressed.
    void mainWindowRingAndEnter()
    {
        auto window = show("frmQuotaro");
        QFile file(QFINDTESTDATA("main_window_ring.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        file.readLine(); // the comment
        const QStringList ring = QString::fromUtf8(file.readAll()).simplified().split(' ');
        QCOMPARE(tabWalk(), ring);
        QStringList back = ring;
        std::reverse(back.begin() + 1, back.end());
        QCOMPARE(tabWalk(true), back);
        for (const char *box : {"txtEquipmentDetails", "txtCustomerDetails"}) {
            typeInto(window.get(), box, "Crane\nYard");
            QCOMPARE(textOf(window.get(), box), QStringLiteral("Crane\nYard"));
        }
        typeInto(window.get(), "txtValue", "1000");
        checkEnterSetsNothingOff(window.get());
        // No term picked yet: the button runs and says so.
        child(window.get(), "cmdQuotation")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(t->messages.messages.size(), 1);
    }

    void mainWindowQuotationByAccessKeys()
    {
        auto window = show("frmQuotaro");
        typeInto(window.get(), "txtValue", "1000");
        // Each label's letter takes the focus to its list, where Down picks
        // the first entry (for the term: upfront, mids and final).
        for (const QString &target :
             QString("T:comSelectTerm U:comUpfronts M:comMids N:comFinals R:comRates").split(' ')) {
            checkAccessKeys(target);
            press(Qt::Key_Down);
        }
        checkAccessKeys("V:txtValue");
        press(Qt::Key_G, Qt::AltModifier);
        // 1000 at 25 per 1000: a monthly rental of 25.
        QTRY_COMPARE(textOf(window.get(), "txtMonthly"), QStringLiteral("$25.00"));
        QCOMPARE(t->messages.texts(), QStringList());
        // The group titles lead into their text boxes.
        checkAccessKeys("D:txtEquipmentDetails C:txtCustomerDetails");
        // A newly added rate shows after Refresh terms and rates.
        t->addEntries(Paths::ratesFolder(), {"40.00"});
        press(Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(itemsOf(window.get(), "comRates").size(), 3);
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(textOf(window.get(), "txtValue"), QString());
        QCOMPARE(textOf(window.get(), "txtMonthly"), QString());
    }

    void everyWindowReadAndItsAccessKeys_data()
    {
        // A window, Alt+letter with the control it leads to, and every
        // caption with an access key.
        QTest::addColumn<QStringList>("row");
        QFile file(QFINDTESTDATA("access_keys.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!file.atEnd()) {
            const QStringList row = QString::fromUtf8(file.readLine()).trimmed().split('\t');
            QTest::newRow(qPrintable(row[0])) << row;
        }
    }

    // Read as shown, no access key twice; in a dialog Escape cancels, Enter
    // in a box or list sets nothing off (the help windows hold nothing to
    // change), and Alt+C, or Enter, keypad Enter or Space on Close, closes.
    void everyWindowReadAndItsAccessKeys()
    {
        QFETCH(QStringList, row);
        const QString name = row[0], targets = row[1];
        auto w = show(name);
        QCOMPARE(readingFaults(w.get()), QStringList());
        QStringList expected = row[2].split('|');
        expected.sort();
        expected.removeDuplicates();
        QCOMPARE(accessKeyCaptions(w.get()), expected);
        if (name == "frmQuotaro")
            return;
        child(w.get(), "cmdClose")->setFocus();
        checkAccessKeys(targets);
        press(Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!w->isVisible());
        w = show(name);
        press(Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(static_cast<QDialog *>(w.get())->result(), int(QDialog::Rejected));
        if (!name.startsWith("frmAbout") && !name.startsWith("frmCalculation"))
            checkEnterSetsNothingOff(show(name).get());
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            w = show(name);
            child(w.get(), "cmdClose")->setFocus();
            press(key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QVERIFY(!w->isVisible());
        }
    }

    // A question: Enter takes the offered Yes, Escape backs out with No; a
    // notice goes away with either key.
    void messageBoxesAnswerEnterAndEscape()
    {
        QWidget owner;
        QVERIFY(showActive(&owner));
        QtMessageBoxes boxes;
        const QString ask = "Are you sure you want to exit Quotaro ?";
        for (const auto &[key, buttons, answer] :
             {std::tuple{Qt::Key_Return, MsgButtons::YesNo, MsgAnswer::Yes},
              {Qt::Key_Escape, MsgButtons::YesNo, MsgAnswer::No},
              {Qt::Key_Return, MsgButtons::Ok, MsgAnswer::Ok},
              {Qt::Key_Escape, MsgButtons::Ok, MsgAnswer::Ok}}) {
            QString seen; // the key pressed in the real box once it is up
            whenUp(QApplication::activeModalWidget, [key, &seen](QWidget *modal) {
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    seen = box->text();
                QTest::keyClick(modal, key);
            });
            QCOMPARE(
                boxes.show(&owner, ask, "Exit",
                           buttons == MsgButtons::Ok ? MsgIcon::Exclamation : MsgIcon::Question,
                           buttons),
                answer);
            QCOMPARE(seen, ask);
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
