#pragma once

#include "TestPlatform.h"

#include "quotation/frmQuotaro.h"
#include "store/Paths.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

// The disk, with the order in which a folder's entries are enumerated set
// by the test (a real directory returns them in an order of its own).
class OrderedFileSystem : public FaultyFileSystem {
public:
    using FaultyFileSystem::FaultyFileSystem;
    std::optional<QStringList> listTxtFiles(const QString &folder) const override
    {
        std::optional<QStringList> names = FaultyFileSystem::listTxtFiles(folder);
        if (!names || !order.contains(folder))
            return names;
        QStringList ordered;
        for (const QString &name : order.value(folder))
            if (names->contains(name))
                ordered.append(name);
        for (const QString &name : *names)
            if (!ordered.contains(name))
                ordered.append(name);
        return ordered;
    }
    QHash<QString, QStringList> order;
};

// The real main window over a temporary settings tree, driven as a user
// would: buttons clicked, keys typed, items picked from the lists.
class MainWindow {
public:
    explicit MainWindow(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : t(locale), files(t.dir.path() + QStringLiteral("/drive_c")),
          platform{t.messages, files, t.locale, t.printers, t.fonts, t.launcher, t.instance, t.clock}
    {
        t.makeTree();
    }

    ~MainWindow()
    {
        if (window)
            window->hide();
    }

    // Entries added in this order, and enumerated in this order too.
    void entries(const QString &folder, const QStringList &texts)
    {
        t.addEntries(folder, texts);
        QStringList names;
        for (const QString &text : texts)
            names.append(text + QStringLiteral(".txt"));
        files.order[folder] = names;
    }

    void standardLists()
    {
        entries(Paths::upfrontsFolder(), {QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("6")});
        entries(Paths::midsFolder(), {QStringLiteral("36"), QStringLiteral("12"), QStringLiteral("24")});
        entries(Paths::finalsFolder(), {QStringLiteral("1"), QStringLiteral("2")});
        entries(Paths::ratesFolder(), {QStringLiteral("30.00"), QStringLiteral("22.10"), QStringLiteral("25.00")});
    }

    // Form_Load, and the window shown and active when it is to be shown.
    frmQuotaro::StartResult start()
    {
        window = std::make_unique<frmQuotaro>(platform, t.settings);
        const frmQuotaro::StartResult result = window->Form_Load();
        if (result == frmQuotaro::StartResult::Show) {
            window->show();
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window.get()))
                qWarning("main window did not become active");
        }
        return result;
    }

    template <class W> W *find(const char *name) const
    {
        W *widget = window->findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }
    QComboBox *combo(const char *name) const { return find<QComboBox>(name); }
    QPlainTextEdit *memo(const char *name) const { return find<QPlainTextEdit>(name); }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }

    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Picks an item of a combo box's list with the mouse.
    void pick(const char *comboName, const QString &text)
    {
        QComboBox *box = combo(comboName);
        const int row = box->findText(text, Qt::MatchExactly);
        if (row < 0)
            qFatal("no item %s", qPrintable(text));
        box->showPopup();
        QAbstractItemView *view = box->view();
        const QRect rect = view->visualRect(view->model()->index(row, box->modelColumn()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!view->isVisible());
    }

    // Clears a box as a user would (select all, delete), then types.
    void type(QWidget *widget, const QString &text)
    {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_Delete);
        keys(widget, text);
    }

    // Real key events for every character; those beyond ASCII arrive as the
    // text of a key event, as an input method delivers them.
    static void keys(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClicks(widget, QString(c));
            } else {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(widget, &press);
                QApplication::sendEvent(widget, &release);
            }
        }
    }
    void typeInto(const char *name, const QString &text) { type(edit(name), text); }
    void typeIntoCombo(const char *name, const QString &text) { type(combo(name)->lineEdit(), text); }

    // The name of the control that has the keyboard focus (an editable
    // combo box has it through its edit part).
    QString focus() const
    {
        QWidget *w = QApplication::focusWidget();
        if (!w)
            return QString();
        if (w->objectName().isEmpty() && w->parentWidget())
            return w->parentWidget()->objectName();
        return w->objectName();
    }

    // A generated quotation: value, structure and selections typed or picked.
    void quote(const QString &value, const QString &structure, const QString &upfront,
               const QString &mid, const QString &final, const QString &rate)
    {
        typeInto("txtValue", value);
        pick("comSelectTerm", structure);
        if (!upfront.isEmpty())
            typeIntoCombo("comUpfronts", upfront);
        if (!mid.isEmpty())
            typeIntoCombo("comMids", mid);
        if (!final.isEmpty())
            typeIntoCombo("comFinals", final);
        if (!rate.isEmpty())
            typeIntoCombo("comRates", rate);
        click("cmdQuotation");
    }

    TestPlatform t;
    OrderedFileSystem files;
    Platform platform;
    std::unique_ptr<frmQuotaro> window;
};

inline QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}
