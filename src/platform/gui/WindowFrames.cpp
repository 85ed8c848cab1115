#include "platform/gui/WindowFrames.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>

void FixAndCentreDialog(QDialog *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
    QScreen *screen = window->parentWidget() ? window->parentWidget()->screen()
                                             : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

QString MultiLineText(const QPlainTextEdit *box)
{
    // The raw text: the plain-text form would also turn a line separator
    // (U+2028) into a line break and a non-breaking space into a plain one.
    // Only the box's own paragraph breaks become CR LF.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void SetMultiLineText(QPlainTextEdit *box, const QString &crLfText)
{
    QString shown = crLfText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(shown);
}
