#include "help/HelpWindow.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

void FixAndCentreHelpWindow(QDialog *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(window->size());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

QPixmap QuotaroLogo(const QWidget *shownOn)
{
    // QIcon picks logo@2x.jpg for a device pixel ratio of 2 or more.
    return QIcon(QStringLiteral(":/logo.jpg")).pixmap(QSize(230, 80), shownOn->devicePixelRatioF());
}
