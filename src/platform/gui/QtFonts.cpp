#include "platform/gui/QtFonts.h"

#include <QFontDatabase>

QStringList QtFonts::families() const
{
    return QFontDatabase::families();
}
