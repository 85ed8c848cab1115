// Every window used by keyboard alone and read through Qt's accessible interfaces.
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

namespace {

// Unnamed controls taking Tab, tooltips or captions read otherwise, access keys used
// twice in a window or menu or on a label with no buddy; captions: those with keys.
QStringList readingFaults(QWidget *window, QStringList &captions)
{
    QStringList faults;
    QMap<QKeySequence, QString> used;
    const auto claim = [&](QMap<QKeySequence, QString> &keys, const QString &text,
                           const QString &owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return;
        if (keys.contains(key))
            faults << keys.value(key) + " and " + owner + " both use " + key.toString();
        keys.insert(key, owner);
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
            claim(used, group->title(), name);
        claim(used, caption, name);
        if (label && !QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
            faults << name + " has an access key but no buddy";
    }
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        claim(used, menu->title(), menu->title());
        QMap<QKeySequence, QString> items;
        for (QAction *item : menu->actions())
            claim(items, item->text(), item->objectName());
    }
    for (QAction *action : window->findChildren<QAction *>()) // context menus too
        if (!QKeySequence::mnemonic(action->text()).isEmpty())
            captions << action->text();
    captions.sort();
    captions.removeDuplicates();
    return faults;
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

    // Enter and keypad Enter in every box and list: nothing told, printed or written.
    void checkEnterSetsNothingOff(QWidget *window)
    {
        QStringList changed; // every file the window would replace, create, remove or rename
        t->files.refuse = [&changed](const QString &path) { return changed << path, false; };
        for (QWidget *control : tabControls(window)) {
            if (qobject_cast<QAbstractButton *>(control))
                continue;
            control->setFocus();
            press(Qt::Key_Return);
            press(Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY2(window->isVisible() && t->messages.messages.isEmpty(),
                     qPrintable(control->objectName() + ' ' + t->messages.texts().join('|')));
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

    // Enter breaks lines, sets nothing off, presses a button; a quotation by access keys.
    void mainWindowEnterAndAQuotationByAccessKeys()
    {
        auto window = show("frmQuotaro");
        for (const char *box : {"txtEquipmentDetails", "txtCustomerDetails"}) {
            typeInto(window.get(), box, "Crane\nYard");
            QCOMPARE(textOf(window.get(), box), QStringLiteral("Crane\nYard"));
        }
        typeInto(window.get(), "txtValue", "1000");
        checkEnterSetsNothingOff(window.get());
        child(window.get(), "cmdQuotation")->setFocus();
        press(Qt::Key_Return); // no term picked yet: the button runs and says so
        QCOMPARE(t->messages.messages.size(), 1);
        t->messages.clear();
        // Each label's letter leads to its list, where Down picks the first entry.
        for (const QString &target :
             QString("T:comSelectTerm U:comUpfronts M:comMids N:comFinals R:comRates").split(' ')) {
            checkAccessKeys(target);
            press(Qt::Key_Down);
        }
        checkAccessKeys("V:txtValue D:txtEquipmentDetails C:txtCustomerDetails");
        press(Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(textOf(window.get(), "txtMonthly"), QStringLiteral("$25.00")); // 25 per 1000
        QCOMPARE(t->messages.texts(), QStringList());
        t->addEntries(Paths::ratesFolder(), {"40.00"});
        press(Qt::Key_E, Qt::AltModifier); // the new rate shows after a refresh
        QTRY_COMPARE(itemsOf(window.get(), "comRates").size(), 3);
        press(Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(textOf(window.get(), "txtMonthly") + textOf(window.get(), "txtValue"),
                     QString());
    }

    // Window, Alt+letter:control, captions with access keys, the main window's Tab ring.
    void everyWindowReadAndItsAccessKeys_data()
    {
        QTest::addColumn<QStringList>("row");
        QFile file(QFINDTESTDATA("access_keys.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!file.atEnd()) {
            const QStringList row = QString::fromUtf8(file.readLine()).trimmed().split('\t');
            QTest::newRow(qPrintable(row[0])) << row;
        }
    }

    // A dialog closes (rejected) with Alt+C, Escape, and Enter, keypad Enter or
    // Space on Close; Enter in a box or list sets nothing off.
    void everyWindowReadAndItsAccessKeys()
    {
        QFETCH(QStringList, row);
        auto w = show(row[0]);
        QStringList captions;
        QCOMPARE(readingFaults(w.get(), captions), QStringList());
        QCOMPARE(captions.join('|'), row[2]);
        if (row[0] == "frmQuotaro")
            return checkRing(w.get(), row[3].split(' '));
        checkAccessKeys(row[1]);
        if (!row[1].isEmpty()) // the help windows hold nothing to change
            checkEnterSetsNothingOff(w.get());
        for (const auto &[key, modifier] : {std::pair{Qt::Key_C, Qt::AltModifier},
                                            {Qt::Key_Escape, Qt::NoModifier},
                                            {Qt::Key_Return, Qt::NoModifier},
                                            {Qt::Key_Enter, Qt::KeypadModifier},
                                            {Qt::Key_Space, Qt::NoModifier}}) {
            w = show(row[0]);
            child(w.get(), "cmdClose")->setFocus();
            press(key, modifier);
            QTRY_VERIFY(!w->isVisible());
            QCOMPARE(static_cast<QDialog *>(w.get())->result(), int(QDialog::Rejected));
        }
    }

    // A question: Enter takes the offered Yes, Escape No; a notice goes with either.
    void messageBoxesAnswerEnterAndEscape()
    {
        QWidget owner;
        QVERIFY(showActive(&owner));
        QtMessageBoxes boxes;
        for (const auto &[key, buttons, answer] :
             {std::tuple{Qt::Key_Return, MsgButtons::YesNo, MsgAnswer::Yes},
              {Qt::Key_Escape, MsgButtons::YesNo, MsgAnswer::No},
              {Qt::Key_Return, MsgButtons::Ok, MsgAnswer::Ok},
              {Qt::Key_Escape, MsgButtons::Ok, MsgAnswer::Ok}}) {
            QString seen; // the text of the real box the key is pressed in
            whenUp(QApplication::activeModalWidget, [key, &seen](QWidget *modal) {
                if (auto *box = qobject_cast<QMessageBox *>(modal))
                    seen = box->text();
                QTest::keyClick(modal, key);
            });
            const MsgIcon icon = buttons == MsgButtons::Ok ? MsgIcon::Exclamation
                                                           : MsgIcon::Question;
            QCOMPARE(boxes.show(&owner, "Exit Quotaro ?", "Exit", icon, buttons), answer);
            QCOMPARE(seen, QStringLiteral("Exit Quotaro ?"));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
