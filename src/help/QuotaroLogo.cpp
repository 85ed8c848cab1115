#include "help/QuotaroLogo.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

QPixmap quotaroLogo(const QWidget *shownOn)
{
    // QIcon picks logo@2x.jpg for a device pixel ratio of 2 or more.
    return QIcon(QStringLiteral(":/logo.jpg")).pixmap(QSize(230, 80), shownOn->devicePixelRatioF());
}
