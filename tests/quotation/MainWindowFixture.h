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
#include <QTextDocument>
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
        for (const QString &name : order.value(folder) + *names)
            if (names->contains(name) && !ordered.contains(name))
                ordered.append(name);
        return ordered;
    }
    QHash<QString, QStringList> order;
};

inline const QStringList ResultFields{
    "txtQuoteValue", "txtQuoteTerm", "txtTermStart", "txtTermMiddle", "txtTermEnd", "txtRate",
    "txtUpfront",    "txtMonthly",   "txtFinal",     "txtWeekly",     "txtDaily"};
inline const QStringList ValueBoxes{"comUpfronts", "comMids", "comFinals", "comRates"};
inline const QStringList TermBoxes = QStringList{"comSelectTerm"} + ValueBoxes;
inline const QStringList AllInputs = ResultFields + TermBoxes
    + QStringList{"txtValue", "txtSaveQuote", "txtEquipmentDetails", "txtCustomerDetails"};

// The real main window over a temporary settings tree, driven as a user
// would: buttons clicked, keys typed, items picked from the lists.
class MainWindow {
public:
    explicit MainWindow(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : t(locale),
          files(t.dir.path() + QStringLiteral("/drive_c")), platform{
                                                                t.messages, files,   t.locale,
                                                                t.printers, t.fonts, t.launcher,
                                                                t.instance, t.clock, t.pages}
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
        files.order[folder] = QStringList(texts).replaceInStrings(QRegularExpression("$"), ".txt");
    }

    void standardLists()
    {
        entries(Paths::upfrontsFolder(), {"3", "1", "6"});
        entries(Paths::midsFolder(), {"36", "12", "24"});
        entries(Paths::finalsFolder(), {"1", "2"});
        entries(Paths::ratesFolder(), {"30.00", "22.10", "25.00"});
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

    // The usual case: the standard lists, the window up and no message.
    bool open()
    {
        standardLists();
        return start() == frmQuotaro::StartResult::Show && t.messages.messages.isEmpty();
    }

    template <class W>
    W *find(const QString &name) const
    {
        W *widget = window->findChild<W *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QComboBox *combo(const QString &name) const { return find<QComboBox>(name); }

    // What a box shows, whatever kind of box it is.
    QString textOf(const QString &name) const
    {
        QWidget *w = find<QWidget>(name);
        if (auto *box = qobject_cast<QComboBox *>(w))
            return box->currentText();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(
                w)) // line separators and no-break spaces as such
            return memo->document()->toRawText().replace(QChar::ParagraphSeparator,
                                                         QLatin1Char('\n'));
        return qobject_cast<QLineEdit *>(w)->text();
    }
    QStringList textsOf(const QStringList &names) const
    {
        QStringList texts;
        for (const QString &name : names)
            texts.append(textOf(name));
        return texts;
    }
    QStringList results() const { return textsOf(ResultFields); }
    // Which value boxes take input, e.g. "-M-R" for mids and rates only.
    QString openBoxes() const
    {
        QString open;
        for (const QString &name : ValueBoxes)
            open += combo(name)->isEnabled() ? name.at(3) : QLatin1Char('-');
        return open;
    }
    bool resultsEmpty() const { return results().join(QString()).isEmpty(); }

    // Every message shown so far as "title: text (icon)", Yes/No marked.
    QStringList said() const
    {
        static const char *icons[] = {"Information", "Exclamation", "Question"};
        QStringList lines;
        for (const RecordedMessage &m : t.messages.messages)
            lines.append(m.title + QStringLiteral(": ") + m.text + QStringLiteral(" (")
                         + QLatin1String(icons[int(m.icon)])
                         + (m.buttons == MsgButtons::YesNo ? QStringLiteral(", YesNo)")
                                                           : QStringLiteral(")")));
        return lines;
    }

    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    // Picks an item of a combo box's list with the mouse.
    void pick(const QString &comboName, const QString &text)
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

    // Clears a box as a user would (select all, delete), then types; a line
    // break is typed as Enter.
    void type(const QString &name, const QString &text)
    {
        QWidget *widget = find<QWidget>(name);
        if (auto *box = qobject_cast<QComboBox *>(widget))
            widget = box->lineEdit();
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_Delete);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            // Characters beyond ASCII arrive as the text of a key event,
            // as an input method delivers them.
            for (const QChar c : lines[i]) {
                if (c.unicode() < 128) {
                    QTest::keyClicks(widget, QString(c));
                } else {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
                    QApplication::sendEvent(widget, &press);
                    QApplication::sendEvent(widget, &release);
                }
            }
            if (i + 1 < lines.size())
                QTest::keyClick(widget, Qt::Key_Return);
        }
    }

    // The name of the control that has the keyboard focus (an editable
    // combo box has it through its edit part).
    QString focus() const
    {
        QWidget *w = QApplication::focusWidget();
        if (w && w->objectName().isEmpty() && w->parentWidget())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }

    // A generated quotation: the value typed, the structure picked, the
    // multipliers and rate typed into the boxes the structure uses.
    void quote(const QString &value, const QString &structure, const QString &upfront,
               const QString &mid, const QString &final, const QString &rate)
    {
        type("txtValue", value);
        pick("comSelectTerm", structure);
        const QStringList inputs{upfront, mid, final, rate};
        for (int i = 0; i < 4; ++i)
            if (!inputs[i].isEmpty())
                type(ValueBoxes[i], inputs[i]);
        click("cmdQuotation");
    }
    void quoteFull() { quote("10000", "Upfront+Mid+Final", "3", "36", "1", "30"); }

    void saveAs(const QString &name)
    {
        type("txtSaveQuote", name);
        click("cmdSave");
    }

    QStringList itemsOf(const QString &name) const
    {
        QStringList items;
        for (int i = 0; i < combo(name)->count(); ++i)
            items.append(combo(name)->itemText(i));
        return items;
    }

    TestPlatform t;
    OrderedFileSystem files;
    Platform platform;
    std::unique_ptr<frmQuotaro> window;
};
