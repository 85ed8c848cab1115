#pragma once

// Drives the real windows as a user does: controls found by name, buttons
// clicked, real keys typed, messages read back as the user saw them.

#include "TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <functional>

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

inline void trigger(const QObject *window, const QString &action)
{
    child<QAction>(window, action)->trigger();
}

// A key (with modifiers) pressed on the control that has the focus.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : QApplication::activeWindow(), Qt::Key(key), modifiers);
}

// Focuses a control (an editable combo box through its edit part), empties
// it with Ctrl+A and Delete when asked, and types: a line break as Enter,
// characters beyond ASCII as an input method delivers them.
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
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(target, Qt::Key_Return);
        } else if (c.unicode() < 128) {
            QTest::keyClicks(target, QString(c));
        } else {
            QKeyEvent down(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent up(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &down);
            QApplication::sendEvent(target, &up);
        }
    }
}

// The named control that has the focus: an editable combo box's edit part
// and a text box's viewport stand for the control itself.
inline QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return QString();
}

// What a control shows: a combo box its current text, a list its items, a
// text box its text with its line and paragraph breaks as '\n'.
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
    QStringList texts;
    if (auto *list = qobject_cast<QListWidget *>(child(window, name))) {
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
    } else {
        for (int i = 0; i < child<QComboBox>(window, name)->count(); ++i)
            texts.append(child<QComboBox>(window, name)->itemText(i));
    }
    return texts;
}

// Clicks an item of a list, or of a combo box's drop-down; false when there
// is no such item or it did not become the chosen one.
inline bool pick(const QObject *window, const QString &name, const QString &text)
{
    QAbstractItemView *view = nullptr;
    QModelIndex index;
    auto *box = qobject_cast<QComboBox *>(child(window, name));
    if (box) {
        const int row = box->findText(text, Qt::MatchExactly);
        if (row < 0)
            return false;
        box->showPopup();
        view = box->view();
        index = view->model()->index(row, box->modelColumn());
    } else {
        auto *list = child<QListWidget>(window, name);
        const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
        if (found.size() != 1)
            return false;
        view = list;
        index = list->indexFromItem(found.first());
    }
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    if (box)
        return QTest::qWaitFor([&] { return !view->isVisible(); }) && box->currentText() == text;
    return view->currentIndex() == index && view->selectionModel()->isSelected(index);
}

// Data rows given as texts, their columns split at '|', each row named by
// its text: fetched as QFETCH(QStringList, row).
inline void rowsOf(std::initializer_list<const char *> rows)
{
    QTest::addColumn<QStringList>("row");
    for (const char *row : rows)
        QTest::newRow(row) << QString::fromUtf8(row).split(u'|');
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

// Runs act on the widget that find returns, once there is one: a modal
// window or a menu opened by what the test does next.
inline void whenUp(std::function<QWidget *()> find, std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, find, act] {
        if (QWidget *up = find()) {
            poll->stop();
            poll->deleteLater();
            act(up);
        }
    });
    poll->start(10);
}

// The controls met pressing Tab (or Shift+Tab) until the focus comes back
// to where it started; a walk that never comes back ends with a note.
inline QStringList tabWalk(bool backwards = false)
{
    QStringList names{focusName()};
    for (int i = 0; i < 100; ++i) {
        press(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
              backwards ? Qt::ShiftModifier : Qt::NoModifier);
        if (focusName() == names.first())
            return names;
        names.append(focusName());
    }
    return names << QStringLiteral("<the focus never came back>");
}

// The window's title, a fixed size with no minimise or maximise button,
// and the focus starting on ring's first control and going round ring by
// Tab and back by Shift+Tab, ring holding every control Tab can reach.
inline void checkFrame(QWidget *window, const QString &title, const QStringList &ring)
{
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QSet<QString> reachable;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))
            && w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
            && !w->focusProxy())
            reachable.insert(w->objectName());
    QCOMPARE(reachable, QSet<QString>(ring.cbegin(), ring.cend()));
    QCOMPARE(tabWalk(), ring);
    QStringList back{ring.first()};
    for (qsizetype i = ring.size() - 1; i > 0; --i)
        back.append(ring.at(i));
    QCOMPARE(tabWalk(true), back);
}
