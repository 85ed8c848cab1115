#include "platform/KeyFilters.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

bool digitKeyAccepted(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
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
