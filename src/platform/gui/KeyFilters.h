#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// The digit key filter: a typed character passes only when it is a digit
// 0-9 or backspace. Keys that type no character (arrows, Tab, Delete) and
// shortcuts (Ctrl+V) pass untouched, so pasted text is not filtered. Alt with
// a letter that underlines nothing types nothing.
bool digitKeyAccepted(const QKeyEvent *event);

class DigitKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Filters the widget's typing; for an editable combo box its edit part.
    static void install(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Enter (or the keypad's Enter) on a focused push button presses it, as it
// does everywhere on this desktop. The window's buttons are made non-default,
// so Enter typed in a text box or a list presses nothing else: a quote must
// not be saved or a rate deleted because Enter ended a typed entry.
class EnterPressesFocusedButton : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Covers every push button the window holds when called.
    static void install(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
