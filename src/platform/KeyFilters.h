#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// The digit key filter: a typed character passes only when it is a digit
// 0-9 or backspace. Keys that type no character (arrows, Tab, Delete) and
// shortcuts (Ctrl+V) pass untouched, so pasted text is not filtered.
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
