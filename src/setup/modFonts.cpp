#include "setup/modFonts.h"

#include "platform/Fonts.h"
#include "lists/ListControl.h"

#include <QComboBox>

void FillFontList(QComboBox *combo, Fonts &fonts)
{
    if (!combo)
        return;
    QStringList families;
    try {
        ListControl(combo).clear();
        families = fonts.families();
    } catch (...) {
        // A font source that fails leaves the list as far as it got.
    }
    for (const QString &family : families)
        AddFontFamily(family, combo);
}

int AddFontFamily(const QString &faceName, QComboBox *combo)
{
    try {
        QString name = faceName;
        const qsizetype nul = name.indexOf(QChar(0));
        if (nul >= 0)
            name.truncate(nul);
        if (combo && !name.isEmpty())
            ListControl(combo).addItem(name);
    } catch (...) {
        // One family that cannot be added does not end the list.
    }
    return 1;
}
