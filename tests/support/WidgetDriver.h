#pragma once

// Drives the real windows as a user does: controls by name, real clicks and keys.

#include "TestPlatform.h"

// A control of a window by name; a missing one ends the test program.
template <typename T = QWidget>
T *child(const QObject *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline bool showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

inline void click(const QObject *window, const QString &button)
{
    QTest::mouseClick(child<QAbstractButton>(window, button), Qt::LeftButton);
}

inline void trigger(const QObject *window, const QString &name)
{
    child<QAction>(window, name)->trigger();
}

inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : QApplication::activeWindow(), Qt::Key(key), modifiers);
}

// Types (after Ctrl+A, Delete when asked) a line break as Enter, beyond ASCII as an input method.
inline void typeInto(const QObject *window, const QString &control, const QString &text,
                     bool replace = false)
{
    QWidget *target = child(window, control);
    if (auto *box = qobject_cast<QComboBox *>(target); box && box->lineEdit())
        target = box->lineEdit();
    target->setFocus();
    if (replace) {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
    }
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c.unicode() < 128)
            QTest::keyClicks(target, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(0), QString(c), Qt::NoModifier);
    }
}

// A combo box's current text, or a text box's with its line breaks as '\n'.
inline QString textOf(const QObject *window, const QString &name)
{
    QWidget *w = child(window, name);
    if (auto *box = qobject_cast<QComboBox *>(w))
        return box->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        return memo->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    return child<QLineEdit>(window, name)->text();
}

inline QStringList itemsOf(const QObject *window, const QString &name)
{
    auto *box = qobject_cast<QComboBox *>(child(window, name));
    const QAbstractItemModel *model = box ? box->model()
                                          : child<QListWidget>(window, name)->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, box ? box->modelColumn() : 0).data().toString());
    return texts;
}

// Clicks an item of a list or a drop-down (of a list, the only one of the text, or the nth
// when given); false when it did not become the chosen one.
inline bool pick(const QObject *window, const QString &name, const QString &text, int nth = -1)
{
    auto *box = qobject_cast<QComboBox *>(child(window, name));
    QAbstractItemView *view = box ? box->view() : child<QListWidget>(window, name);
    const QModelIndexList found = view->model()->match(
        view->model()->index(0, box ? box->modelColumn() : 0), Qt::DisplayRole, text, -1,
        Qt::MatchExactly);
    if (found.size() <= std::max(nth, 0) || (!box && nth < 0 && found.size() > 1))
        return false;
    const QModelIndex at = found[std::max(nth, 0)];
    if (box)
        box->showPopup();
    view->scrollTo(at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(at).center());
    if (box)
        return QTest::qWaitFor([&] { return !view->isVisible(); }) && box->currentText() == text;
    return view->currentIndex() == at && view->selectionModel()->isSelected(at);
}

// Rows as texts, columns split at '|': fetched as QFETCH(QStringList, row).
inline void rowsOf(std::initializer_list<const char *> rows)
{
    QTest::addColumn<QStringList>("row");
    for (const char *row : rows)
        QTest::newRow(row) << QString::fromUtf8(row).split(u'|');
}

// A data file's row, read by the names its header line gives the columns: a column of two
// kinds of rows has two ("a/b"), a last one ending in "..." takes the rest of the row. Fields
// a row leaves out read as empty; a name the header lacks is fatal.
struct Row {
    QString file;
    QStringList names, fields;
    qsizetype at(const QString &name) const
    {
        const auto i = names.indexOf(
            QRegularExpression("(.*/)?\\Q" + name + "\\E(/.*|\\.\\.\\.)?"));
        if (i < 0)
            qFatal("%s has no column \"%s\": its header is %s", qPrintable(file), qPrintable(name),
                   qPrintable(names.join(u'|')));
        return i;
    }
    QString operator[](const QString &name) const { return fields.value(at(name)); }
    QStringList from(const QString &name, int count = -1) const
    {
        return fields.mid(at(name), count);
    }
    QStringList namesFrom(const QString &name) const // each by its first name
    {
        return names.mid(at(name)).replaceInStrings(QRegularExpression("/.*"), "");
    }
};
Q_DECLARE_METATYPE(Row)

// Rows from a data file beside the test, fetched as QFETCH(Row, row): the first line that is
// not a comment ('#') names the columns. Fields are split at '|' (not at "\|"), or at the
// separator given (rows then named by their first field); line breaks, tabs and invisible
// characters are written as escapes.
inline void rowsFromFile(const char *name, const QString &separator = "|")
{
    const QStringList escapes{"\\n", "\n",      "\\r",    "\r",      "\\t",    "\t",      "\\|",
                              "|",   "\\u00a0", "\u00a0", "\\u2028", "\u2028", "\\u202f", "\u202f"};
    QTest::addColumn<Row>("row");
    QFile file(QFINDTESTDATA(name));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    Row row{name, {}, {}};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(u'\n');
        if (line.startsWith('#'))
            continue;
        row.fields = line.split(
            QRegularExpression(R"((?<!\\))" + QRegularExpression::escape(separator)));
        for (int i = 0; i < escapes.size(); i += 2)
            row.fields.replaceInStrings(escapes[i], escapes[i + 1]);
        if (row.names.isEmpty()) {
            row.names = row.fields;
            continue;
        }
        QVERIFY2(row.fields.size() <= row.names.size() || row.names.last().endsWith("..."),
                 qPrintable(QStringLiteral("more fields than %1 names: ").arg(name) + line));
        QTest::newRow(qPrintable(separator == "|" ? line : row.fields[0])) << row;
    }
}

// QCOMPARE for lists of fields, naming the first field that differs (by names, else by its
// number) with both values.
#define COMPARE_FIELDS(actual, expected, names)                                                    \
    do {                                                                                           \
        if (!compareFields(actual, expected, names, __FILE__, __LINE__))                           \
            return;                                                                                \
    } while (false)
inline bool compareFields(const QStringList &actual, const QStringList &expected,
                          const QStringList &names, const char *file, int line)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
        if (actual[i] != expected[i])
            return QTest::qCompare(actual[i], expected[i],
                                   qPrintable(names.value(i, "field " + QString::number(i + 1))),
                                   "expected", file, line);
    return QTest::qCompare(actual.size(), expected.size(), "fields", "expected fields", file, line);
}

// Every message shown as "Title: text (Icon)", a question marked YesNo.
inline QStringList said(const ScriptedMessageBoxes &boxes)
{
    static const char *icons[] = {"Information", "Exclamation", "Question"};
    QStringList lines;
    for (const RecordedMessage &m : boxes.messages)
        lines.append(m.title + QStringLiteral(": ") + m.text + QStringLiteral(" (")
                     + QLatin1String(icons[int(m.icon)])
                     + QLatin1String(m.buttons == MsgButtons::YesNo ? ", YesNo)" : ")"));
    return lines;
}

// Runs act on what find returns once there is one: a modal window the test opens next.
inline void whenUp(std::function<QWidget *()> find, std::function<void(QWidget *)> act)
{
    QTimer::singleShot(10, qApp, [find, act] {
        if (QWidget *up = find())
            act(up);
        else
            whenUp(find, act);
    });
}

inline QWidgetList tabControls(QWidget *window)
{
    QWidgetList found = window->findChildren<QWidget *>();
    found.removeIf([window](QWidget *w) {
        return w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))
            || !w->isVisibleTo(window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)
            || w->focusProxy();
    });
    return found;
}

// The Tab ring from its first control, closing on it both ways, holding every control Tab reaches.
inline void checkRing(QWidget *window, const QStringList &ring)
{
    QSet<QString> reachable;
    for (QWidget *w : tabControls(window))
        reachable.insert(w->objectName());
    QCOMPARE(reachable, QSet<QString>(ring.cbegin(), ring.cend()));
    for (const bool backwards : {false, true}) {
        QStringList met{focusName()}, expected = ring;
        for (int i = 0; i < ring.size(); ++i) {
            press(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                  backwards ? Qt::ShiftModifier : Qt::NoModifier);
            met << focusName();
        }
        if (backwards)
            std::reverse(expected.begin() + 1, expected.end());
        QCOMPARE(met, expected << ring[0]);
    }
}

// Title, fixed size with no minimise or maximise button, and the Tab ring.
inline void checkFrame(QWidget *window, const QString &title, const QStringList &ring)
{
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinMaxButtonsHint));
    checkRing(window, ring);
}
