#include "platform/gui/KeyFilters.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

bool digitKeyAccepted(const QKeyEvent *event)
{
    // Ctrl and Meta make shortcuts (Ctrl+V), which pass. Alt does not: an
    // Alt+letter that is no access key would otherwise type its letter.
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return true;
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == 8 || (code >= '0' && code <= '9'))
            continue;
        if (code < 32 || code == 127) // Tab, Enter, Escape, Delete: not typed characters
            continue;
        return false;
    }
    return true;
}

void DigitKeyFilter::install(QWidget *widget)
{
    auto *filter = new DigitKeyFilter(widget);
    widget->installEventFilter(filter);
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !digitKeyAccepted(static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void EnterPressesFocusedButton::install(QWidget *window)
{
    auto *filter = new EnterPressesFocusedButton(window);
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(filter);
    }
}

bool EnterPressesFocusedButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    auto *button = qobject_cast<QPushButton *>(watched);
    // A held-down Enter presses once, like a held-down Space.
    if (button && button->isEnabled() && !key->isAutoRepeat())
        button->click();
    return true;
}
