#pragma once

// Helpers shared by the tests of the setup and help windows.

#include "TestPlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

template <typename T = QWidget>
T *child(const QWidget *window, const QString &name)
{
    T *w = window->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// The control with the keyboard focus (an editable combo box has it
// through its nameless edit part).
inline QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QString();
    if (w->objectName().isEmpty() && w->parentWidget())
        return w->parentWidget()->objectName();
    return w->objectName();
}

// Shows the window as the program does and waits until it is active.
inline bool showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

inline void click(const QWidget *window, const QString &button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

inline void typeInto(const QWidget *window, const QString &control, const QString &text)
{
    QWidget *w = child(window, control);
    w->setFocus();
    QTest::keyClicks(w, text);
}

// Fixed size, no minimise or maximise button, the given title, and the
// focus starting at the first control and coming back to it by Tab after
// the others in the given order.
inline void checkFrame(QWidget *window, const QString &title, const QStringList &ring)
{
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QStringList walked{focusName()};
    for (qsizetype i = 0; i < ring.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked.append(focusName());
    }
    QCOMPARE(walked, ring + QStringList(ring.first()));
}

inline QStringList itemsOf(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

inline QStringList itemsOf(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

inline void pick(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    QVERIFY(found.first()->isSelected());
}
